#pragma once

#include <QRegularExpression>
#include <QString>
#include <optional>
#include <utility>

namespace traxilo::test {

// g and its uncertainty as the graph's results show them ("g = 9,79 ± 0,02
// m/s²" on a line of its own), when they do.
inline std::optional<std::pair<double, double>> gravityShown(const QString& text) {
    const QRegularExpression pattern(
        QStringLiteral("^g = (-?[0-9]+,[0-9]+) ± ([0-9]+,[0-9]+) m/s²"),
        QRegularExpression::MultilineOption);
    const auto match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    auto number = [](QString s) { return s.replace(u',', u'.').toDouble(); };
    return std::make_pair(number(match.captured(1)), number(match.captured(2)));
}

} // namespace traxilo::test
