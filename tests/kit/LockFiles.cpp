#include "LockFiles.h"

#include <QDir>
#include <QFileInfo>

bool lockFileFor(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    for (const QString& folder : {QStringLiteral("/var/lock"), QDir::tempPath()})
        for (const QString& lock : QDir(folder).entryList({"LCK..*"}, QDir::Files))
            if (lock.endsWith(name))
                return true;
    return false;
}
