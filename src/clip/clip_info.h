#pragma once

#include "clip/frame_timing.h"

#include <QString>
#include <optional>

namespace traxilo {

// The open clip's facts, all set together when a clip is opened.
struct ClipInfo {
    QString fileName;            // name and extension, without the folder
    QString sizeText;            // as FileSizeText writes it
    qint32 frameCount = 0;       // from the player
    long double framePeriod = 0; // seconds: duration in ms / frame count / 1000
    qint32 frameRate = 0;        // 1 / period rounded, ties to even; unchanged when the period is 0
    qint32 width = 0;            // the picture as shown: upright, square pixels
    qint32 height = 0;
    qint32 storedWidth = 0; // the picture as the file stores it
    qint32 storedHeight = 0;
    int rotation = 0;           // degrees clockwise from stored to shown
    bool mirrored = false;      // and then flipped left to right
    FrameTiming timing;         // each frame's own time
    double fileCaptureRate = 0; // the rate the file says it was filmed at, 0 when it does not
    // The rate it was filmed at when that is not the rate it plays at.
    std::optional<long double> captureRate;
    QString codecFourCC; // as read from the file's header, may be empty
    // When the header's FourCC names another codec than the one the stream
    // is decoded with: the stream's own code and the decoder's name.
    QString decodedCodec;
    QString decodedCodecName;
    QString decoderName; // the decoder's own name, for codes the AVI table does not know
};

} // namespace traxilo
