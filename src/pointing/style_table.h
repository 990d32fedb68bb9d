#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace traxilo {

// One to nine points are measured on each frame.
inline constexpr int kMaxPoints = 9;

// Colours are written as text: red + 256 x green + 65536 x blue, in decimal.
long colourValue(const QColor& colour);
QString colourText(const QColor& colour);
std::optional<QColor> colourFromText(const QString& text);

inline constexpr long kWhiteValue = 16777215;

// How the marks of one point (or the axes) are drawn.
struct MarkStyle {
    QColor colour = Qt::white;
    bool drawn = true;
    int shape = 0; // 0 cross, 1 square, 2 circle, 3 cross when large; -1 nothing
    bool operator==(const MarkStyle&) const = default;
};

// The axes and the nine points. A point's style is kept when the number of
// points per frame goes down and up again.
struct PointStyles {
    MarkStyle axes{Qt::white, true, 1}; // the axes' shape is never read
    std::array<MarkStyle, kMaxPoints> points{};

    // k is 1..9; any other k reads the first point's style.
    const MarkStyle& point(int k) const;
    MarkStyle& point(int k);
    bool operator==(const PointStyles&) const = default;
};

// The styles as the session file keeps them: column 0 the axes and column k
// point k, three cells each: colour value, drawn "1" or "0", shape number.
QList<QStringList> styleColumns(const PointStyles& styles, int points);
// Columns read back; a cell that is not understood gives what an unreadable
// style cell always gave: white, not drawn, no shape.
PointStyles stylesFromColumns(const QList<QStringList>& columns);

} // namespace traxilo
