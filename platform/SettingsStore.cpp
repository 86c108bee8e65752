#include "platform/SettingsStore.h"

#include <QSettings>

namespace SettingsStore {

namespace {
QString path(const QString& section, const QString& key) {
    return section + u'/' + key;
}
} // namespace

QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& fallback) {
    const QSettings store(QSettings::NativeFormat, QSettings::UserScope, application, application);
    return store.value(path(section, key), fallback).toString();
}

void SaveSetting(const QString& application, const QString& section, const QString& key,
                 const QString& value) {
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, application, application);
    store.setValue(path(section, key), value);
    store.sync(); // the program may end right after this
}

QString fileName(const QString& application) {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, application, application)
        .fileName();
}

} // namespace SettingsStore
