#pragma once

#include <QString>

// The per-user settings store: one text value by application, section and key.
// On Linux the file lives under $XDG_CONFIG_HOME (default ~/.config)/<application>/.
namespace SettingsStore {

QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& fallback);
void SaveSetting(const QString& application, const QString& section, const QString& key,
                 const QString& value);
// The file that holds the values of the application.
QString fileName(const QString& application);

} // namespace SettingsStore
