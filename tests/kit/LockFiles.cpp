#include "LockFiles.h"

#include <QDir>
#include <QFileInfo>

// QSerialPort names its lock file after the whole path, each "/" made a "_", so tests on
// links of the same name in other folders never meet.
bool lockFileFor(const QString& path) {
    const QString name = QStringLiteral("LCK..") + QString(path).replace(u'/', u'_');
    for (const QString& folder : {QStringLiteral("/var/lock"), QDir::tempPath()})
        if (QFileInfo::exists(QDir(folder).filePath(name)))
            return true;
    return false;
}
