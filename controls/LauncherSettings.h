// The spring count and grip that the launcher program leaves in "ktxlauncher.ini", beside the programs
// or, for an installed suite, in the user's configuration folder. Read only: nothing here writes it.
#pragma once

#include <QString>

#include <cstdint>

namespace controls {

// "ktxlauncher.ini" in the folder of the program's executable when anything is there; else the suite's one
// file in the user's configuration folder ($XDG_CONFIG_HOME/handvise/ktxlauncher.ini).
QString LauncherSettingsPath();

// The key's integer value, keeping its low 8 bits (256 reads as 0, -1 as 255). A missing or unreadable
// file, section or key, or a text that is not an integer, gives `defaultValue`.
std::uint8_t ReadLauncherByte(const QString& path, const QString& section, const QString& key,
                              std::uint8_t defaultValue);

// The radio items a program starts on: its section's "Spring" (default 1) and "Position" (default 0).
struct TLauncherStart {
    std::uint8_t SpringIndex;
    std::uint8_t GripIndex;
};
TLauncherStart ReadLauncherStart(const QString& section);

} // namespace controls
