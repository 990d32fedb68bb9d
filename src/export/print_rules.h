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

// The power of ten proposed for a picture that would just fill the sheet at
// `fillingScale` (0.05 gives 0.1, 0.5 gives 1, 3 gives 10); 1 when there is
// no picture.
long double proposedScale(long double fillingScale);

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
