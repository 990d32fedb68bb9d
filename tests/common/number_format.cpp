#include "common/number_format.h"

#include <QTest>

#include <cmath>
#include <cstdlib>
#include <limits>

using namespace traxilo;

namespace {

// Test values are written as text and read in extended precision, so that a
// row means the same value the program computes with.
long double ld(const QByteArray& text) {
    return std::strtold(text.constData(), nullptr);
}

QString withSeparator(QString text, QChar separator) {
    return text.replace(u'.', separator);
}

} // namespace

class TestNumberFormat : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { setDecimalSeparator(u'.'); }

    void formatSci_data();
    void formatSci();
    void formatSciNonFinite();
    void isNegative_data();
    void isNegative();
    void formatTime_data();
    void formatTime();
    void formatTimeRejectsOtherPatterns_data();
    void formatTimeRejectsOtherPatterns();
    void timePatterns();
    void timeDecimals_data();
    void timeDecimals();
    void parseNumber_data();
    void parseNumber();
    void parseReadsWhatFormatWrites();
    void eitherSeparatorBecomesTheLocales_data();
    void eitherSeparatorBecomesTheLocales();
};

void TestNumberFormat::formatSci_data() {
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("1234.5, 2") << 2 << QByteArray("1234.5") << " 1.23E+3";
    QTest::newRow("sqrt 2, 2") << 2 << QByteArray("1.41421356237309504880") << " 1.41E+0";
    QTest::newRow("0, 2") << 2 << QByteArray("0") << " 0.00E+0";
    QTest::newRow("-0, 2") << 2 << QByteArray("-0") << " 0.00E+0";
    QTest::newRow("-12.5, 4") << 4 << QByteArray("-12.5") << "-1.2500E+1";
    QTest::newRow("7, 0") << 0 << QByteArray("7") << " 7E+0";
    QTest::newRow("0.000123456, 2") << 2 << QByteArray("0.000123456") << " 1.23E-4";
    QTest::newRow("negative decimals as 0") << -3 << QByteArray("7") << " 7E+0";
    QTest::newRow("-1 and 1 line up") << 2 << QByteArray("-1") << "-1.00E+0";
    QTest::newRow("1, 2") << 2 << QByteArray("1") << " 1.00E+0";
    // Rounding up to the next power of ten moves the exponent.
    QTest::newRow("9.996, 2") << 2 << QByteArray("9.996") << " 1.00E+1";
    QTest::newRow("9.5, 0") << 0 << QByteArray("9.5") << " 1E+1";
    QTest::newRow("-0.09995, 2") << 2 << QByteArray("-0.09995") << "-1.00E-1";
    QTest::newRow("999.95, 3") << 3 << QByteArray("999.95") << " 1.000E+3";
    QTest::newRow("0.0995, 1") << 1 << QByteArray("0.0995") << " 1.0E-1";
    // Halves go away from zero, not to even.
    QTest::newRow("1.25, 1") << 1 << QByteArray("1.25") << " 1.3E+0";
    QTest::newRow("-1.25, 1") << 1 << QByteArray("-1.25") << "-1.3E+0";
    QTest::newRow("2.5, 0") << 0 << QByteArray("2.5") << " 3E+0";
    QTest::newRow("0.125, 1") << 1 << QByteArray("0.125") << " 1.3E-1";
    QTest::newRow("1.24999, 1") << 1 << QByteArray("1.24999") << " 1.2E+0";
    // The half is judged on 18 significant digits: just below 2.5 in binary
    // but 2.50000000000000000 in 18 digits still rounds up; 17 nines do not.
    QTest::newRow("2.5 minus 1e-19") << 0 << QByteArray("2.4999999999999999999") << " 3E+0";
    QTest::newRow("2.5 minus 1e-17") << 0 << QByteArray("2.49999999999999999") << " 2E+0";
    QTest::newRow("0.285, 1") << 1 << QByteArray("0.285") << " 2.9E-1";
    // Exponents of any length, without leading zeros.
    QTest::newRow("1e12") << 2 << QByteArray("1e12") << " 1.00E+12";
    QTest::newRow("1e-12") << 2 << QByteArray("1e-12") << " 1.00E-12";
    QTest::newRow("-4.56e-300") << 2 << QByteArray("-4.56e-300") << "-4.56E-300";
    QTest::newRow("largest extended")
        << 2 << QByteArray("1.18973149535723176502e4932") << " 1.19E+4932";
    QTest::newRow("many decimals") << 6 << QByteArray("0.1") << " 1.000000E-1";
}

