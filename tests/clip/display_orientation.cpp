// The display matrix of phone clips read as one of the eight quarter turns
// and flips, whatever angle or scale it holds.
#include "clip/display_orientation.h"

#include <QtTest>
#include <array>
#include <cmath>

using namespace traxilo;

using Matrix = std::array<int32_t, 9>;
Q_DECLARE_METATYPE(Matrix)

namespace {

// x' = a x + c y, y' = b x + d y, in 16.16 fixed point.
Matrix matrix(double a, double b, double c, double d) {
    const auto fixed = [](double v) { return int32_t(std::lround(v * 65536)); };
    return {fixed(a), fixed(b), 0, fixed(c), fixed(d), 0, 0, 0, 1 << 30};
}

Matrix turn(double degrees, double scale = 1) {
    const double r = degrees * M_PI / 180;
    return matrix(scale * std::cos(r), scale * std::sin(r), -scale * std::sin(r),
                  scale * std::cos(r));
}

} // namespace

class DisplayOrientationTest : public QObject {
    Q_OBJECT
private slots:
    void nearestQuarterTurn_data();
    void nearestQuarterTurn();
};

void DisplayOrientationTest::nearestQuarterTurn_data() {
    QTest::addColumn<Matrix>("m");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<bool>("mirrored");
    QTest::newRow("as stored") << turn(0) << 0 << false;
    QTest::newRow("portrait phone") << turn(90) << 90 << false;
    QTest::newRow("upside down") << turn(180) << 180 << false;
    QTest::newRow("270") << turn(270) << 270 << false;
    QTest::newRow("front camera mirror") << matrix(-1, 0, 0, 1) << 0 << true;
    QTest::newRow("90 then mirror") << matrix(0, 1, 1, 0) << 90 << true;
    QTest::newRow("flipped upside down") << matrix(1, 0, 0, -1) << 180 << true;
    QTest::newRow("100 degrees") << turn(100) << 90 << false;
    QTest::newRow("-30 degrees") << turn(-30) << 0 << false;
    QTest::newRow("scaled by 2") << turn(270, 2) << 270 << false;
    QTest::newRow("all zeros") << Matrix{} << 0 << false;
}

void DisplayOrientationTest::nearestQuarterTurn() {
    QFETCH(Matrix, m);
    QFETCH(int, rotation);
    QFETCH(bool, mirrored);
    const DisplayOrientation o = displayOrientation(m.data());
    QCOMPARE(o.rotation, rotation);
    QCOMPARE(o.mirrored, mirrored);
    QCOMPARE(displayOrientation(nullptr).rotation, 0);
}

QTEST_APPLESS_MAIN(DisplayOrientationTest)
#include "display_orientation.moc"
