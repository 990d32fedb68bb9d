#pragma once

#include "export/print_rules.h"
#include "geometry/calibration.h"
#include "pointing/drawing.h"
#include "pointing/style_table.h"

#include <QColor>
#include <QPoint>
#include <QSize>
#include <QString>
#include <optional>
#include <vector>

class QPainter;

namespace traxilo {

// What the user chose in the print dialog.
struct PrintSettings {
    long double scale = 1; // metres per printed centimetre
    PrintColours colours = PrintColours::Black;
    bool grid = true;
    bool gridInAxesColour = false; // else grey 127
    bool fromTimeOrigin = true;    // marks from the time-origin frame on
};

// Everything the page is made of, in printer dots from the top-left corner
// of the printable area.
struct PageInput {
    QSize picture;      // the clip's picture at 100 %, pixels
    int markSize = 1;   // r of the marks, pixels of the picture
    int timeOrigin = 0; // frame index, for settings.fromTimeOrigin
    QSize dpi{300, 300};
    QSize page; // printable area, dots (empty: as large as the drawing)
    PrintSettings settings;
};

struct PageAxes {
    QColor colour;
    int xDirection = 1;
    int yDirection = 1;
    QPoint origin;
    int width = 0; // the area the axes cross
    int height = 0;
    int arrowUnit = 1;
    std::optional<QColor> edge; // a light colour is edged so that it shows on paper
};

struct PageMark {
    QPoint centre;
    int radius = 0;
    int shape = 0;
    QColor colour;
    std::optional<QColor> edge;
    bool operator==(const PageMark&) const = default;
};

struct PageLayout {
    long double dotsPerPixelX = 0;
    long double dotsPerPixelY = 0;
    QSize drawing; // the printed picture, dots
    std::optional<PageAxes> axes;
    bool grid = false;
    QColor gridColour;
    std::vector<int> gridRows;    // y of each horizontal line, from x 0 to the drawing's width
    std::vector<int> gridColumns; // x of each vertical line, from y 0 to the drawing's height
    std::vector<PageMark> marks;  // in drawing order
    QString caption;              // "1cm : " and the scale
    QPoint captionAt;             // top-left corner of the caption
};

// The page: axes, the 1 cm grid through the origin (lines 1 cm apart from
// the first whole centimetre inside the top and left edges), the marks of
// the recorded points, the caption under the picture. Parts that fall far
// off the page are left out or cut, so that any scale prints in bounded time.
PageLayout layoutPage(const std::vector<PointMark>& marks, const PointStyles& styles,
                      const Calibration& calibration, const PageInput& input);

// Draws the page in that order: the edges of light axes and marks (white
// on white paper would not show), axes, grid (dotted), marks, caption.
void renderPage(QPainter& painter, const PageLayout& layout);

} // namespace traxilo