void TestNumberFormat::formatSci() {
    QFETCH(int, decimals);
    QFETCH(QByteArray, value);
    QFETCH(QString, expected);
    for (QChar separator : {QChar(u'.'), QChar(u',')}) {
        setDecimalSeparator(separator);
        QCOMPARE(FormatSci(decimals, ld(value)), withSeparator(expected, separator));
    }
}

void TestNumberFormat::formatSciNonFinite() {
    QCOMPARE(FormatSci(2, std::numeric_limits<long double>::quiet_NaN()), QString(" NAN"));
    QCOMPARE(FormatSci(2, std::numeric_limits<long double>::infinity()), QString(" INF"));
    QCOMPARE(FormatSci(2, -std::numeric_limits<long double>::infinity()), QString("-INF"));
}

void TestNumberFormat::isNegative_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("negative");
    QTest::newRow("-1") << QByteArray("-1") << true;
    QTest::newRow("1") << QByteArray("1") << false;
    QTest::newRow("0") << QByteArray("0") << false;
    QTest::newRow("-0") << QByteArray("-0") << false;
    QTest::newRow("nan") << QByteArray("nan") << false;
    QTest::newRow("-nan") << QByteArray("-nan") << false;
    QTest::newRow("-inf") << QByteArray("-inf") << true;
    QTest::newRow("inf") << QByteArray("inf") << false;
    QTest::newRow("tiny negative") << QByteArray("-1e-4940") << true;
}

void TestNumberFormat::isNegative() {
    QFETCH(QByteArray, value);
    QFETCH(bool, negative);
    QCOMPARE(IsNegative(ld(value)), negative);
}

void TestNumberFormat::formatTime_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("0.040") << "0.000" << QByteArray("0.04") << "0.040";
    QTest::newRow("no decimals") << "0" << QByteArray("12.4") << "12";
    QTest::newRow("half away, 0") << "0" << QByteArray("2.5") << "3";
    QTest::newRow("half away, negative") << "0" << QByteArray("-2.5") << "-3";
    QTest::newRow("1.0005") << "0.000" << QByteArray("1.0005") << "1.001";
    QTest::newRow("first digit decides") << "0.0" << QByteArray("0.05") << "0.1";
    QTest::newRow("below the last decimal") << "0.0" << QByteArray("0.04") << "0.0";
    QTest::newRow("far below") << "0.000" << QByteArray("1e-30") << "0.000";
    QTest::newRow("no minus zero") << "0.000" << QByteArray("-0.0001") << "0.000";
    QTest::newRow("minus zero") << "0.00" << QByteArray("-0") << "0.00";
    QTest::newRow("small negative") << "0.000" << QByteArray("-0.0006") << "-0.001";
    QTest::newRow("carry into units") << "0.000" << QByteArray("0.9995") << "1.000";
    QTest::newRow("carry into hundreds") << "0" << QByteArray("99.5") << "100";
    QTest::newRow("six decimals") << "0.000000" << QByteArray("0.333333333333") << "0.333333";
    QTest::newRow("large") << "0.000" << QByteArray("123456.7894") << "123456.789";
    QTest::newRow("beyond 18 digits") << "0.0" << QByteArray("1e20") << "100000000000000000000.0";
    QTest::newRow("last time of a clip") << "0.000" << QByteArray("2.04") << "2.040";
}

