#include "common/code_page.h"

#include <QtTest>

using namespace traxilo;

class CodePageTest : public QObject {
    Q_OBJECT
private slots:
    void windows1252_data();
    void windows1252();
};

void CodePageTest::windows1252_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("roundTrip");
    QTest::newRow("ascii") << "t x1 y1" << QByteArray("t x1 y1") << true;
    QTest::newRow("accents") << "élève à côté" << QByteArray("\xE9l\xE8ve \xE0 c\xF4t\xE9") << true;
    QTest::newRow("pound and u circumflex") << "£û" << QByteArray("\xA3\xFB") << true;
    QTest::newRow("0x80 to 0x9F") << "€ œ — ’" << QByteArray("\x80 \x9C \x97 \x92") << true;
    QTest::newRow("not in the code page") << "x 中 y" << QByteArray("x ? y") << false;
    QTest::newRow("outside the basic plane: one byte") << QString::fromUtf8("a\xF0\x9F\x98\x80"
                                                                            "b")
                                                       << QByteArray("a?b") << false;
}

void CodePageTest::windows1252() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, roundTrip);
    QCOMPARE(toWindows1252(text), bytes);
    if (roundTrip)
        QCOMPARE(fromWindows1252(bytes), text);
}

QTEST_APPLESS_MAIN(CodePageTest)
#include "code_page.moc"
