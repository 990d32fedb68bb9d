#include "geometry/pixel_conversion.h"

#include "common/number_format.h"

#include <cmath>
#include <limits>

namespace traxilo {

FramePosition convertPixel(const Calibration& calibration, double X, double Y) {
    FramePosition p;
    p.pX = calibration.signX * (X - calibration.Xo);
    p.pY = calibration.signY * (calibration.Yo - Y);
    p.x = static_cast<long double>(p.pX) * calibration.sensitivity;
    p.y = static_cast<long double>(p.pY) * calibration.sensitivity;
    return p;
}

std::optional<QPoint> metresToPixel(const Calibration& calibration, long double x, long double y) {
    const long double s = calibration.sensitivity;
    if (s == 0 || !std::isfinite(s) || !std::isfinite(x) || !std::isfinite(y))
        return std::nullopt;
    // nearbyint follows the default rounding mode: to nearest, halves to even.
    const long double pX = std::nearbyint(x / s);
    const long double pY = std::nearbyint(y / s);
    const long double X = calibration.Xo + calibration.signX * pX;
    const long double Y = calibration.Yo - calibration.signY * pY;
    constexpr long double lo = std::numeric_limits<int>::min();
    constexpr long double hi = std::numeric_limits<int>::max();
    if (X < lo || X > hi || Y < lo || Y > hi)
        return std::nullopt;
    return QPoint(static_cast<int>(X), static_cast<int>(Y));
}

QString pixelText(double pixels) {
    const double whole = std::nearbyint(pixels);
    if (std::fabs(pixels - whole) < 0.05)
        return QString::number(static_cast<long long>(whole));
    return FormatFixed(1, pixels);
}

bool insideDisplayedPicture(double X, double Y, int width, int height) {
    return X >= 0 && Y >= 0 && X < width && Y < height;
}

PointerReadouts pointerReadouts(const Calibration& calibration, double X, double Y, int xyDigits) {
    const FramePosition p = convertPixel(calibration, X, Y);
    return {QStringLiteral("pX= ") + pixelText(p.pX), QStringLiteral("pY= ") + pixelText(p.pY),
            QStringLiteral("x= ") + FormatSci(xyDigits - 1, p.x),
            QStringLiteral("y= ") + FormatSci(xyDigits - 1, p.y)};
}

QString zeroMetreReadout(QChar axis, int xyDigits) {
    return QString(axis) + QStringLiteral("= ") + FormatSci(xyDigits - 1, 0);
}

ScalePointLabels MaJlblP(const Calibration& c) {
    auto px = [&](QPointF p) {
        return QStringLiteral("pX= ") + pixelText(c.signX * (p.x() - c.Xo));
    };
    auto py = [&](QPointF p) {
        return QStringLiteral("pY= ") + pixelText(c.signY * (c.Yo - p.y()));
    };
    return {px(c.p1), py(c.p1), px(c.p2), py(c.p2)};
}

QString affichSensibilites(long double S, int xyDigits) {
    return FormatSci(xyDigits - 1, S) + QStringLiteral(" m / pxl");
}

QString coordinateHint(const QString& horizontal, const QString& vertical) {
    return QStringLiteral("Coordonnées \r- sensibilité horizontale :") + horizontal +
           QStringLiteral(" ;\r") + QStringLiteral("- sensibilité verticale :    ") + vertical +
           QStringLiteral("|Coordonnées ( sensibilité horizontale: ") + horizontal +
           QStringLiteral(" ; sensibilité verticale: ") + vertical + QStringLiteral(" )");
}

std::optional<QPoint> orientationSigns(int imageIndex) {
    switch (imageIndex) {
    case 0:
        return QPoint(1, 1);
    case 1:
        return QPoint(-1, 1);
    case 2:
        return QPoint(1, -1);
    case 3:
        return QPoint(-1, -1);
    default:
        return std::nullopt;
    }
}

std::optional<int> originCursor(int colourCode, int signX, int signY) {
    if (colourCode != 1 && colourCode != 2)
        return std::nullopt;
    const int orientation = 11 + (signX < 0 ? 1 : 0) + (signY < 0 ? 2 : 0);
    return colourCode * 100 + orientation;
}

} // namespace traxilo
