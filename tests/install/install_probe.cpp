// Staged into an installed tree by the install test: prints where a program there finds the shipped
// files named on its command line, then the launcher settings file it would read.
#include "controls/DataFiles.h"
#include "controls/LauncherSettings.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv) {
    const QCoreApplication application(argc, argv);
    for (const QString& name : QCoreApplication::arguments().mid(1))
        std::printf("%s\n", qPrintable(controls::FindDataFile(name)));
    std::printf("%s\n", qPrintable(controls::LauncherSettingsPath()));
    return 0;
}
