#pragma once

#include "pointing/style_table.h"

#include <QColor>
#include <optional>

namespace traxilo {

// How pointing looks: the pointer over the clip (colour and shape codes,
// whose cursor number is colour x 100 + shape) and the choices of the
// pointer dialog that the menus also write.
struct PointStyle {
    static constexpr int kBlack = 1;
    static constexpr int kWhite = 2;

    int pointerColour = kBlack; // 1 black, 2 white
    // 1 large target, 2 small target, 3 cross; while calibrating the shape
    // of the calibration cursor in use (11..14 origin, 41, 42 scale points).
    int pointerShape = 2;
    int colourChoice = 0;           // "Noir / Blanc": 0 black, 1 white
    int shapeChoice = 1;            // "Forme": 0..2, shape code - 1
    bool shapeChoiceEnabled = true; // the shape cannot be chosen while calibrating

    int cursorNumber() const { return pointerColour * 100 + pointerShape; }

    // The cursor rule, for the clip surface showing cursor `cursorInUse`: the
    // colour comes from the colour choice; the shape stays the one in use
    // (cursorInUse mod 100) unless the shape can be chosen. Both become the
    // pointer's codes; returns the new cursor number.
    int Curseur(int cursorInUse);
    // Entering the pointing mode: the chosen shape comes back.
    int pointingCursor();
};

// The two palettes of the quick configurations, for points 1 to 9.
enum class Background { Light, Dark };
QColor paletteColour(Background background, int point);

// A quick configuration by its menu tag: 1..9 points on a light picture
// ("Fond clair"), 21..29 on a dark one ("Fond sombre").
struct QuickConfiguration {
    Background background = Background::Light;
    int points = 1;
};
std::optional<QuickConfiguration> quickConfiguration(int tag);

// Points 1..n take their palette colours; drawn flags and shapes stay.
PointStyles applyQuickConfiguration(PointStyles styles, const QuickConfiguration& configuration);

} // namespace traxilo
