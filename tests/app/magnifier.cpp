// The magnifier: the surface's pixels around the pointer three times
// enlarged, neutral grey beyond the picture, the cross-hair in the pointer's
// colour, its corner of the clip area, dragging by its frame, hiding.
#include "pointing/magnifier.h"
#include "app/main_window.h"
#include "app/paint_box.h"
#include "document/measurement_document.h"
#include "support/measure_window.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QSplitter>
#include <QSplitterHandle>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace traxilo;
using namespace traxilo::test;

namespace {

QImage loupeImage(const TForm1& w) {
    return required<QLabel>(w, "loupeImg")
        ->pixmap()
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QFrame* panel(const TForm1& w) {
    return required<QFrame>(w, "loupePnl");
}

void toggle(const TForm1& w) {
    QTest::mouseClick(required<QToolButton>(w, "loupeBtn"), Qt::LeftButton);
}

// Drags the magnifier by its frame so that its centre moves by `delta`.
void dragBy(const TForm1& w, QPoint delta) {
    QFrame* loupe = panel(w);
    const QPoint grip(2, loupe->height() / 2); // on the frame, left of the picture
    QTest::mousePress(loupe, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(loupe, grip + delta);
    QTest::mouseRelease(loupe, Qt::LeftButton, Qt::NoModifier, grip + delta);
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
    m_fixture.reset(); // its seams go before the new window's come (a failed init skips cleanup)
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
    PointStyles styles = w().document().styles();
    styles.point(1).colour = QColor(255, 0, 255);
    w().document().setStyles(styles, w().document().markSize());
    required<QCheckBox>(w(), "chkBoxAutoV")->setChecked(false);
    clickSurface(w(), QPoint(82, 61)); // a mark beside the centre

    toggle(w());
    QVERIFY(panel(w())->isVisible());
    QVERIFY(required<QAction>(w(), "LoupePopupMnu")->isChecked());
    QCOMPARE(loupeImage(w()).pixel(61, 61) & 0xFFFFFFu, 0x0000FFu); // blue until refreshed
    if (mouseMoved) {
        QTest::mouseMove(required<PaintBox>(w(), "PaintBox1"), pointer);
    } else { // the periodic refresh
        QTRY_VERIFY((loupeImage(w()).pixel(61, 61) & 0xFFFFFFu) != 0x0000FFu);
    }
    const QImage shown = loupeImage(w());
    const QImage& surface = surfaceImage(w());
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
    QCOMPARE(required<QFrame>(w(), "loupeShpV")->geometry(), QRect(67, 6, 1, 123));
    QCOMPARE(required<QFrame>(w(), "loupeShpH")->geometry(), QRect(6, 67, 123, 1));
    QCOMPARE(required<QLabel>(w(), "loupeImg")->geometry().topLeft() + QPoint(61, 61),
             QPoint(67, 67));
}

void MagnifierTest::crossHairFollowsThePointerColour() {
    const auto hair = [this](const char* name) {
        return required<QFrame>(w(), name)->palette().color(QPalette::Window);
    };
    QCOMPARE(hair("loupeShpV"), QColor(Qt::black));
    trigger(w(), "mnuCouleurBlanc");
    QCOMPARE(hair("loupeShpV"), QColor(Qt::white));
    QCOMPARE(hair("loupeShpH"), QColor(Qt::white));
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
    QWidget* clipArea = required<QWidget>(w(), "pnl1");
    QFrame* loupe = panel(w());
    const QPoint area = clipArea->mapTo(&w(), QPoint(0, 0));
    const int W = clipArea->width();
    const int H = clipArea->height();
    const QSize size = loupe->size();
    const int leftX = area.x() + 6;
    const int rightX = area.x() + W - size.width() - 6;
    const int topY = area.y() + required<QWidget>(w(), "tbCoord")->height() + 6;
    const int bottomY =
        area.y() + H - required<QWidget>(w(), "ToolBar2")->height() - size.height() - 6;

    toggle(w()); // first showing: top right
    QCOMPARE(loupe->pos(), QPoint(rightX, topY));
    // Dropped nearer the chosen corner: in that corner, and there again
    // once hidden and shown.
    const QPoint near(left ? area.x() + W / 4 : area.x() + 3 * W / 4,
                      top ? area.y() + H / 4 : area.y() + 3 * H / 4);
    dragBy(w(), near - loupe->geometry().center());
    const QPoint corner(left ? leftX : rightX, top ? topY : bottomY);
    QCOMPARE(loupe->pos(), corner);
    toggle(w());
    QVERIFY(!loupe->isVisible());
    toggle(w());
    QCOMPARE(loupe->pos(), corner);

    // The splitter's handle is dragged: the magnifier keeps to its corner of
    // the new area.
    QSplitterHandle* handle = required<QSplitter>(w(), "Splitter1")->handle(1);
    const QPoint grip = handle->rect().center();
    QTest::mousePress(handle, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(handle, grip - QPoint(W / 2, 0));
    QTest::mouseRelease(handle, Qt::LeftButton, Qt::NoModifier, grip - QPoint(W / 2, 0));
    QTRY_VERIFY(clipArea->width() < 3 * W / 4);
    const int newRight = area.x() + clipArea->width() - size.width() - 6;
    QCOMPARE(loupe->x(), left ? leftX : newRight);
}

void MagnifierTest::onlyTheFrameDrags() {
    toggle(w());
    const QPoint before = panel(w())->pos();
    auto* picture = required<QLabel>(w(), "loupeImg");
    QTest::mousePress(picture, Qt::LeftButton, Qt::NoModifier, QPoint(60, 60));
    QTest::mouseMove(picture, QPoint(20, 90));
    QTest::mouseRelease(picture, Qt::LeftButton, Qt::NoModifier, QPoint(20, 90));
    QCOMPARE(panel(w())->pos(), before);
    // Nor can it be dragged out of the window.
    dragBy(w(), QPoint(5000, 5000));
    QVERIFY(w().rect().contains(panel(w())->geometry()));
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
    toggle(w());
    QVERIFY(panel(w())->isVisible());
    if (auto* button = w().findChild<QToolButton*>(command)) {
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        w().findChild<QAction*>(command)->trigger();
    }
    QVERIFY(!panel(w())->isVisible());
    QVERIFY(!required<QAction>(w(), "LoupePopupMnu")->isChecked());
}

QTEST_MAIN(MagnifierTest)
#include "magnifier.moc"
