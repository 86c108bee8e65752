#include "KeptFiles.h"

#include "Verdict.h"

#include <QFile>
#include <iterator>

namespace {

const QString Kept = QStringLiteral("no file emptied");

QByteArray bytes(const QString& file, bool* read) {
    QFile f(file);
    *read = f.open(QIODevice::ReadOnly);
    return *read ? f.readAll() : QByteArray();
}

} // namespace

KeptFiles::KeptFiles(Verdict& verdict) : m_verdict(verdict) {
    m_verdict.watch(Kept);
    connect(&m_timer, &QTimer::timeout, this, &KeptFiles::look);
    m_timer.start(1000);
}

void KeptFiles::keepExactly(const QString& file) {
    bool read = false;
    m_exact.insert(file, bytes(file, &read));
    if (!read)
        qFatal("cannot read %s", qPrintable(file));
}

void KeptFiles::keepNonEmpty(const QString& file) {
    m_nonEmpty << file;
}

void KeptFiles::look() {
    QMap<QString, QString> wrong;
    for (auto it = m_exact.cbegin(); it != m_exact.cend(); ++it) {
        bool read = false;
        const QByteArray now = bytes(it.key(), &read);
        if (!read || now != it.value())
            wrong.insert(it.key(), read ? QStringLiteral("%1 bytes instead of its %2")
                                              .arg(now.size())
                                              .arg(it.value().size())
                                        : QStringLiteral("gone"));
    }
    for (const QString& file : m_nonEmpty) {
        bool read = false;
        if (bytes(file, &read).isEmpty())
            wrong.insert(file, read ? QStringLiteral("empty") : QStringLiteral("gone"));
    }
    for (auto it = m_told.begin(); it != m_told.end();)
        it = wrong.contains(*it) ? std::next(it) : m_told.erase(it);
    for (auto it = wrong.cbegin(); it != wrong.cend(); ++it)
        if (!m_told.contains(it.key())) {
            m_told.insert(it.key());
            m_verdict.fail(Kept, it.key() + QStringLiteral(": ") + it.value());
        }
}
