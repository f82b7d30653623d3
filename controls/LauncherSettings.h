// The spring count and grip that the launcher program leaves in "ktxlauncher.ini" beside the
// programs. Read only: nothing here ever writes the file.
#pragma once

#include <QString>

#include <cstdint>

namespace controls {

// "ktxlauncher.ini" in the folder of the program's executable.
QString LauncherSettingsPath();

// The key's integer value, keeping its low 8 bits (256 reads as 0, -1 as 255). A missing or unreadable
// file, section or key, or a text that is not an integer, gives `defaultValue`.
std::uint8_t ReadLauncherByte(const QString& path, const QString& section, const QString& key,
                              std::uint8_t defaultValue);

} // namespace controls
