#pragma once

#include "clipgen/tracking_look.h"

#include <QImage>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace traxilo::clipgen {

// Codecs the generator writes (all from Debian's libavcodec).
enum class Codec {
    Mjpeg,       // AVI, FourCC "MJPG"
    RawDib,      // AVI, uncompressed, FourCC "DIB "
    RawNoFourCC, // AVI, uncompressed, FourCC four zero bytes
    MsVideo1,    // AVI, "CRAM"
    Cinepak,     // AVI, "cvid"
    Mpeg4Xvid,   // AVI, MPEG-4 part 2 tagged "XVID"
    Mpeg4Divx,   // AVI, MPEG-4 part 2 tagged "DIVX"
    MsMpeg4v2,   // AVI, "MP42"
    MsMpeg4v3,   // AVI, "DIV3"
    H264,        // MP4 (or AVI, MOV)
    Hevc,        // MP4 (or MOV)
    Dv,          // AVI, "dvsd": 720 x 576 at 25 per second, as school camcorders write
};

enum class Container { Avi, Mp4, Mov };
enum class Motion { FreeFall, Throw };

struct ClipSpec {
    Codec codec = Codec::Mjpeg;
    Container container = Container::Avi;
    int width = 320;
    int height = 240;
    int fpsNum = 25;
    int fpsDen = 1;
    int frames = 25;
    int gop = 12;         // keyframe spacing
    int bFrames = 0;      // B-frames between references (MPEG-4, H.264, HEVC)
    bool openGop = false; // MPEG-4 part 2, H.264, HEVC: leading B-frames refer across the keyframe
    bool variableRate = false; // MP4 only: irregular frame intervals in whole milliseconds
    int tickRate = 0;          // MP4/MOV: timestamps in 1/tickRate s (0: the usual choice)
    // H.264 or HEVC written to MP4, then its packets copied into an AVI whose
    // tick is half a frame, as a stream copy to AVI does: every other chunk
    // is empty.
    bool remuxToAvi = false;
    // AVI cut inside the chunk of its last frame, index lost: read back, every
    // chunk is said to be a keyframe and the last frame is unfinished.
    bool truncated = false;

    // As phones and camcorders write them. `width` and `height` are the
    // stored picture; the scene is drawn as it is meant to be shown (upright,
    // square pixels) and turned and squeezed into the stored picture.
    int rotation = 0;      // MP4/MOV display rotation, clockwise: 0, 90, 180, 270
    bool mirrored = false; // and then flipped left to right
    int sarNum = 1;        // stored pixels are sarNum / sarDen as wide as high
    int sarDen = 1;
    int laterFpsNum = 0; // from frame rateChangeAt on, laterFpsNum / fpsDen per second
    int rateChangeAt = 0;
    double captureRate = 0;        // slow motion: filmed at this rate, stored at fpsNum / fpsDen
    bool writeCaptureRate = false; // MP4/MOV: that rate in the metadata, as Android writes it
    bool tenBit = false;           // HEVC with 10 bits per sample
    bool verticalRuler = false;    // a second 1 m ruler, upright, near the left edge
    bool texture =
        false; // a noisy background, new in every frame, that decodes like a filmed scene
    // Trimmed on a phone or with `ffmpeg -ss T -i in -c copy out` (MP4/MOV):
    // the packets from the keyframe before frame `cutAt` on are copied
    // unchanged and an edit list hides the frames before it, which remain in
    // the file as references of the frames after them. The frames shown keep
    // the codes they were painted with: shown frame i carries cutAt + i.
    // 0: no cut.
    int cutAt = 0;
    bool audio = false; // MP4/MOV: a sound track (AAC) beside the picture

    Motion motion = Motion::FreeFall;
    double g = 9.81;           // m/s^2
    double pixelsPerMetre = 0; // 0: chosen so the motion fits the picture
    double v0x = 0;            // m/s, throw only
    double v0y = 0;            // m/s, upward positive
    TrackingLook tracking;     // the look of the clips made for assisted tracking
};

struct FrameTruth {
    double t = 0;         // seconds from frame 0, as filmed
    QPointF ball;         // ball centre, picture pixels, y from the top edge
    bool hidden = false;  // wholly behind something in front of it
    double visible = 1.0; // share of the ball's disc in sight
};

struct ClipTruth {
    QSize shownSize; // the picture as shown; every position below is in it
    QPointF rulerA;  // ends of the ruler drawn in the scene, picture pixels
    QPointF rulerB;
    QPointF rulerC; // ends of the upright ruler, when there is one
    QPointF rulerD;
    double rulerLengthM = 1.0;
    double ballRadius = 0; // picture pixels
    double g = 9.81;
    double pixelsPerMetre = 0;
    std::vector<FrameTruth> frames;
};

// Named recipes of clips as other programs write them, for the command line
// and the tests; empty for an unknown name.
//   mpeg4-open-gop    MPEG-4 part 2 in AVI, 2 B-frames, open GOPs of 12, as
//                     `ffmpeg -c:v mpeg4 -bf 2` writes: 640 x 480, 30 fps, 4 s
//   hevc-avi-remux    HEVC open GOPs in MP4 copied into an AVI (1/60 s ticks)
//   cinepak-truncated Cinepak AVI cut in its 28th frame, without its index
//   phone-portrait    H.264 MP4, 1920 x 1080 stored, shown upright (90 degrees)
//   phone-vfr         H.264 MP4, 1 s at 30 then 1 s at 60 per second
//   phone-slowmo      H.264 MP4 filmed at 240, stored at 30, the rate in its metadata
//   phone-hevc10      10-bit HEVC MOV, shown upright (270 degrees)
//   camcorder-dv      DV in AVI, 720 x 576 stored, 16:15 pixels, two rulers
//   phone-trimmed     H.264 MP4 with sound, cut without re-encoding at frame 40
//                     (keyframes every 30): 50 frames shown
//   phone-hevc-trimmed HEVC MOV with sound, shown upright (90 degrees), cut
//                     without re-encoding at frame 27 (keyframes every 20)
// and the clips for assisted tracking, "track-..." (clipgen/tracking_scene.h).
std::optional<ClipSpec> recipe(const QString& name);
QStringList recipeNames();

// The picture as the clip is meant to be shown: the stored one with square
// pixels, turned by its display rotation.
QSize shownSize(const ClipSpec& clipSpec);

// Writes the clip and returns its truth (of the frames shown, for a cut
// clip); empty with `error` on failure.
std::optional<ClipTruth> generateClip(const ClipSpec& clipSpec, const QString& path,
                                      QString* error = nullptr);

// The frame index a picture carries in its pixel code, or -1 when none can
// be read. Works on frames shown at any size down to 160 pixels wide.
int readFrameIndex(const QImage& picture);

// Side file of the truth: one line per frame "index t x y" after a header.
bool writeTruthFile(const ClipTruth& truth, const QString& path);

} // namespace traxilo::clipgen
