#include "geometry/display_size.h"

#include <algorithm>
#include <cmath>

namespace traxilo {

QPoint toDisplayPixel(QPointF picture, long double factor) {
    auto shown = [factor](double v) {
        const long double x = std::nearbyint(static_cast<long double>(v) * factor);
        return static_cast<int>(std::clamp<long double>(x, -1e9L, 1e9L));
    };
    return QPoint(shown(picture.x()), shown(picture.y()));
}

QPointF toPicturePixel(QPoint shown, long double factor) {
    if (!(factor > 0))
        return QPointF(shown);
    return QPointF(double(shown.x() / factor), double(shown.y() / factor));
}

int maxDisplayPercent(QSize clip) {
    const long long pixels = (long long)std::max(clip.width(), 1) * std::max(clip.height(), 1);
    // The picture grows as the square of the percent.
    const long double limit = 100.0L * std::sqrt((long double)kMaxDisplayPixels / pixels);
    const int percent = limit >= kMaxDisplayPercent ? kMaxDisplayPercent : int(limit);
    return std::max(kMinDisplayPercent, percent);
}

QSize displayedSize(QSize clip, long double factor) {
    const auto side = [factor](int natural) {
        const long double scaled = std::nearbyint(natural * factor); // halves to even
        return int(std::clamp<long double>(scaled, 1, 1 << 20));
    };
    return QSize(side(clip.width()), side(clip.height()));
}

int fitPercent(QSize area, QSize clip, int maxPercent) {
    if (clip.width() <= 0 || clip.height() <= 0) {
        return 100;
    }
    const long double fx = (long double)(area.width() - 9) / clip.width();
    const long double fy = (long double)(area.height() - 9) / clip.height();
    const long double f = fy > fx ? fx : fy;
    int percent =
        int(std::clamp<long double>(std::nearbyint(100 * f), kMinDisplayPercent, maxPercent));
    // Rounded up, the picture may pass the area by a pixel or two, and a
    // fitted picture must not need scroll bars.
    const auto fits = [&](int p) {
        const QSize shown = displayedSize(clip, p / 100.0L);
        return shown.width() + 9 <= area.width() && shown.height() + 9 <= area.height();
    };
    while (percent > kMinDisplayPercent && !fits(percent)) {
        --percent;
    }
    return percent;
}

int nextHeldStep(int step) {
    return step > 15 ? 20 : step + 5;
}

DisplaySizeOk displaySizeOk(int position, int displayPercent, bool resetTo100, bool adaptChecked) {
    if (resetTo100 || position != displayPercent) {
        return DisplaySizeOk::Apply;
    }
    return adaptChecked ? DisplaySizeOk::MovePanelOnly : DisplaySizeOk::Nothing;
}

std::optional<int> parsePercent(const QString& text, int maxPercent) {
    QString plain = text.trimmed();
    if (plain.endsWith(QLatin1Char('%'))) {
        plain.chop(1);
    }
    plain = plain.trimmed().replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(value);
    return int(std::clamp<double>(rounded, kMinDisplayPercent, maxPercent));
}

QString percentWarning(int maxPercent) {
    return QStringLiteral("Entrez un nombre !\r\rla taille du clip est donnée en %\rde sa taille "
                          "d'origine, de %1 à %2.\r\rex : 150")
        .arg(kMinDisplayPercent)
        .arg(maxPercent);
}

QString percentText(int percent) {
    return QString::number(percent) + QLatin1Char('%');
}

QString adaptationText(int percent) {
    return QStringLiteral("Adaptation : ") + percentText(percent);
}

QString rangeText(int maxPercent) {
    return QStringLiteral("(%1..%2)").arg(kMinDisplayPercent).arg(maxPercent);
}

} // namespace traxilo
