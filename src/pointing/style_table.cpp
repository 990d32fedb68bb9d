#include "pointing/style_table.h"

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

TextGrid makeStyleTable() {
    return TextGrid(2, 3, 0, 0);
}

void setStyleColumns(TextGrid& style, int points) {
    style.setColCount(points + 1);
    const QString white = QString::number(kWhiteValue);
    for (int c = 0; c <= points; ++c) {
        const QString defaults[3] = {white, QStringLiteral("1"),
                                     c == 0 ? QStringLiteral("1") : QStringLiteral("0")};
        for (int r = 0; r < 3; ++r)
            if (style.isEmpty(c, r))
                style.setCell(c, r, defaults[r]);
    }
}

MarkStyle styleOf(const TextGrid& style, int column) {
    MarkStyle s;
    // A colour cell is only ever written from a colour; white is the default.
    s.colour = colourFromText(style.cell(column, 0)).value_or(QColor(Qt::white));
    s.drawn = style.cell(column, 1) == QLatin1String("1");
    bool ok = false;
    const int shape = style.cell(column, 2).toInt(&ok);
    s.shape = ok ? shape : -1;
    return s;
}

void setDrawn(TextGrid& style, int column, bool drawn) {
    style.setCell(column, 1, drawn ? QStringLiteral("1") : QStringLiteral("0"));
}

void setColour(TextGrid& style, int column, const QColor& colour) {
    style.setCell(column, 0, colourText(colour));
}

void setShape(TextGrid& style, int column, int shape) {
    style.setCell(column, 2, QString::number(shape));
}

} // namespace traxilo
