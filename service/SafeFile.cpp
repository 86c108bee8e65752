#include "service/SafeFile.h"

#include "platform/FileSync.h"

#include <QFileInfo>
#include <QRandomGenerator>

namespace {

// Why a file cannot be made there, in the operator's words rather than the new file's;
// empty when nothing in the way is known.
QString obstacle(const QFileInfo& info) {
    if (info.isDir())
        return QStringLiteral("it is a folder");
    if (info.exists() && !info.isWritable())
        return QStringLiteral("it is read-only");
    QFileInfo folder(info.absolutePath());
    while (!folder.exists()) // the root always exists
        folder = QFileInfo(folder.absolutePath());
    if (!folder.isDir())
        return QStringLiteral("%1 is not a folder").arg(folder.absoluteFilePath());
    if (folder.absoluteFilePath() != info.absolutePath())
        return QStringLiteral("the folder %1 does not exist").arg(info.absolutePath());
    return {};
}

// Hidden beside the file, so that the rename stays within one file system.
QString newName(const QFileInfo& target) {
    return QStringLiteral("%1/.%2.%3.new")
        .arg(target.absolutePath(), target.fileName(),
             QString::number(QRandomGenerator::global()->generate(), 36));
}

} // namespace

SafeFile::SafeFile(QString file) : m_name(std::move(file)) {}

SafeFile::~SafeFile() {
    if (m_pending)
        fail({});
}

bool SafeFile::open() {
    QFileInfo info(m_name);
    if (info.isSymLink()) // the link stays a link; what it leads to gets the bytes
        info = QFileInfo(info.exists() ? info.canonicalFilePath() : info.symLinkTarget());
    m_target = info.absoluteFilePath();
    m_direct = info.exists() && !info.isFile() && !info.isDir();
    if (m_direct) {
        m_file.setFileName(m_name);
        return m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || fail(reason());
    }
    if (const QString known = obstacle(info); !known.isEmpty())
        return fail(known);
    // A name another file already has is tried again with another.
    for (int attempt = 0; attempt < 4 && !m_pending; ++attempt) {
        m_file.setFileName(newName(info));
        m_pending = m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered);
        if (!m_pending && !QFileInfo::exists(m_file.fileName()))
            break;
    }
    if (!m_pending)
        return fail(reason());
    if (info.exists() && !m_file.setPermissions(info.permissions()))
        return fail(reason());
    return true;
}

bool SafeFile::commit(const QByteArray& bytes) {
    if (!m_file.isOpen())
        return false;
    // A write may take part of the bytes; the next one then says why it takes no more.
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = m_file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return fail(reason());
        done += written;
    }
    if (!m_file.flush())
        return fail(reason());
    if (!m_direct)
        if (const QString why = FileSync::toDisk(m_file); !why.isEmpty())
            return fail(why);
    m_file.close();
    if (m_file.error() != QFileDevice::NoError)
        return fail(reason());
    if (m_direct)
        return true;
    if (const QString why = FileSync::replace(m_file.fileName(), m_target); !why.isEmpty())
        return fail(why);
    m_pending = false;
    return true;
}

QString SafeFile::write(const QString& file, const QByteArray& bytes) {
    SafeFile out(file);
    return out.open() && out.commit(bytes) ? QString() : out.errorString();
}

bool SafeFile::fail(const QString& why) {
    m_error = why;
    m_file.close();
    if (m_pending)
        QFile::remove(m_file.fileName());
    m_pending = false;
    return false;
}

QString SafeFile::reason() const {
    return m_file.error() == QFileDevice::NoError ? QStringLiteral("the system took no more bytes")
                                                  : m_file.errorString();
}
