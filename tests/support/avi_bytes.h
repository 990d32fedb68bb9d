#pragma once

#include <QByteArray>
#include <QString>

namespace traxilo::test {

// The header fields of a small AVI file in the standard layout.
struct AviFields {
    qint32 frames = 100;
    qint32 width = 320;
    qint32 height = 240;
    QByteArray fourCC = "cvid"; // exactly 4 bytes
    qint32 scale = 1;
    qint32 rate = 25;
};

// RIFF header, main header and first stream header with `fields`, padded
// with zeros to `size` bytes (cut to it when smaller than the header).
QByteArray makeAviBytes(const AviFields& fields, int size = 512);

bool writeBytes(const QString& path, const QByteArray& bytes);

// `avi` with the picture data of its video frame `frame` (0-based, in file
// order) overwritten by noise that no decoder takes for a picture; the
// chunk keeps its size. Empty when the file has no such frame.
QByteArray damageAviFrame(const QByteArray& avi, int frame);

// The folder of the real sample files; empty when it is absent.
QString samplesDir();

} // namespace traxilo::test
