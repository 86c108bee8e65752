#pragma once

#include <QString>

// The per-user settings store: one text value by application, section and key.
// On Linux the file lives under $XDG_CONFIG_HOME (default ~/.config)/<application>/, on
// Windows in the registry under HKEY_CURRENT_USER\Software\<application>. When a file
// zintor.ini stands beside the program, every value goes there instead (portable mode).
namespace SettingsStore {

// The application name the tool's values are stored under.
inline constexpr auto Application = "QTX_Zintor";
// The file beside the program that switches to portable mode.
inline constexpr auto PortableFile = "zintor.ini";

QString GetSetting(const QString& application, const QString& section, const QString& key,
                   const QString& fallback);
void SaveSetting(const QString& application, const QString& section, const QString& key,
                 const QString& value);
// The file that holds the values of the application.
QString fileName(const QString& application);

} // namespace SettingsStore
