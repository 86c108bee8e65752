#pragma once

#include <QMap>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

class QWidget;
class Verdict;

// Watches the windows as they come up and all along: never two visible top-level windows of
// one kind (their objectName, or their class when they have none), never more than one
// configuration progress window alive. Counts the windows opened by kind.
class WindowWatch : public QObject {
public:
    explicit WindowWatch(Verdict& verdict);
    ~WindowWatch() override;

    const QMap<QString, int>& opened() const { return m_opened; }
    static QString kind(const QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void look();

    Verdict& m_verdict;
    QMap<QString, int> m_opened;
    QSet<QString> m_doubled; // told already, until it is over
    bool m_progressDoubled = false;
    QTimer m_timer;
};
