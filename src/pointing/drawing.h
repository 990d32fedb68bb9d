#pragma once

#include "geometry/calibration.h"
#include "pointing/style_table.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <vector>

class QPainter;

namespace traxilo {

// All routines draw one-pixel lines without anti-aliasing, in the painter's
// device pixels. A line from A to B paints A and every pixel up to, but not
// including, B; shapes are outlines, never filled.

// A one-pixel line in `colour`: A and every pixel towards B, B excluded.
void DrawLine(QPainter& painter, const QColor& colour, QPoint a, QPoint b);

// The two axes through (x0, y0) across a W x H area, each with a triangular
// head 5k long and 4k wide at the positive end (xDirection, yDirection = +1
// or -1; y +1 points up).
void DrawAxes(QPainter& painter, const QColor& colour, int xDirection, int yDirection, int x0,
              int y0, int H, int W, int k);

// The edge of what DrawAxes draws with the same arguments: every pixel next
// to one of its pixels, diagonals included, in `edge`. Drawn first, so that
// the axes cover their own pixels.
void DrawAxesEdge(QPainter& painter, const QColor& edge, int xDirection, int yDirection, int x0,
                  int y0, int H, int W, int k);

// One mark centred on (x, y) spanning 2r + 1 pixels: shape 0 cross, 1 square,
// 2 circle (both with an inner cross when r >= 2), 3 the cross only when
// r >= 2; any other shape draws nothing.
void DrawMark(QPainter& painter, const QColor& colour, int r, int x, int y, int shape);
// Its edge, as DrawAxesEdge for the axes.
void DrawMarkEdge(QPainter& painter, const QColor& edge, int r, int x, int y, int shape);

// The edge that makes a colour show on any picture: black around light
// colours, white around dark ones.
QColor contrastingEdge(const QColor& colour);

// Red and blue crosses on p1 and p2, then the segment between them in
// `colour`, from p2 to p1 when `fromP2` (the first scale point is being
// placed), with both end pixels painted.
void DrawScaleSegment(QPainter& painter, Qt::PenStyle penStyle, const QColor& colour, QPoint p1,
                      QPoint p2, bool fromP2 = false);

// One recorded position to draw, in pixels of the picture at 100 %.
struct PointMark {
    int frame = 0; // 0-based
    int point = 1; // 1..9
    QPointF pixel;
    bool automatic = false; // found by the tracker
};

struct DrawOptions {
    int displayWidth = 0; // the picture as shown
    int displayHeight = 0;
    long double displayFactor = 1; // shown size / picture size
    int markSize = 1;              // r, 0..4
    // The scale segment shows on the clip surface while the scale is being
    // edited; pictures made for the clipboard leave it out.
    bool withScaleSegment = false;
    bool firstScalePointChecked = false; // chkBoxPt1
    bool outlined = false;               // the layer over the clip: marks get a contrasting edge
};

// Axes (when drawn), then every drawn mark, then the scale segment when it is
// shown, at the display size of `options`.
void Drawpoints(QPainter& painter, const std::vector<PointMark>& marks, const PointStyles& styles,
                const Calibration& calibration, const DrawOptions& options);

// The frame with everything drawn over it, as reDraw shows it.
QImage reDrawImage(const QImage& frame, const std::vector<PointMark>& marks,
                   const PointStyles& styles, const Calibration& calibration,
                   const DrawOptions& options);

// A one-pixel edge around everything drawn on a transparent layer, within
// `area`: black around light drawings, white around dark ones, so that a
// white mark shows on a light picture and a black one on a dark picture.
void outlineMarks(QImage& layer, QRect area);

// One more mark on an outlined layer, as rebuilding the layer would draw it:
// the mark over what is there, its edge only where nothing is drawn yet.
// Returns the area changed.
QRect addOutlinedMark(QImage& layer, const QColor& colour, int r, int x, int y, int shape);

// The same drawing on a transparent layer of `size`, to be kept and laid over
// each frame shown until the data or the styles change; outlined when
// `options.outlined`.
QImage renderOverlay(QSize size, const std::vector<PointMark>& marks, const PointStyles& styles,
                     const Calibration& calibration, const DrawOptions& options);
void compositeOverlay(QImage& frame, const QImage& overlay);

} // namespace traxilo
