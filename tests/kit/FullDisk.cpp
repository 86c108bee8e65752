#include "FullDisk.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>

namespace {

const QString Filler = QStringLiteral("filler");

} // namespace

FullDisk::FullDisk(const QByteArray& size) {
    const QByteArray where = QFile::encodeName(m_dir.path());
    // In mounts of the test's own, which end with it even when it is killed: the test and the
    // programs it starts see the small file system, the rest of the machine never does.
    const QByteArray options = "size=" + size;
    m_mounted = ::unshare(CLONE_NEWNS) == 0 &&
                ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                ::mount("tmpfs", where.constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                        options.constData()) == 0;
    if (!m_mounted)
        m_why = QStringLiteral("cannot mount a small file system to fill (%1); needs root")
                    .arg(QString::fromLocal8Bit(std::strerror(errno)));
}

FullDisk::~FullDisk() {
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

QString FullDisk::write(const QString& name, const QByteArray& bytes) const {
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        qFatal("cannot write %s", qPrintable(file.fileName()));
    return file.fileName();
}

void FullDisk::fill() const {
    QFile filler(path(Filler));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        qFatal("cannot fill %s", qPrintable(m_dir.path()));
    const QByteArray block(512, 'x');
    while (filler.write(block) == block.size()) {
    }
}

QStringList FullDisk::names() const {
    QStringList names =
        QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    names.removeOne(Filler);
    return names;
}
