// The magnifier: the surface's pixels around the pointer three times
// enlarged, neutral grey beyond the picture, the cross-hair in the pointer's
// colour, its corner of the clip area, dragging by its frame, hiding.
#include "pointing/magnifier.h"
#include "app/main_window.h"
#include "app/paint_box.h"
#include "pointing/style_table.h"
#include "support/measure_window.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QSplitter>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace traxilo;
using namespace traxilo::test;

namespace {

QImage loupeImage(const TForm1& w) {
    return w.loupeImg->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

// Drags the magnifier by its frame so that its centre moves by `delta`.
void dragBy(TForm1& w, QPoint delta) {
    const QPoint grip(2, w.loupePnl->height() / 2); // on the frame, left of the picture
    QTest::mousePress(w.loupePnl, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(w.loupePnl, grip + delta);
    QTest::mouseRelease(w.loupePnl, Qt::LeftButton, Qt::NoModifier, grip + delta);
}

} // namespace

class MagnifierTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_fixture.reset(); }

    void magnifiedPixels_data();
    void magnifiedPixels();
    void crossHairFollowsThePointerColour();
    void comesBackInTheNearestCorner_data();
    void comesBackInTheNearestCorner();
    void onlyTheFrameDrags();
    void hiddenByEachCommand_data();
    void hiddenByEachCommand();

private:
    TForm1& w() { return *m_fixture->window; }
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void MagnifierTest::init() {
    m_fixture = std::make_unique<MainWindowFixture>();
    QVERIFY(m_fixture->isValid());
    const OpenedClip clip =
        openGeneratedClip(*m_fixture, smallClipSpec(12), QStringLiteral("magnifier.avi"));
    QVERIFY2(clip.ok(), qPrintable(clip.error));
}

void MagnifierTest::magnifiedPixels_data() {
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<bool>("mouseMoved");
    QTest::newRow("centre, over a mark") << QPoint(80, 60) << true;
    QTest::newRow("before any move: around (0, 0)") << QPoint(0, 0) << false;
    QTest::newRow("bottom-right corner") << QPoint(159, 119) << true;
    QTest::newRow("right edge") << QPoint(150, 5) << true;
}

void MagnifierTest::magnifiedPixels() {
    QFETCH(QPoint, pointer);
    QFETCH(bool, mouseMoved);
    setColour(w().tables.StyleTable, 1, QColor(255, 0, 255));
    w().chkBoxAutoV->setChecked(false);
    clickSurface(w(), QPoint(82, 61)); // a mark beside the centre
    w().lastMousePos = QPoint(0, 0);

    QTest::mouseClick(w().loupeBtn, Qt::LeftButton);
    QVERIFY(w().loupePnl->isVisible());
    QVERIFY(w().LoupePopupMnu->isChecked());
    QCOMPARE(loupeImage(w()).pixel(61, 61) & 0xFFFFFFu, 0x0000FFu); // blue until refreshed
    if (mouseMoved) {
        QTest::mouseMove(w().PaintBox1, pointer);
    } else {
        w().Timer3Timer();
    }
    const QImage shown = loupeImage(w());
    const QImage& surface = w().PaintBox1->image();
    QCOMPARE(shown.size(), QSize(123, 123));
    for (int j = 0; j < 41; ++j) {
        for (int i = 0; i < 41; ++i) {
            const QPoint source = pointer + QPoint(i - 20, j - 20);
            const QRgb expected =
                surface.rect().contains(source) ? surface.pixel(source) : kLoupeOutside.rgb();
            for (int d = 0; d < 9; ++d) {
                const QRgb got = shown.pixel(3 * i + d % 3, 3 * j + d / 3);
                if ((got & 0xFFFFFFu) != (expected & 0xFFFFFFu)) {
                    QFAIL(qPrintable(QStringLiteral("block (%1, %2)").arg(i).arg(j)));
                }
            }
        }
    }
    // The pointer's pixel is the block the cross-hair runs through.
    QCOMPARE(w().loupeShpV->geometry(), QRect(67, 6, 1, 123));
    QCOMPARE(w().loupeShpH->geometry(), QRect(6, 67, 123, 1));
    QCOMPARE(w().loupeImg->geometry().topLeft() + QPoint(61, 61), QPoint(67, 67));
}

void MagnifierTest::crossHairFollowsThePointerColour() {
    const auto hair = [this] { return w().loupeShpV->palette().color(QPalette::Window); };
    QCOMPARE(hair(), QColor(Qt::black));
    w().mnuCouleurBlanc->trigger();
    QCOMPARE(hair(), QColor(Qt::white));
    QCOMPARE(w().loupeShpH->palette().color(QPalette::Window), QColor(Qt::white));
}

void MagnifierTest::comesBackInTheNearestCorner_data() {
    QTest::addColumn<bool>("left");
    QTest::addColumn<bool>("top");
    QTest::newRow("lower left") << true << false;
    QTest::newRow("upper left") << true << true;
    QTest::newRow("lower right") << false << false;
}

void MagnifierTest::comesBackInTheNearestCorner() {
    QFETCH(bool, left);
    QFETCH(bool, top);
    const QPoint area = w().pnl1->mapTo(&w(), QPoint(0, 0));
    const int W = w().pnl1->width();
    const int H = w().pnl1->height();
    const QSize panel = w().loupePnl->size();
    const int leftX = area.x() + 6;
    const int rightX = area.x() + W - panel.width() - 6;
    const int topY = area.y() + w().tbCoord->height() + 6;
    const int bottomY = area.y() + H - w().ToolBar2->height() - panel.height() - 6;

    w().loupeBtnClick(); // first showing: top right
    QCOMPARE(w().loupePnl->pos(), QPoint(rightX, topY));
    // Dropped nearer the chosen corner: in that corner, and there again
    // once hidden and shown.
    const QPoint near(left ? area.x() + W / 4 : area.x() + 3 * W / 4,
                      top ? area.y() + H / 4 : area.y() + 3 * H / 4);
    dragBy(w(), near - w().loupePnl->geometry().center());
    const QPoint corner(left ? leftX : rightX, top ? topY : bottomY);
    QCOMPARE(w().loupePnl->pos(), corner);
    w().loupeBtnClick();
    QVERIFY(!w().loupePnl->isVisible());
    w().loupeBtnClick();
    QCOMPARE(w().loupePnl->pos(), corner);

    // The splitter moves: the magnifier keeps to its corner of the new area.
    w().Splitter1->setSizes({W / 2, 2000});
    QTRY_COMPARE(w().pnl1->width(), W / 2);
    w().Splitter1Moved();
    const int newRight = area.x() + w().pnl1->width() - panel.width() - 6;
    QCOMPARE(w().loupePnl->x(), left ? leftX : newRight);
}

void MagnifierTest::onlyTheFrameDrags() {
    w().loupeBtnClick();
    const QPoint before = w().loupePnl->pos();
    QTest::mousePress(w().loupeImg, Qt::LeftButton, Qt::NoModifier, QPoint(60, 60));
    QTest::mouseMove(w().loupeImg, QPoint(20, 90));
    QTest::mouseRelease(w().loupeImg, Qt::LeftButton, Qt::NoModifier, QPoint(20, 90));
    QCOMPARE(w().loupePnl->pos(), before);
    // Nor can it be dragged out of the window.
    dragBy(w(), QPoint(5000, 5000));
    QVERIFY(w().rect().contains(w().loupePnl->geometry()));
}

void MagnifierTest::hiddenByEachCommand_data() {
    QTest::addColumn<QString>("command");
    QTest::newRow("its button") << "BitBtn2";
    QTest::newRow("its menu") << "Fermer1";
    QTest::newRow("the clip's menu") << "LoupePopupMnu";
    QTest::newRow("the tool bar") << "loupeBtn";
}

void MagnifierTest::hiddenByEachCommand() {
    QFETCH(QString, command);
    w().loupeBtnClick();
    QVERIFY(w().loupePnl->isVisible());
    if (auto* button = w().findChild<QToolButton*>(command)) {
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        w().findChild<QAction*>(command)->trigger();
    }
    QVERIFY(!w().loupePnl->isVisible());
    QVERIFY(!w().LoupePopupMnu->isChecked());
}

QTEST_MAIN(MagnifierTest)
#include "magnifier.moc"
