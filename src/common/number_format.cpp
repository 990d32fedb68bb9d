#include "common/number_format.h"

#include <QLocale>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <stdlib.h>
#include <string>

namespace traxilo {

namespace {

std::atomic<char16_t> g_separator{u'.'};

// A finite non-zero magnitude as decimal digits: value = d0.d1d2... x 10^exponent.
// An empty digit string stands for zero.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

// The value's decimal expansion to 18 significant digits, the precision on
// which every rounding below is judged.
Decimal expand18(long double magnitude) {
    Decimal d;
    if (magnitude == 0)
        return d;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17Le", magnitude);
    const char* p = buffer;
    // Digits only: the character between d0 and d1 depends on the C locale.
    for (; *p != '\0' && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            d.digits.push_back(*p);
    }
    if (*p == 'e')
        d.exponent = std::atoi(p + 1);
    return d;
}

// Keeps `keep` leading digits, rounding half away from zero on the digit that
// follows. A carry out of the first digit raises the exponent; the result
// then has keep + 1 digits, the last one a zero.
Decimal roundTo(Decimal d, int keep) {
    if (d.digits.empty())
        return d;
    if (keep >= static_cast<int>(d.digits.size())) {
        d.digits.append(static_cast<size_t>(keep) - d.digits.size(), '0');
        return d;
    }
    if (keep < 0)
        return {};
    const bool up = d.digits[static_cast<size_t>(keep)] >= '5';
    d.digits.resize(static_cast<size_t>(keep));
    if (!up)
        return d.digits.empty() ? Decimal{} : d;
    int i = keep - 1;
    while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9') {
        d.digits[static_cast<size_t>(i)] = '0';
        --i;
    }
    if (i >= 0) {
        ++d.digits[static_cast<size_t>(i)];
    } else {
        d.digits.insert(d.digits.begin(), '1');
        ++d.exponent;
    }
    return d;
}

QString nonFinite(long double x) {
    if (std::isnan(x))
        return QStringLiteral("NAN");
    return x < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// Returns the number of decimals of a fixed pattern ("0", "0." + zeros), or
// -1 when the text is not such a pattern.
int patternDecimals(const QString& pattern) {
    if (pattern.isEmpty() || pattern[0] != u'0')
        return -1;
    if (pattern.size() == 1)
        return 0;
    if (pattern[1] != u'.' && pattern[1] != decimalSeparator())
        return -1;
    for (qsizetype i = 2; i < pattern.size(); ++i) {
        if (pattern[i] != u'0')
            return -1;
    }
    const auto decimals = static_cast<int>(pattern.size() - 2);
    return decimals >= 1 && decimals <= 6 ? decimals : -1;
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

locale_t cLocale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

} // namespace

QChar decimalSeparator() {
    return QChar(g_separator.load());
}

void setDecimalSeparator(QChar separator) {
    g_separator.store(separator.unicode());
}

void initDecimalSeparatorFromLocale() {
    const QString point = QLocale::system().decimalPoint();
    setDecimalSeparator(point.isEmpty() ? QChar(u'.') : point[0]);
}

bool IsNegative(long double x) {
    return x < 0; // false for NaN and for -0
}

QString FormatSci(int decimals, long double x) {
    const int n = decimals < 0 ? 0 : decimals;
    QString text;
    if (!std::isfinite(x)) {
        text = nonFinite(x);
    } else {
        Decimal d = roundTo(expand18(std::fabs(x)), 1 + n);
        if (d.digits.empty()) { // zero of either sign
            d.digits.assign(static_cast<size_t>(1 + n), '0');
            d.exponent = 0;
        }
        if (x < 0)
            text += u'-';
        text += QChar(d.digits[0]);
        if (n > 0) {
            text += decimalSeparator();
            text += QString::fromLatin1(d.digits.data() + 1, n);
        }
        text += d.exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+");
        text += QString::number(std::abs(d.exponent));
    }
    if (!IsNegative(x))
        text.prepend(u' ');
    return text;
}

QString FormatFixed(int decimals, long double x) {
    const int n = decimals < 0 ? 0 : decimals;
    if (!std::isfinite(x))
        return nonFinite(x);
    Decimal d = expand18(std::fabs(x));
    // Digits from the leading one down to the last decimal shown.
    d = roundTo(d, d.digits.empty() ? 0 : d.exponent + 1 + n);
    std::string scaled; // the rounded value x 10^n, as an integer
    if (!d.digits.empty()) {
        scaled = d.digits;
        const int length = d.exponent + 1 + n;
        scaled.resize(static_cast<size_t>(length), '0');
    }
    const bool negative = x < 0 && !scaled.empty(); // no "-0.000"
    if (static_cast<int>(scaled.size()) < n + 1)
        scaled.insert(0, static_cast<size_t>(n + 1) - scaled.size(), '0');
    QString text = negative ? QStringLiteral("-") : QString();
    const auto integerDigits = static_cast<qsizetype>(scaled.size()) - n;
    text += QString::fromLatin1(scaled.data(), integerDigits);
    if (n > 0) {
        text += decimalSeparator();
        text += QString::fromLatin1(scaled.data() + integerDigits, n);
    }
    return text;
}

QString FormatTime(const QString& pattern, long double x) {
    const int decimals = patternDecimals(pattern);
    if (decimals < 0)
        return {};
    return FormatFixed(decimals, x);
}

QString TimePattern(int decimals) {
    if (decimals <= 0)
        return QStringLiteral("0");
    return QStringLiteral("0.") + QString(qMin(decimals, 6), u'0');
}

int TimeDecimals(long double period) {
    constexpr int kDefault = 3;
    constexpr int kMost = 6;
    if (!(period > 0) || !std::isfinite(period) || period >= 0.01L)
        return kDefault;
    // Rounding to d decimals moves a time by at most half a unit of the last one.
    long double halfUnit = 0.0005L;
    for (int d = kDefault; d < kMost; ++d, halfUnit /= 10) {
        if (halfUnit <= 0.01L * period)
            return d;
    }
    return kMost;
}

std::optional<long double> ParseNumber(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;

    const QChar separator = decimalSeparator();
    std::string ascii;
    ascii.reserve(static_cast<size_t>(end - begin));
    qsizetype i = begin;
    auto digitsHere = [&]() {
        int count = 0;
        while (i < end && text[i] >= u'0' && text[i] <= u'9') {
            ascii.push_back(static_cast<char>(text[i].unicode()));
            ++i;
            ++count;
        }
        return count;
    };
    auto signHere = [&]() {
        if (i < end && (text[i] == u'+' || text[i] == u'-'))
            ascii.push_back(static_cast<char>(text[i++].unicode()));
    };

    signHere();
    int mantissaDigits = digitsHere();
    if (i < end && text[i] == separator) {
        ascii.push_back('.');
        ++i;
        mantissaDigits += digitsHere();
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < end && (text[i] == u'E' || text[i] == u'e')) {
        ascii.push_back('e');
        ++i;
        signHere();
        if (digitsHere() == 0)
            return std::nullopt;
    }
    if (i != end)
        return std::nullopt;

    // The C locale, so that the conversion never depends on the process locale.
    char* stop = nullptr;
    const locale_t loc = cLocale();
    const long double value =
        loc ? strtold_l(ascii.c_str(), &stop, loc) : std::strtold(ascii.c_str(), &stop);
    if (stop != ascii.c_str() + ascii.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

DecimalTextFix normaliseDecimalText(const QString& text) {
    DecimalTextFix fix{text, false};
    const QChar separator = decimalSeparator();
    for (QChar& c : fix.text) {
        if ((c == u',' || c == u'.') && c != separator) {
            c = separator;
            fix.changed = true;
        }
    }
    return fix;
}

} // namespace traxilo
