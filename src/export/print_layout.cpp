#include "export/print_layout.h"

#include "common/number_format.h"
#include "pointing/drawing.h"
#include "pointing/style_table.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace traxilo {

namespace {

constexpr long double kCm = 2.54L; // centimetres per inch

// Lines 1 cm apart through the origin: `count` + 1 of them from `first`,
// keeping those that fall on the page (0..limit).
std::vector<int> gridLines(long double first, long double step, long double count, int limit) {
    std::vector<int> lines;
    if (!(step > 0) || count < 0)
        return lines;
    // Only the lines that can reach the page are walked, however many the
    // scale asks for.
    const long double from = std::max(0.0L, std::floor(-first / step) - 1);
    const long double to = std::min(count, std::ceil((limit - first) / step) + 1);
    for (long double j = from; j <= to; ++j) {
        const long long at = roundHalfEven(first + j * step);
        if (at >= 0 && at <= limit)
            lines.push_back(int(at));
    }
    return lines;
}

// Whole centimetres in `cm`, towards zero. A scale typed in decimal is not
// exact in binary: 24 cm must not come out as 23.999... and lose a line.
long double wholeCm(long double cm) {
    return std::trunc(cm + (cm < 0 ? -1e-9L : 1e-9L));
}

// A colour this light (white, yellow, ...) hardly shows on white paper: it is
// edged as the marks over the clip are. Darker ones print as they are.
constexpr int kPaperLightness = 200;

std::optional<QColor> paperEdge(const QColor& printed) {
    if (qGray(printed.rgb()) < kPaperLightness)
        return std::nullopt;
    return contrastingEdge(printed);
}

} // namespace

PageLayout layoutPage(const std::vector<PointMark>& marks, const PointStyles& styles,
                      const Calibration& calibration, const PageInput& input) {
    PageLayout page;
    const PrintSettings& settings = input.settings;
    const long double cmPerPixel = calibration.sensitivity / settings.scale;
    const long double dotsPerCmX = input.dpi.width() / kCm;
    const long double dotsPerCmY = input.dpi.height() / kCm;
    page.dotsPerPixelX = cmPerPixel * dotsPerCmX;
    page.dotsPerPixelY = cmPerPixel * dotsPerCmY;

    // Beyond this distance from the page nothing drawn can show on it; far
    // positions are brought back to it so that any scale stays drawable.
    const long double far = input.page.isEmpty()
                                ? 1e7L
                                : 2.0L * std::max(input.page.width(), input.page.height()) + 1000;
    auto dots = [far](long double value) {
        return int(std::clamp<long double>(roundHalfEven(value), -far, far));
    };
    const int width = std::max(0, dots(input.picture.width() * page.dotsPerPixelX));
    const int height = std::max(0, dots(input.picture.height() * page.dotsPerPixelY));
    page.drawing = QSize(width, height);
    const QSize sheet = input.page.isEmpty() ? page.drawing : input.page;

    const MarkStyle& axes = styles.axes;
    if (axes.drawn) {
        page.axes = PageAxes{printedColour(axes.colour, settings.colours),
                             calibration.signX,
                             calibration.signY,
                             QPoint(dots(calibration.Xo * page.dotsPerPixelX),
                                    dots(calibration.Yo * page.dotsPerPixelY)),
                             width,
                             height,
                             std::clamp(dots(page.dotsPerPixelX + 1), 1, int(far / 10)),
                             std::nullopt};
        page.axes->edge = paperEdge(page.axes->colour);
    }

    if (settings.grid) {
        page.grid = true;
        // The grid keeps its own colour whatever the colour choice.
        page.gridColour = settings.gridInAxesColour ? axes.colour : QColor(127, 127, 127);
        const long double xo = calibration.Xo;
        const long double yo = calibration.Yo;
        const long double rowsCount =
            wholeCm((input.picture.height() - yo) * cmPerPixel) + wholeCm(yo * cmPerPixel);
        const long double firstRow =
            yo * page.dotsPerPixelY - wholeCm(yo * cmPerPixel) * dotsPerCmY;
        page.gridRows =
            gridLines(firstRow, dotsPerCmY, rowsCount, std::min(height, sheet.height()));
        const long double columnsCount =
            wholeCm((input.picture.width() - xo) * cmPerPixel) + wholeCm(xo * cmPerPixel);
        const long double firstColumn =
            xo * page.dotsPerPixelX - wholeCm(xo * cmPerPixel) * dotsPerCmX;
        page.gridColumns =
            gridLines(firstColumn, dotsPerCmX, columnsCount, std::min(width, sheet.width()));
    }

    const int firstFrame = settings.fromTimeOrigin ? std::max(0, input.timeOrigin) : 0;
    const int radius = std::clamp(dots(input.markSize * page.dotsPerPixelX), 0, int(far));
    const QRect visible(QPoint(0, 0), sheet);
    for (const PointMark& mark : marks) {
        const MarkStyle& style = styles.point(mark.point);
        if (mark.frame < firstFrame || !style.drawn)
            continue;
        const QPoint centre(dots(mark.pixel.x() * page.dotsPerPixelX),
                            dots(mark.pixel.y() * page.dotsPerPixelY));
        const QRect box(centre - QPoint(radius, radius), QSize(2 * radius + 1, 2 * radius + 1));
        if (!box.intersects(visible))
            continue;
        const QColor printed = printedColour(style.colour, settings.colours);
        page.marks.push_back({centre, radius, style.shape, printed, paperEdge(printed)});
    }

    page.caption = QStringLiteral("1cm : ") + FormatSci(2, settings.scale) + QStringLiteral("m");
    page.captionAt = QPoint(10, height + 5);
    return page;
}

void renderPage(QPainter& painter, const PageLayout& page) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Every edge first: a mark or an axis is never covered by another's edge.
    if (page.axes && page.axes->edge) {
        const PageAxes& a = *page.axes;
        DrawAxesEdge(painter, *a.edge, a.xDirection, a.yDirection, a.origin.x(), a.origin.y(),
                     a.height, a.width, a.arrowUnit);
    }
    for (const PageMark& mark : page.marks) {
        if (mark.edge)
            DrawMarkEdge(painter, *mark.edge, mark.radius, mark.centre.x(), mark.centre.y(),
                         mark.shape);
    }
    if (page.axes) {
        const PageAxes& a = *page.axes;
        DrawAxes(painter, a.colour, a.xDirection, a.yDirection, a.origin.x(), a.origin.y(),
                 a.height, a.width, a.arrowUnit);
    }
    if (page.grid) {
        QPen dotted(page.gridColour, 1, Qt::DotLine, Qt::FlatCap);
        painter.setPen(dotted);
        painter.setBrush(Qt::NoBrush);
        // Through the middle of the dots, as the marks fill theirs.
        for (const int y : page.gridRows)
            painter.drawLine(QLineF(0, y + 0.5, page.drawing.width(), y + 0.5));
        for (const int x : page.gridColumns)
            painter.drawLine(QLineF(x + 0.5, 0, x + 0.5, page.drawing.height()));
    }
    for (const PageMark& mark : page.marks)
        DrawMark(painter, mark.colour, mark.radius, mark.centre.x(), mark.centre.y(), mark.shape);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(page.captionAt, QSizeF(0, 0)),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, page.caption);
    painter.restore();
}

} // namespace traxilo
