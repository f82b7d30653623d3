// Helpers the fuzz harnesses share: a GUI application for fonts and painting, scratch files, and page
// bytes with a checksum that fits, so that mutations reach the records instead of failing the sum.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QPicture>
#include <QtEndian>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace fuzz {

// One application for the whole run, on the offscreen platform, never destroyed.
inline void EnsureGuiApplication() {
    if (QCoreApplication::instance() != nullptr)
        return;
    static int argc = 3;
    static char arg0[] = "fuzz";
    static char arg1[] = "-platform";
    static char arg2[] = "offscreen";
    static char* argv[] = {arg0, arg1, arg2, nullptr};
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
}

// A small recorded page with text, to warm up fonts and engines before the first timed input.
inline QByteArray WarmUpPage() {
    QPicture picture;
    QPainter painter(&picture);
    painter.drawText(QPoint(10, 20), QStringLiteral("Week 1"));
    painter.drawLine(0, 0, 50, 50);
    picture.setBoundingRect(QRect(0, 0, 100, 100));
    painter.end();
    return QByteArray(picture.data(), picture.size());
}

// A file name private to this process, in memory where the system offers it: the PDF library syncs the
// file it saves, and a busy disk would make every input seem slow.
inline std::string ScratchFile(const char* name) {
    const QDir folder =
        QDir(QStringLiteral("/dev/shm")).exists() ? QDir(QStringLiteral("/dev/shm")) : QDir::temp();
    return folder
        .filePath(QStringLiteral("handvise-fuzz-%1-%2")
                      .arg(QCoreApplication::applicationPid())
                      .arg(QString::fromLatin1(name)))
        .toStdString();
}

// The input with the page checksum (bytes 4 and 5, over everything from byte 6) made to fit.
inline QByteArray WithChecksum(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (bytes.size() >= 6)
        qToBigEndian(qChecksum(QByteArrayView(bytes).sliced(6)), bytes.data() + 4);
    return bytes;
}

// Stops the run on a broken promise, so that the fuzzer keeps the input.
inline void Require(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace fuzz
