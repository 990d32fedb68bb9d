#include "export/print_rules.h"

#include "common/number_format.h"

#include <algorithm>
#include <cmath>

namespace traxilo {

int GreyLevel(const QColor& colour) {
    const int r = colour.red();
    const int g = colour.green();
    const int b = colour.blue();
    const int most = std::max({r, g, b});
    const int least = std::min({r, g, b});
    const int lightness = ((most + least) * 240 + 255) / 510;
    return int(roundHalfEven(lightness * 255.0L / 240.0L));
}

QColor printedColour(const QColor& colour, PrintColours colours) {
    switch (colours) {
    case PrintColours::Screen:
        return QColor(colour.red(), colour.green(), colour.blue());
    case PrintColours::Grey: {
        const int grey = GreyLevel(colour);
        return QColor(grey, grey, grey);
    }
    case PrintColours::Black:
        break;
    }
    return QColor(0, 0, 0);
}

long double fillingScale(QSizeF realM, QSizeF sheetCm) {
    constexpr long double kCaptionCm = 1;
    const long double across = sheetCm.width() > 0 ? realM.width() / sheetCm.width() : 0;
    const long double down =
        sheetCm.height() > kCaptionCm ? realM.height() / (sheetCm.height() - kCaptionCm) : 0;
    return std::max(across, down);
}

long double proposedScale(long double filling) {
    if (!(filling > 0) || !std::isfinite(filling))
        return 1;
    const long double decade = std::pow(10.0L, std::floor(std::log10(filling)));
    // A filling scale that is itself a step (0.2 typed as such) stays that
    // step, whatever the last bit of its binary value.
    for (const long double step : {1.0L, 2.0L, 5.0L}) {
        if (step * decade >= filling * (1 - 1e-12L))
            return step * decade;
    }
    return 10 * decade;
}

int trackBarPosition(long double scale, long double proposed) {
    if (scale >= 10 * proposed)
        return 0;
    if (scale <= proposed / 10)
        return 200;
    return int(roundHalfEven((std::log10(proposed / scale) + 1) * 100));
}

long double scaleAtPosition(int position, long double proposed) {
    return proposed / std::pow(10.0L, position * 0.01L - 1);
}

std::optional<long double> parseScale(const QString& text) {
    // Either decimal point is taken, whatever the locale's separator is.
    QString literal = text.trimmed();
    literal.replace(u',', u'.');
    if (literal.isEmpty() || literal.count(u'.') > 1)
        return std::nullopt;
    for (const QChar c : literal) {
        if (!(c.isDigit() && c.unicode() < 128) && !QStringLiteral(".eE+-").contains(c))
            return std::nullopt;
    }
    bool ok = false;
    const double value = literal.toDouble(&ok); // C locale: "." only
    if (!ok || !std::isfinite(value) || !(value > 0))
        return std::nullopt;
    return static_cast<long double>(value);
}

long long roundHalfEven(long double x) {
    // Far beyond any page; keeps the conversion defined.
    constexpr long double kLimit = 1e15L;
    if (std::isnan(x))
        return 0;
    return static_cast<long long>(std::nearbyint(std::clamp(x, -kLimit, kLimit)));
}

QSize sheetPreviewSize(QSize pageDots) {
    const int w = std::max(1, pageDots.width());
    const int h = std::max(1, pageDots.height());
    if (w > h)
        return QSize(90, int(roundHalfEven(h * 90.0L / w)));
    return QSize(int(roundHalfEven(w * 90.0L / h)), 90);
}

QString sheetFormatText(QSizeF sheetCm) {
    auto oneDecimal = [](double cm) {
        QString text = QString::number(cm, 'f', 1);
        text.replace(u'.', decimalSeparator());
        return text;
    };
    return oneDecimal(sheetCm.width()) + u'x' + oneDecimal(sheetCm.height()) + QStringLiteral("cm");
}

DrawingPreview drawingPreview(QSize sheetPreview, QSizeF sheetCm, QSizeF printedCm) {
    const long double w = printedCm.width();
    const long double h = printedCm.height();
    DrawingPreview preview;
    if (w <= sheetCm.width() && h <= sheetCm.height()) {
        preview.size = QSize(int(roundHalfEven(sheetPreview.width() * w / sheetCm.width())),
                             int(roundHalfEven(sheetPreview.height() * h / sheetCm.height())));
        return preview;
    }
    preview.tooLarge = true;
    if (w > sheetCm.width()) {
        const int width = sheetPreview.width() + 10;
        preview.size = QSize(width, int(roundHalfEven(width * h / w)));
    } else {
        const int height = sheetPreview.height() + 10;
        preview.size = QSize(int(roundHalfEven(height * w / h)), height);
    }
    return preview;
}

} // namespace traxilo