void TestNumberFormat::formatTime() {
    QFETCH(QString, pattern);
    QFETCH(QByteArray, value);
    QFETCH(QString, expected);
    for (QChar separator : {QChar(u'.'), QChar(u',')}) {
        setDecimalSeparator(separator);
        QCOMPARE(FormatTime(pattern, ld(value)), withSeparator(expected, separator));
    }
}

void TestNumberFormat::formatTimeRejectsOtherPatterns_data() {
    QTest::addColumn<QString>("pattern");
    QTest::newRow("empty") << "";
    QTest::newRow("point alone") << "0.";
    QTest::newRow("seven zeros") << "0.0000000";
    QTest::newRow("other digits") << "0.001";
    QTest::newRow("hash") << "#.00";
    QTest::newRow("two leading zeros") << "00.0";
    QTest::newRow("comma under a full stop") << "0,00";
}

void TestNumberFormat::formatTimeRejectsOtherPatterns() {
    QFETCH(QString, pattern);
    QCOMPARE(FormatTime(pattern, 1.5L), QString());
}

void TestNumberFormat::timePatterns() {
    QCOMPARE(TimePattern(0), QString("0"));
    QCOMPARE(TimePattern(3), QString("0.000"));
    QCOMPARE(TimePattern(6), QString("0.000000"));
    // Under a comma locale, a pattern may also be written with the comma.
    setDecimalSeparator(u',');
    QCOMPARE(FormatTime(TimePattern(2), 1.5L), QString("1,50"));
    QCOMPARE(FormatTime(QStringLiteral("0,00"), 1.5L), QString("1,50"));
}

void TestNumberFormat::timeDecimals_data() {
    QTest::addColumn<double>("imagesPerSecond");
    QTest::addColumn<int>("decimals");
    QTest::newRow("25") << 25.0 << 3;
    QTest::newRow("100: 10 ms exactly") << 100.0 << 3;
    QTest::newRow("120") << 120.0 << 4;
    QTest::newRow("150") << 150.0 << 4;
    QTest::newRow("240") << 240.0 << 5;
    QTest::newRow("1000") << 1000.0 << 5;
    QTest::newRow("5000") << 5000.0 << 6;
    QTest::newRow("100000: no more than 6") << 100000.0 << 6;
    QTest::newRow("no period") << 0.0 << 3;
}

void TestNumberFormat::timeDecimals() {
    QFETCH(double, imagesPerSecond);
    QFETCH(int, decimals);
    const long double period =
        imagesPerSecond > 0 ? 1 / static_cast<long double>(imagesPerSecond) : 0;
    QCOMPARE(TimeDecimals(period), decimals);
    if (decimals > 3 && decimals < 6) {
        // Rounded, every time stays within 1 % of the period; one decimal
        // fewer would not.
        QVERIFY(0.5L * std::pow(10.0L, -decimals) <= 0.01L * period);
        QVERIFY(0.5L * std::pow(10.0L, -(decimals - 1)) > 0.01L * period);
    }
}

