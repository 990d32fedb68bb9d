#pragma once

#include "geometry/calibration.h"

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

namespace traxilo {

// One recorded position: frame index (0-based), point number (1..9) and the
// pixels of the picture at 100 %.
struct RecordedPosition {
    int frame = 0;
    int point = 1;
    double x = 0;
    double y = 0;
    bool automatic = false; // found by the tracker rather than clicked
    bool operator==(const RecordedPosition&) const = default;
};

// Everything needed to go on measuring where the user stopped. The metre
// table is not kept: it follows from the pixels and the calibration.
struct SessionData {
    // The clip, and what recognises it.
    QString clipPath;         // absolute
    QString clipRelativePath; // from the session file's folder
    int frameCount = 0;
    QSize pictureSize;
    QString codec;

    int displayPercent = 100; // the size the clip was shown at

    Calibration calibration; // pixels of the picture at 100 %
    QString distanceText;    // the distance field as typed

    int timeOrigin = 1; // image number, 1-based
    // The rate the clip was filmed at, when not the rate it plays at (slow motion).
    std::optional<long double> captureRate;
    int timeDecimals = 3;
    int xyDigits = 3;
    int pointsPerFrame = 1;
    int currentPoint = 1;
    int currentFrame = 0;
    QList<RecordedPosition> positions;

    QList<QStringList> styleColumns; // the style grid, column by column (3 cells each)
    int markSize = 2;                // 1..5
    int pointerColour = 1;           // 1 black, 2 white
    int pointerShape = 2;            // 1 large target, 2 small target, 3 cross

    int pointCount() const { return int(positions.size()); }
    bool operator==(const SessionData&) const = default;
};

// 2: positions and calibration in pixels of the picture at 100 %, as
// decimals, with the automatic flag. Version 1 kept whole pixels of the
// picture as shown; it is read and converted.
inline constexpr int kSessionFormatVersion = 2;

// The session as a JSON document (UTF-8). `sessionPath` is where it will be
// written, for the clip's relative path.
QByteArray writeSession(const SessionData& session, const QString& sessionPath);

// Reads a session document; on any fault (not JSON, another program's JSON,
// a newer format, missing or absurd values) nothing and a French reason.
struct SessionReadResult {
    std::optional<SessionData> session;
    QString error;
};
SessionReadResult readSession(const QByteArray& bytes);

// Where the clip is: the absolute path when it exists, else the relative one
// from the session file's folder when that exists, else empty.
QString locateSessionClip(const SessionData& session, const QString& sessionPath);

} // namespace traxilo
