#pragma once

#include "clipgen/clip_generator.h"

#include <QImage>
#include <memory>

class QPainter;

namespace traxilo::clipgen {

class TrackingPainter;

// The synthetic experiment: lays out the ruler and the trajectory so that
// they fit the picture, then draws each frame and knows its truth.
class Scene {
public:
    explicit Scene(const ClipSpec& clipSpec);

    const ClipTruth& truth() const { return m_truth; }
    // Time of frame `index` in seconds, as filmed; irregular for a
    // variable-rate clip.
    double frameTime(int index) const;
    // Its timestamp in the file, in seconds: the filming time, or for slow
    // motion the time it is played back at.
    double stampTime(int index) const;
    QImage render(int index) const;

private:
    QPointF ballAt(double t) const;
    void drawRulers(QPainter& p) const;

    ClipSpec m_spec; // width and height: the picture as shown
    ClipTruth m_truth;
    QPointF m_start; // ball position at t = 0, pixels
    double m_radius = 4;
    std::shared_ptr<const TrackingPainter> m_tracking; // a clip for assisted tracking
};

} // namespace traxilo::clipgen
