#include "controls/LauncherSettings.h"

#include "controls/DataFiles.h"
#include "model/NumberText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace controls {

QString LauncherSettingsPath() {
    const QString fileName = QStringLiteral("ktxlauncher.ini");
    // The launcher cannot write into an installed program's folder; a file there still decides, even
    // a bad one, so that a program unpacked with its launcher behaves as it always has.
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(fileName);
    if (QFileInfo::exists(beside))
        return beside;
    return QDir(UserConfigFolder()).filePath(QLatin1String(SuiteFolder) + QLatin1Char('/') + fileName);
}

namespace {
// The launcher writes a few lines; anything larger is not its file, and reading it would delay the
// start and take memory.
constexpr qint64 MaxSettingsBytes = 64 * 1024;

// Only a small regular file is read: a FIFO or a device would block the start or never end.
bool IsSettingsFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.size() <= MaxSettingsBytes;
}
} // namespace

std::uint8_t ReadLauncherByte(const QString& path, const QString& section, const QString& key,
                              std::uint8_t defaultValue) {
    if (!IsSettingsFile(path))
        return defaultValue;
    const QSettings settings(path, QSettings::IniFormat);
    const QVariant stored = settings.value(section + QLatin1Char('/') + key);
    // The INI reader splits a text with commas into a list; rejoined it is just not an integer.
    const QString text = stored.typeId() == QMetaType::QStringList
                             ? stored.toStringList().join(QLatin1Char(','))
                             : stored.toString();
    const auto value = model::ParseInteger(text.toStdString());
    return value ? static_cast<std::uint8_t>(static_cast<std::uint32_t>(*value) & 0xFFu) : defaultValue;
}

TLauncherStart ReadLauncherStart(const QString& section) {
    const QString path = LauncherSettingsPath();
    return {ReadLauncherByte(path, section, QStringLiteral("Spring"), 1),
            ReadLauncherByte(path, section, QStringLiteral("Position"), 0)};
}

} // namespace controls
