#pragma once

#include "clipgen/clip_generator.h"

#include <QImage>
#include <QRectF>
#include <functional>
#include <optional>

class QPainter;

namespace traxilo::clipgen {

// Recipes of clips for assisted tracking, all a patterned ball thrown over
// a patterned background, H.264 in MP4; empty for another name.
//   track-throw       1920 x 1080 at 60 per second, 50 frames, sharp
//   track-blur-shadow the same, 60 frames, 1/120 s shutter, a band of shade
//                     and the light dimming by a third
//   track-pole        a pole in front hides the ball wholly for 3 frames
//   track-spin        the ball turns once in two seconds
//   track-phone-vfr   a portrait phone clip: 1920 x 1080 stored, shown
//                     upright, about 30 per second with irregular intervals
std::optional<ClipSpec> trackingRecipe(const QString& name);
QStringList trackingRecipeNames();

// Draws the frames of a tracking clip and marks in the truth the frames on
// which the ball is wholly hidden.
class TrackingPainter {
public:
    using Path = std::function<QPointF(double t)>;

    // `shown`: the clip with the size of the picture as shown; `path`: the
    // ball's centre at a time, picture pixels.
    TrackingPainter(const ClipSpec& shown, double radius, Path path, ClipTruth& truth);

    // Frame `index` without its frame code; `drawRulers` draws the scene's
    // rulers over the background.
    QImage render(int index, const std::function<void(QPainter&)>& drawRulers) const;

private:
    void drawBall(QPainter& painter, QPointF centre, double t) const;
    void placePole(const ClipTruth& truth);
    void drawPole(QPainter& painter) const;
    void light(QImage& image, int index) const;

    ClipSpec m_spec;
    TrackingLook m_look;
    double m_radius;
    Path m_path;
    std::vector<double> m_times;
    QImage m_background;
    QImage m_ballPattern;       // twice the ball's size, centred
    std::vector<float> m_shade; // one factor per pixel: the band of shade
    std::vector<qint8> m_grain; // a tile of sensor noise, shifted every frame
    QRectF m_pole;              // empty: none
    bool m_poleUpright = true;
};

} // namespace traxilo::clipgen
