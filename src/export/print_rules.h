#pragma once

#include <QColor>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <optional>

namespace traxilo {

// The rules of the print dialog that need no widget. Scales are metres per
// printed centimetre.

// How axes and marks are coloured on paper ("rbCouleur" items).
enum class PrintColours { Screen = 0, Grey = 1, Black = 2 };

// Grey value 0..255 of a colour: its lightness on a 0..240 scale, brought
// back to 0..255 (white 255, pure green 128).
int GreyLevel(const QColor& colour);
QColor printedColour(const QColor& colour, PrintColours colours);

// The metres per printed centimetre at which a picture of `realM` metres
// just fills the printable area `sheetCm`: across its width, and down to a
// centimetre above its foot, where the caption goes. 0 when there is no
// picture.
long double fillingScale(QSizeF realM, QSizeF sheetCm);

// The scale proposed for a picture that would just fill the sheet at
// `filling`: the 1-2-5 step at or above it, so that the axes and the
// trajectory are as large as the page allows and the scale stays a round
// one to measure with (0.116 gives 0.2, 0.5 stays 0.5, 3 gives 5); 1 when
// there is no picture.
long double proposedScale(long double filling);

// The track bar (0..200, the proposed scale at 100, ten times it at 0, a
// tenth at 200) and the scale it stands for.
int trackBarPosition(long double scale, long double proposed);
long double scaleAtPosition(int position, long double proposed);

// The scale field's text: a number with "." or "," as decimal point and an
// optional exponent. Nothing when it does not parse or is not above 0.
std::optional<long double> parseScale(const QString& text);

// Said when the scale field is left with a text that is no scale.
inline const QString kPrintScaleWarning = QStringLiteral(
    "Entrez un nombre !\r\r1 cm sur la feuille représente une longueur en mètre(s),\r"
    "plus grande que 0.\r\rformats possibles :\r       - décimal ex : 0,05\r"
    "       - scientifique ex : 5E-2");

// Rounds to the nearest integer, halves to even, as every position on the page.
long long roundHalfEven(long double x);

// The sheet preview: 90 pixels along the longer side of the page.
QSize sheetPreviewSize(QSize pageDots);
// "20,3x28,7cm": the printable area, one decimal, the locale's separator.
QString sheetFormatText(QSizeF sheetCm);

// The drawing preview over the sheet preview: to scale when the printed
// picture fits; otherwise 10 pixels beyond the sheet along the side that
// overflows, with the picture's proportions, and shown as too large.
struct DrawingPreview {
    QSize size;
    bool tooLarge = false;
};
DrawingPreview drawingPreview(QSize sheetPreview, QSizeF sheetCm, QSizeF printedCm);

} // namespace traxilo
