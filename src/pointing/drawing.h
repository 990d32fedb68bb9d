#pragma once

#include "geometry/calibration.h"
#include "pointing/measure_tables.h"

#include <QColor>
#include <QImage>
#include <QPoint>

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

struct DrawOptions {
    int displayWidth = 0;
    int displayHeight = 0;
    int markSize = 1; // r, 0..4
    // The scale segment belongs on the clip surface only: pictures made for
    // the clipboard leave it out.
    bool withScaleSegment = true;
    bool firstScalePointChecked = false; // chkBoxPt1
    bool outlined = false;               // the layer over the clip: marks get a contrasting edge
};

// Axes (when drawn), then every drawn mark of every frame, then the scale
// segment when it is shown. A point whose pixel y is missing is skipped.
void Drawpoints(QPainter& painter, const MeasureTables& tables, const Calibration& calibration,
                const DrawOptions& options);

// The frame with everything drawn over it, as reDraw shows it.
QImage reDrawImage(const QImage& frame, const MeasureTables& tables, const Calibration& calibration,
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
QImage renderOverlay(QSize size, const MeasureTables& tables, const Calibration& calibration,
                     const DrawOptions& options);
void compositeOverlay(QImage& frame, const QImage& overlay);

} // namespace traxilo
