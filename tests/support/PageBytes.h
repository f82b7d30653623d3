// Recorded page bytes for the tests of the page check and of what replays pages: real recordings,
// the reproducers kept beside the fuzzers, and surgery on single records.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPicture>
#include <QtEndian>

#include <functional>

namespace testsupport {

// The bytes of a picture of `size` pixels recorded by `draw`.
inline QByteArray RecordedBytes(const std::function<void(QPainter&)>& draw, QSize size = QSize(120, 160)) {
    QPicture picture;
    QPainter painter(&picture);
    draw(painter);
    picture.setBoundingRect(QRect(QPoint(0, 0), size));
    painter.end();
    return QByteArray(picture.data(), picture.size());
}

// Writes the checksum that the bytes after it need, so that a damaged page fails on its content.
inline QByteArray Resummed(QByteArray bytes) {
    const quint16 sum = qChecksum(QByteArrayView(bytes).sliced(6));
    qToBigEndian(sum, bytes.data() + 4);
    return bytes;
}

// Where the data of the first record with `command` starts (after its command and length bytes),
// or -1. Records follow the 10-byte header and the 22-byte page start.
inline qsizetype RecordData(const QByteArray& bytes, quint8 command) {
    qsizetype at = 32;
    while (at + 2 <= bytes.size()) {
        const auto c = quint8(bytes[at]);
        qsizetype length = quint8(bytes[at + 1]);
        qsizetype data = at + 2;
        if (length == 255) {
            length = qFromBigEndian<qint32>(bytes.constData() + data);
            data += 4;
        }
        if (c == command)
            return data;
        at = data + length;
    }
    return -1;
}

// The reproducer files kept beside the fuzzers: raw page bytes that once crashed or swamped Qt.
inline QStringList ReproducerFiles() {
    const QDir folder(QStringLiteral(HANDVISE_SOURCE_DIR "/tests/fuzz/repro"));
    QStringList files;
    for (const QString& name : folder.entryList({QStringLiteral("*.pic")}, QDir::Files, QDir::Name))
        files << folder.filePath(name);
    return files;
}

inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace testsupport
