#include "analysis/physical_unit.h"

#include <QStringList>
#include <cstdlib>

namespace traxilo {

namespace {

QString superscript(int exponent) {
    static const QString digits = QStringLiteral("⁰¹²³⁴⁵⁶⁷⁸⁹");
    QString text;
    if (exponent < 0)
        text += QStringLiteral("⁻");
    const QString number = QString::number(std::abs(exponent));
    for (QChar c : number)
        text += digits[c.digitValue()];
    return text;
}

QString factor(const QString& symbol, int exponent) {
    return exponent == 1 ? symbol : symbol + superscript(exponent);
}

} // namespace

QString PhysicalUnit::text(const QString& numerator) const {
    QStringList above;
    QStringList below;
    if (!numerator.isEmpty())
        above << numerator;
    if (metre > 0)
        above << factor(length, metre);
    if (second > 0)
        above << factor(QStringLiteral("s"), second);
    if (metre < 0)
        below << factor(length, -metre);
    if (second < 0)
        below << factor(QStringLiteral("s"), -second);
    if (above.isEmpty()) {
        // Nothing to divide: negative exponents, as in "s⁻¹".
        QStringList factors;
        if (metre < 0)
            factors << factor(length, metre);
        if (second < 0)
            factors << factor(QStringLiteral("s"), second);
        return factors.join(QStringLiteral("·"));
    }
    QString text = above.join(QStringLiteral("·"));
    if (below.size() == 1)
        text += QStringLiteral("/") + below.front();
    else if (below.size() > 1)
        text += QStringLiteral("/(") + below.join(QStringLiteral("·")) + QStringLiteral(")");
    return text;
}

} // namespace traxilo
