#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <memory>

namespace SettingsStore {

namespace {
QString path(const QString& section, const QString& key) {
    return section + u'/' + key;
}

// Portable mode: a zintor.ini beside the program (a copy on a stick, the portable zip)
// holds every value instead of the user's store.
std::unique_ptr<QSettings> open(const QString& application) {
    if (QCoreApplication::instance()) {
        const QString portable =
            QCoreApplication::applicationDirPath() + u'/' + QLatin1String(PortableFile);
        if (QFileInfo(portable).isFile())
            return std::make_unique<QSettings>(portable, QSettings::IniFormat);
    }
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, application,
                                       application);
}
} // namespace

QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& fallback) {
    return open(application)->value(path(section, key), fallback).toString();
}

void SaveSetting(const QString& application, const QString& section, const QString& key,
                 const QString& value) {
    const auto store = open(application);
    store->setValue(path(section, key), value);
    store->sync(); // the program may end right after this
}

QString fileName(const QString& application) {
    return open(application)->fileName();
}

} // namespace SettingsStore
