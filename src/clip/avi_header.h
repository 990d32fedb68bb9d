#pragma once

#include <QString>

class QIODevice;

namespace traxilo {

// Facts of an AVI file read at the fixed offsets of the standard layout
// (RIFF header, main header, first stream header), before the file is opened
// by the player. Every number is a signed 32-bit little-endian value.
struct AviHeaderInfo {
    qint32 frameCount = 0;        // offset 48
    qint32 width = 0;             // offset 64
    qint32 height = 0;            // offset 68
    QString codecFourCC;          // offset 112, cut at the first zero byte
    qint32 scale = 0;             // offset 128, read only when rate >= 1
    qint32 rate = 0;              // offset 132
    long double framePeriod = -1; // scale / rate in seconds, -1 when rate < 1
    long double duration = 0;     // frameCount x framePeriod
    qint32 framesPerSecond = 0;   // 1 / framePeriod rounded, ties to even; 0 when not finite
    bool valid = false;           // frames, width, height and period all > 0
};

enum class AviHeaderError {
    None,
    CannotOpen, // missing, a folder, no access, not a regular file
    BeyondEnd,  // the file ends before one of the offsets
};

struct AviHeaderResult {
    AviHeaderError error = AviHeaderError::None;
    QString errorText;  // French, for the error box; empty on success
    AviHeaderInfo info; // meaningful only when ok()
    bool ok() const { return error == AviHeaderError::None; }
};

// Reads the six fields in the order 48, 64, 68, 112, 132, 128 and derives the
// rest. No chunk identifier is checked: a file laid out otherwise yields the
// bytes found there, and the validity rule filters most of them out.
AviHeaderResult ReadAviHeader(const QString& path);
// The same from a device open for reading and able to seek.
AviHeaderResult ReadAviHeader(QIODevice& device);

// The codec's display name from the fixed table ("inconnu" when absent); the
// code is lower-cased first, so "MSVC" and an empty code ("Non compressé")
// are found.
QString CodecName(const QString& fourCC);

// ASCII letters only, as codes are compared.
QString LowerFourCC(const QString& fourCC);

} // namespace traxilo
