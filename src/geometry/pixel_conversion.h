#pragma once

#include "geometry/calibration.h"

#include <QPoint>
#include <QString>
#include <optional>

namespace traxilo {

// A picture position in the calibrated frame: pixels from the origin along
// the chosen axis directions, and the same in metres.
struct FramePosition {
    double pX = 0;
    double pY = 0;
    long double x = 0;
    long double y = 0;
};

// pX = signX (X - Xo), pY = signY (Yo - Y), x = pX * sensitivity, y likewise.
FramePosition convertPixel(const Calibration& calibration, double X, double Y);

// A pixel count as the read-outs show it: whole pixels without a decimal,
// others with one ("12", "12,5").
QString pixelText(double pixels);

// The picture pixel of a position in metres, rounded to the nearest pixel
// with halves to even. Empty when the sensitivity is zero or not finite, or
// when the pixel would not fit an int.
std::optional<QPoint> metresToPixel(const Calibration& calibration, long double x, long double y);

// Clicks count only on the picture: 0 <= X < width, 0 <= Y < height.
bool insideDisplayedPicture(double X, double Y, int width, int height);

// The four read-outs beside the picture while the mouse moves over it.
struct PointerReadouts {
    QString xPixels; // lblXPixels "pX= 12"
    QString yPixels; // lblYPixels
    QString xMetres; // lblXMetres "x=  1.20E+1"
    QString yMetres; // lblYMetres
};
PointerReadouts pointerReadouts(const Calibration& calibration, double X, double Y, int xyDigits);
// What the calibration reset writes into the two metre read-outs.
QString zeroMetreReadout(QChar axis, int xyDigits);

// The scale points in the origin's frame (lblP1X, lblP1Y, lblP2X, lblP2Y).
struct ScalePointLabels {
    QString p1X;
    QString p1Y;
    QString p2X;
    QString p2Y;
};
ScalePointLabels MaJlblP(const Calibration& calibration);

// Text of both sensitivity labels for a sensitivity S.
QString affichSensibilites(long double S, int xyDigits);
inline const QString kSensitivityErrorText = QStringLiteral("erreur ?\?!");

// Hint of the coordinate tool bar, from the texts of the two sensitivity labels.
QString coordinateHint(const QString& horizontal, const QString& vertical);

// Axis directions of the orientation buttons tbXpYp, tbXnYp, tbXpYn, tbXnYN
// (image index 0 to 3); empty for any other index.
std::optional<QPoint> orientationSigns(int imageIndex);

// Cursor number for choosing the origin: pointer colour code (1 black,
// 2 white) x 100 + 11..14 after the axis directions; empty for other codes.
std::optional<int> originCursor(int colourCode, int signX, int signY);

} // namespace traxilo
