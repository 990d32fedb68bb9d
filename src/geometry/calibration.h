#pragma once

#include <QColor>
#include <QPointF>
#include <optional>

namespace traxilo {

// The coordinate frame and the scale of the clip's picture. Positions are
// pixels of the upright picture as shown at 100 %, X from the left edge, Y
// from the top edge, downwards; a click at another display size is converted
// once, so the frame does not depend on the size the clip is shown at.
struct Calibration {
    double Xo = 0;    // origin column
    double Yo = 0;    // origin row, counted from the top
    int signX = 1;    // +1: x grows to the right
    int signY = 1;    // +1: y grows upwards
    QPointF p1{1, 1}; // scale points
    QPointF p2{2, 2};
    long double sensitivity = 1; // metres per picture pixel, both axes
    QColor scaleSegmentColour{0, 128, 0};
    // The user has set the scale of this clip (a scale point or a distance):
    // until then lengths are counted at 1 m per pixel, and the window says so.
    bool scaleDefined = false;
    bool operator==(const Calibration&) const = default;
};

// The calibration reset: scale points (1, 1) and (2, 2), 1 m per pixel, green
// segment, no scale defined. Origin and axis directions are kept.
void initEchelle(Calibration& calibration);

// The frame after opening a clip: origin on the bottom-left pixel, both axes
// the positive way, then the reset above.
void resetForOpenedClip(Calibration& calibration, int pictureHeight);

// |d| / |p1 p2| metres per pixel, the sign of d being lost. Empty for identical points,
// which would divide by zero, and for a distance so small that the result is
// no longer a normal number (down to 0).
std::optional<long double> sensitivityFrom(QPointF p1, QPointF p2, long double distance);

} // namespace traxilo
