// Where the programs find the files they ship and the suite's own settings. A program looks beside its
// executable first (the build tree, a program unpacked into one folder), then in the folder an
// installation puts the files in, found relative to the executable so that one install works under any
// prefix and after the tree is moved. Never in the working directory.
#pragma once

#include <QString>

namespace controls {

// The suite's folder name: under the installed data and library folders and the user's configuration.
inline constexpr char SuiteFolder[] = "handvise";

// The installed data folder of the suite as seen from the running program.
QString InstalledDataFolder();

// The absolute path of the shipped file `name`: beside the program when it is there, else in the
// installed data folder when it is there, else beside the program (where its absence is noticed).
QString FindDataFile(const QString& name);

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
QString UserConfigFolder();

} // namespace controls
