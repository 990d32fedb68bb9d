#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

class QPainter;

namespace traxilo {

// What one plot shows, in data units. Drawn with QPainter on any paint
// device, so the screen, the clipboard picture, PNG and PDF are the same
// drawing.
struct PlotMarkers {
    std::vector<QPointF> points;
    std::vector<int> frames; // the clip frame of each point
    QColor colour;
    int axis = 0; // 0: scale on the left, 1: on the right
};

struct PlotLine {
    std::vector<QPointF> points; // a polyline
    QColor colour;
    int axis = 0;
};

struct PlotContent {
    QString xTitle;
    QString yTitles[2]; // the right one empty when no series uses it
    QColor yTitleColours[2];
    std::vector<PlotMarkers> markers;
    std::vector<PlotLine> lines;
    std::optional<double> cursor;                    // vertical line at this abscissa
    std::optional<std::pair<double, double>> band;   // a range of abscissas, shaded
    std::optional<std::pair<double, double>> xRange; // fixed instead of the data's
    bool zeroLine = false;                           // residuals: the line y = 0
    int highlightedFrame = -1;                       // its markers are ringed
    QString emptyText;                               // shown when there is nothing to plot
    QString caption; // inside, top left: the title of a plot too low for one on its side
};

// Room the labels and titles need around the plotting area.
struct PlotMargins {
    double left = 0;
    double right = 0;
    double top = 0;
    double bottom = 0;
    PlotMargins united(const PlotMargins& other) const;
};

// Where the data land on the device once laid out.
struct PlotFrame {
    QRectF area; // inside the axes
    double xMin = 0;
    double xMax = 1;
    double yMin[2] = {0, 0};
    double yMax[2] = {1, 1};
    bool hasRightAxis = false;

    QPointF toDevice(QPointF data, int axis) const;
    double xFromDevice(double deviceX) const;
};

PlotMargins plotMargins(const PlotContent& content, const QFont& font);
PlotFrame layoutPlot(const QRectF& rect, const PlotContent& content, const PlotMargins& margins);
void drawPlot(QPainter& painter, const PlotFrame& frame, const PlotContent& content,
              const QFont& font);

// The marker nearest to `devicePos` within `radius` device pixels, as
// (marker set, index); empty when none is that close.
std::optional<std::pair<int, int>> markerAt(const PlotFrame& frame, const PlotContent& content,
                                            QPointF devicePos, double radius);

} // namespace traxilo
