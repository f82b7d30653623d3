#include "controls/LauncherSettings.h"

#include "model/NumberText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace controls {

QString LauncherSettingsPath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("ktxlauncher.ini"));
}

namespace {
// The launcher writes a few lines; anything larger is not its file, and reading it would delay the
// start and take memory.
constexpr qint64 kMaxSettingsBytes = 64 * 1024;

// Only a small regular file is read: a FIFO or a device would block the start or never end.
bool IsSettingsFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.size() <= kMaxSettingsBytes;
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

} // namespace controls
