#include "controls/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef HANDVISE_DATA_FROM_BIN
#error "HANDVISE_DATA_FROM_BIN (the installed data folder relative to the programs) is set by the build"
#endif

namespace controls {

QString InstalledDataFolder() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/') +
                           QStringLiteral(HANDVISE_DATA_FROM_BIN));
}

QString FindDataFile(const QString& name) {
    QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = QDir(InstalledDataFolder()).filePath(name);
    return QFileInfo::exists(installed) ? installed : beside;
}

QString UserConfigFolder() {
    // A relative value would name a folder under whatever the working directory happens to be.
    const QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!configured.isEmpty() && QDir::isAbsolutePath(configured))
        return QDir::cleanPath(configured);
    return QDir::homePath() + QStringLiteral("/.config");
}

} // namespace controls
