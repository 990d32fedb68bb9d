#pragma once

#include <QChar>
#include <QString>
#include <optional>

namespace traxilo {

// The decimal separator of the user's locale, read once at start-up (a full
// stop when the locale gives none). Every number shown, typed or written as
// text uses it; only the Regressi writer turns it into ".".
QChar decimalSeparator();
void setDecimalSeparator(QChar separator); // start-up, and tests
void initDecimalSeparatorFromLocale();

// True exactly for values below zero: false for both zeros and for NaN.
bool IsNegative(long double x);

// The one scientific form of every length: one digit, `decimals` digits after
// the separator, "E", a signed exponent without leading zeros, and a leading
// blank for non-negative values (" 1.23E+3", "-1.2500E+1", " 7E+0").
QString FormatSci(int decimals, long double x);

// Fixed notation with `decimals` digits after the separator (none and no
// separator for 0), rounded like FormatSci; "-" only when a non-zero digit
// is shown, so -0.0001 with 3 decimals gives "0.000".
QString FormatFixed(int decimals, long double x);

// Fixed-decimal time pattern: "0" or "0." followed by 1 to 6 zeros (the point
// stands for the separator; the separator itself is accepted too). Empty for
// any other pattern.
QString FormatTime(const QString& pattern, long double x);

// The time pattern for 0 to 6 decimals: "0", "0.0", ..., "0.000000".
QString TimePattern(int decimals);

// Decimals of t for frames `period` seconds apart: 3 from 10 ms on; below,
// as many as make rounding move a time by at most 1 % of the period (5 at
// 240 images per second), 6 at most.
int TimeDecimals(long double period);

// A number typed by the user: blanks around it allowed, the locale's
// separator, an exponent with "E" or "e". Empty on anything else.
std::optional<long double> ParseNumber(const QString& text);

// A number field takes both "," and "." as the decimal separator, whatever
// the locale: each one that is not the locale's separator becomes it (the
// text keeps its length, so the caret can stay where it was).
// `changed` is false when there was nothing to replace.
struct DecimalTextFix {
    QString text;
    bool changed = false;
};
DecimalTextFix normaliseDecimalText(const QString& text);

} // namespace traxilo
