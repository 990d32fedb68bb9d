#include "pointing/point_style.h"

#include "pointing/style_table.h"

#include <algorithm>
#include <array>

namespace traxilo {

int PointStyle::Curseur(int cursorInUse) {
    int shape = cursorInUse % 100;
    const int colour = colourChoice + 1;
    if (shapeChoiceEnabled) {
        shape = shapeChoice + 1;
    }
    pointerColour = colour;
    pointerShape = shape;
    return cursorNumber();
}

int PointStyle::pointingCursor() {
    pointerShape = shapeChoice + 1;
    return cursorNumber();
}

QColor paletteColour(Background background, int point) {
    // Colours that stand out on a light picture, and on a dark one.
    static const std::array<QColor, 9> light = {
        QColor(255, 0, 0),   QColor(0, 0, 255),   QColor(0, 64, 0),
        QColor(128, 0, 0),   QColor(128, 128, 0), QColor(0, 0, 128),
        QColor(128, 0, 128), QColor(0, 128, 128), QColor(0, 128, 128)};
    static const std::array<QColor, 9> dark = {
        QColor(255, 255, 0),   QColor(0, 255, 255),   QColor(0, 255, 0),
        QColor(192, 192, 192), QColor(255, 255, 255), QColor(255, 119, 0),
        QColor(255, 255, 119), QColor(255, 119, 255), QColor(192, 192, 192)};
    const auto& palette = background == Background::Light ? light : dark;
    return palette[size_t(std::clamp(point, 1, 9) - 1)];
}

std::optional<QuickConfiguration> quickConfiguration(int tag) {
    if (tag >= 1 && tag <= 9) {
        return QuickConfiguration{Background::Light, tag};
    }
    if (tag >= 21 && tag <= 29) {
        return QuickConfiguration{Background::Dark, tag - 20};
    }
    return std::nullopt;
}

PointStyles applyQuickConfiguration(PointStyles styles, const QuickConfiguration& configuration) {
    for (int c = 1; c <= configuration.points; ++c)
        styles.point(c).colour = paletteColour(configuration.background, c);
    return styles;
}

} // namespace traxilo
