#include "pointing/style_table.h"

#include <algorithm>

namespace traxilo {

long colourValue(const QColor& colour) {
    return colour.red() + 256L * colour.green() + 65536L * colour.blue();
}

QString colourText(const QColor& colour) {
    return QString::number(colourValue(colour));
}

std::optional<QColor> colourFromText(const QString& text) {
    bool ok = false;
    const long value = text.trimmed().toLong(&ok);
    if (!ok || value < 0 || value > kWhiteValue)
        return std::nullopt;
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

const MarkStyle& PointStyles::point(int k) const {
    return points[std::clamp(k, 1, kMaxPoints) - 1];
}

MarkStyle& PointStyles::point(int k) {
    return points[std::clamp(k, 1, kMaxPoints) - 1];
}

namespace {

QStringList columnOf(const MarkStyle& style) {
    return {colourText(style.colour), style.drawn ? QStringLiteral("1") : QStringLiteral("0"),
            QString::number(style.shape)};
}

MarkStyle styleOfColumn(const QStringList& column) {
    MarkStyle s;
    s.colour = colourFromText(column.value(0)).value_or(QColor(Qt::white));
    s.drawn = column.value(1) == QLatin1String("1");
    bool ok = false;
    const int shape = column.value(2).toInt(&ok);
    s.shape = ok ? shape : -1;
    return s;
}

} // namespace

QList<QStringList> styleColumns(const PointStyles& styles, int points) {
    QList<QStringList> columns{columnOf(styles.axes)};
    for (int k = 1; k <= std::clamp(points, 1, kMaxPoints); ++k)
        columns.append(columnOf(styles.point(k)));
    return columns;
}

PointStyles stylesFromColumns(const QList<QStringList>& columns) {
    PointStyles styles;
    if (!columns.isEmpty())
        styles.axes = styleOfColumn(columns.first());
    for (int k = 1; k < std::min<int>(columns.size(), kMaxPoints + 1); ++k)
        styles.point(k) = styleOfColumn(columns[k]);
    return styles;
}

} // namespace traxilo
