#pragma once

#include "clipgen/clip_generator.h"

#include <QImage>

namespace traxilo::clipgen {

// The synthetic experiment: lays out the ruler and the trajectory so that
// they fit the picture, then draws each frame and knows its truth.
class Scene {
public:
    explicit Scene(const ClipSpec& clipSpec);

    const ClipTruth& truth() const { return m_truth; }
    // Time of frame `index` in seconds; irregular for a variable-rate clip.
    double frameTime(int index) const;
    QImage render(int index) const;

private:
    QPointF ballAt(double t) const;

    ClipSpec m_spec;
    ClipTruth m_truth;
    QPointF m_start; // ball position at t = 0, pixels
    double m_radius = 4;
};

} // namespace traxilo::clipgen
