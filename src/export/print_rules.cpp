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

long double proposedScale(long double fillingScale) {
    if (!(fillingScale > 0) || !std::isfinite(fillingScale))
        return 1;
    const long double exponent = std::log10(fillingScale);
    const long double power = fillingScale >= 1 ? std::trunc(exponent + 1) : std::trunc(exponent);
    return std::pow(10.0L, power);
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
