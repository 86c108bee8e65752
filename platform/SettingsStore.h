#pragma once

#include <QString>

// The per-user settings store: one text value by application, section and key.
// On Linux the file lives under $XDG_CONFIG_HOME (default ~/.config)/<application>/.
namespace SettingsStore {

// The application name the tool's values are stored under.
inline constexpr auto Application = "QTX_Zintor";

QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& fallback);
void SaveSetting(const QString& application, const QString& section, const QString& key,
                 const QString& value);
// The file that holds the values of the application.
QString fileName(const QString& application);

} // namespace SettingsStore
