// Fuzz harness: the launcher settings reader on a file of any content.
#include "controls/LauncherSettings.h"
#include "tests/fuzz/FuzzSupport.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QString path = QString::fromStdString(fuzz::ScratchFile("ktxlauncher.ini"));
    {
        QFile file(path);
        fuzz::Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        fuzz::Require(file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
    }
    (void)controls::ReadLauncherByte(path, QStringLiteral("KTXcalc"), QStringLiteral("Spring"), 2);
    return 0;
}
