#pragma once

#include <QString>

namespace traxilo {

// The open clip's facts, all set together when a clip is opened.
struct ClipInfo {
    QString fileName;            // name and extension, without the folder
    QString sizeText;            // as FileSizeText writes it
    qint32 frameCount = 0;       // from the player
    long double framePeriod = 0; // seconds: duration in ms / frame count / 1000
    qint32 frameRate = 0;        // 1 / period rounded, ties to even; unchanged when the period is 0
    qint32 width = 0;            // natural picture size
    qint32 height = 0;
    QString codecFourCC; // as read from the file's header, may be empty
    // When the header's FourCC names another codec than the one the stream
    // is decoded with: the stream's own code and the decoder's name.
    QString decodedCodec;
    QString decodedCodecName;
};

} // namespace traxilo