void TestNumberFormat::parseNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QByteArray>("value");

    const QChar point = u'.';
    const QChar comma = u',';
    QTest::newRow("plain") << "1.5" << point << true << QByteArray("1.5");
    QTest::newRow("comma locale") << "1,5" << comma << true << QByteArray("1.5");
    QTest::newRow("blanks around") << "  -2.5e3 " << point << true << QByteArray("-2500");
    QTest::newRow("tabs around") << "\t7\t" << point << true << QByteArray("7");
    QTest::newRow("upper E, signs") << "+4E-2" << point << true << QByteArray("0.04");
    QTest::newRow("no integer part") << ".5" << point << true << QByteArray("0.5");
    QTest::newRow("no fraction") << "5." << point << true << QByteArray("5");
    QTest::newRow("extended precision") << "0.1" << point << true << QByteArray("0.1");
    QTest::newRow("formatted length") << " 1,23E+3" << comma << true << QByteArray("1230");
    QTest::newRow("underflow to zero") << "1e-99999" << point << true << QByteArray("0");

    QTest::newRow("other separator") << "1.5" << comma << false << QByteArray();
    QTest::newRow("comma under point") << "1,5" << point << false << QByteArray();
    QTest::newRow("empty") << "" << point << false << QByteArray();
    QTest::newRow("blanks only") << "   " << point << false << QByteArray();
    QTest::newRow("separator only") << "." << point << false << QByteArray();
    QTest::newRow("exponent only") << "e5" << point << false << QByteArray();
    QTest::newRow("exponent without digits") << "1e" << point << false << QByteArray();
    QTest::newRow("exponent sign only") << "1e+" << point << false << QByteArray();
    QTest::newRow("two separators") << "1.2.3" << point << false << QByteArray();
    QTest::newRow("inner blank") << "1 000" << point << false << QByteArray();
    QTest::newRow("hexadecimal") << "0x10" << point << false << QByteArray();
    QTest::newRow("inf") << "inf" << point << false << QByteArray();
    QTest::newRow("nan") << "nan" << point << false << QByteArray();
    QTest::newRow("overflow") << "1e99999" << point << false << QByteArray();
    QTest::newRow("double sign") << "--1" << point << false << QByteArray();
    QTest::newRow("trailing letter") << "1E5x" << point << false << QByteArray();
    QTest::newRow("newline") << "1\n" << point << false << QByteArray();
    QTest::newRow("full-width digit")
        << QString::fromUtf8("\xef\xbc\x91") << point << false << QByteArray();
    QTest::newRow("arabic-indic digit")
        << QString::fromUtf8("\xd9\xa1") << point << false << QByteArray();
}

void TestNumberFormat::parseNumber() {
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(bool, ok);
    QFETCH(QByteArray, value);
    setDecimalSeparator(separator);
    const std::optional<long double> parsed = ParseNumber(text);
    QCOMPARE(parsed.has_value(), ok);
    if (ok)
        QVERIFY2(*parsed == ld(value), qPrintable(FormatSci(20, *parsed)));
}

void TestNumberFormat::parseReadsWhatFormatWrites() {
    // A table cell read back (column widths, the distance field) must give the
    // value shown, under either separator.
    for (QChar separator : {QChar(u'.'), QChar(u',')}) {
        setDecimalSeparator(separator);
        for (const char* text : {"-12.5", "0.000123456", "9.996", "1e-300", "0"}) {
            const QString shown = FormatSci(4, ld(text));
            const auto back = ParseNumber(shown);
            QVERIFY2(back.has_value(), qPrintable(shown));
            QCOMPARE(FormatSci(4, *back), shown);
        }
        const auto time = ParseNumber(FormatTime(TimePattern(3), 2.04L));
        QVERIFY(time.has_value());
        QVERIFY(std::fabs(*time - 2.04L) < 1e-15L);
    }
}

void TestNumberFormat::eitherSeparatorBecomesTheLocales_data() {
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("fixed");
    QTest::newRow("stop typed, comma locale") << QChar(u',') << "0.5"
                                              << "0,5";
    QTest::newRow("comma typed, stop locale") << QChar(u'.') << "0,5"
                                              << "0.5";
    QTest::newRow("pasted with exponent") << QChar(u'.') << "2,9E-2"
                                          << "2.9E-2";
    QTest::newRow("already the locale's") << QChar(u',') << "0,5"
                                          << "0,5";
    QTest::newRow("every one") << QChar(u',') << "12.3.4"
                               << "12,3,4";
}

void TestNumberFormat::eitherSeparatorBecomesTheLocales() {
    QFETCH(QChar, separator);
    QFETCH(QString, typed);
    QFETCH(QString, fixed);
    setDecimalSeparator(separator);
    const DecimalTextFix fix = normaliseDecimalText(typed);
    QCOMPARE(fix.text, fixed);
    QCOMPARE(fix.changed, typed != fixed);
}

QTEST_GUILESS_MAIN(TestNumberFormat)
#include "number_format.moc"
