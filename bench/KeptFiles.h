#pragma once

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

class Verdict;

// Files that were there before the run and must never lose their bytes: those on the full
// disk keep them exactly (no save can succeed there), those elsewhere may only be replaced
// by a whole new version, never be left empty. Looked at every second and at the end.
class KeptFiles : public QObject {
public:
    explicit KeptFiles(Verdict& verdict);

    // Remembers the file's bytes as they are now.
    void keepExactly(const QString& file);
    void keepNonEmpty(const QString& file);
    void look();

private:
    Verdict& m_verdict;
    QMap<QString, QByteArray> m_exact;
    QStringList m_nonEmpty;
    QSet<QString> m_told; // a file found wrong is told once, until it is right again
    QTimer m_timer;
};
