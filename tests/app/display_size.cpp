// The clip's display size: the dialog and its three commands, the frame
// decoded at the new size, clicks at that size read in picture pixels, and
// what the user may type or hold. That a new size keeps every measurement is
// display_size_keeps_points.
#include "app/dialogs/display_size_dialog.h"
#include "app/main_window.h"
#include "app/up_down.h"
#include "common/number_format.h"
#include "document/measurement_document.h"
#include "support/measure_window.h"
#include "support/modal_driver.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <QToolButton>
#include <cmath>

using namespace traxilo;
using namespace traxilo::test;

namespace {

const QString kClip = QStringLiteral("display_size.avi");

QPoint scaled(QPointF p, double factor) {
    return QPoint(int(std::lround(p.x() * factor)), int(std::lround(p.y() * factor)));
}

template <class T> T* in(QWidget* dialog, const char* name) {
    return dialog->findChild<T*>(QString::fromLatin1(name));
}

// Typed, then the field left for "Annuler" (Enter would confirm the dialog).
void typePercent(QWidget* box, const QString& text, bool enter = false) {
    auto* field = in<QLineEdit>(box, "pnlPc");
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
    if (enter)
        QTest::keyClick(field, Qt::Key_Return);
    else
        in<QPushButton>(box, "CancelBtn")->setFocus();
}

int boxPercent(QWidget* box) {
    return in<UpDown>(box, "udPc")->position();
}

// The percent in force, as the clip's properties say it.
int percentShown(const TForm1& w) {
    return labelText(w, "lblAdapt").section(QLatin1Char(' '), -1).chopped(1).toInt();
}

} // namespace

class DisplaySizeTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_fixture.reset(); }

    void calibratedAndPointedAtTwiceTheSize();
    void whatOkApplies_data();
    void whatOkApplies();
    void typedAndHeldPercent();
    void fittingATinyWindow();
    void fittedPictureNeedsNoScrollBars();
    void pictureLargerThanTheScreen();

private:
    TForm1& w() { return *m_fixture->window; }
    TtailleImaBox* box() { return child<TtailleImaBox>(w(), "tailleImaBox"); }
    // Runs a size command; `act` runs while the dialog is on show.
    void runCommand(const char* command, const std::function<void(TtailleImaBox*)>& act) {
        TtailleImaBox* b = box();
        runModal(
            b, [this, command] { trigger(w(), command); }, [b, act] { act(b); });
    }
    void choosePercent(int percent) {
        runCommand("mnuImaAutre", [percent](TtailleImaBox* b) {
            typePercent(b, QString::number(percent));
            in<QPushButton>(b, "OKBtn")->click();
        });
    }
    std::unique_ptr<MainWindowFixture> m_fixture;
    clipgen::ClipTruth m_truth;
};

void DisplaySizeTest::init() {
    setDecimalSeparator(QLatin1Char('.'));
    m_fixture.reset(); // its seams go before the new window's come (a failed init skips cleanup)
    m_fixture = std::make_unique<MainWindowFixture>();
    QVERIFY(m_fixture->isValid());
    const OpenedClip clip = openGeneratedClip(*m_fixture, smallClipSpec(12), kClip);
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    m_truth = *clip.truth;
}

void DisplaySizeTest::calibratedAndPointedAtTwiceTheSize() {
    choosePercent(200);
    // The frame is decoded at the new size and still the first one.
    QCOMPARE(percentShown(w()), 200);
    QCOMPARE(widgetNamed(w(), "PaintBox1")->size(), QSize(320, 240));
    QCOMPARE(surfaceImage(w()).size(), QSize(320, 240));
    QCOMPARE(clipgen::readFrameIndex(surfaceImage(w())), 0);
    QVERIFY(child<QAction>(w(), "mnuIma100")->isEnabled());

    // Scale on the ruler and origin on the ball, clicked at the new size.
    trigger(w(), "popUpMnuModeEtalonner");
    clickBox(child<QRadioButton>(w(), "rbEtalonSimu"));
    clickSurface(w(), scaled(m_truth.rulerA, 2));
    clickBox(child<QCheckBox>(w(), "chkBoxPt2"));
    clickSurface(w(), scaled(m_truth.rulerB, 2));
    auto* distance = child<QLineEdit>(w(), "edSi");
    distance->setFocus();
    distance->selectAll();
    QTest::keyClicks(distance, QString::number(m_truth.rulerLengthM, 'g', 10));
    clickBox(child<QRadioButton>(w(), "rbChxOrig")); // leaves the field
    clickSurface(w(), scaled(m_truth.frames[0].ball, 2));
    trigger(w(), "popUpMnuModeAcquerir");

    // Kept in pixels of the picture: the ruler's length in pixels is the
    // clip's own, and the ball's true places read as the true metres.
    const MeasurementDocument& d = w().document();
    const Calibration& c = d.calibration();
    QVERIFY(std::hypot(c.p1.x() - m_truth.rulerA.x(), c.p1.y() - m_truth.rulerA.y()) < 0.5);
    QVERIFY(std::hypot(c.p2.x() - m_truth.rulerB.x(), c.p2.y() - m_truth.rulerB.y()) < 0.5);
    QVERIFY(std::fabs(double(c.sensitivity) * m_truth.pixelsPerMetre - 1) < 0.01);
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(frameShown(w()), i);
        clickSurface(w(), scaled(m_truth.frames[size_t(i)].ball, 2));
        const QPointF moved = m_truth.frames[size_t(i)].ball - m_truth.frames[0].ball;
        const std::optional<FramePosition> m = d.metres(i, 1);
        QVERIFY(m);
        const double tolerance = 1.0 / m_truth.pixelsPerMetre;
        QVERIFY2(std::fabs(double(m->x) - moved.x() / m_truth.pixelsPerMetre) < tolerance,
                 qPrintable(QString::number(double(m->x))));
        QVERIFY2(std::fabs(double(m->y) + moved.y() / m_truth.pixelsPerMetre) < tolerance,
                 qPrintable(QString::number(double(m->y))));
    }
}

void DisplaySizeTest::whatOkApplies_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<int>("inForce"); // the percent afterwards
    QTest::newRow("OK at the same percent") << "bbtnIma" << false << 100;
    QTest::newRow("\"100%\" from 50 %") << "mnuIma100" << false << 100;
    // Cancelled, "100%" puts the percent in force back into the dialog.
    QTest::newRow("\"100%\" cancelled") << "mnuIma100" << true << 50;
}

void DisplaySizeTest::whatOkApplies() {
    QFETCH(QString, command);
    QFETCH(bool, cancel);
    QFETCH(int, inForce);
    const bool hundred = command == QLatin1String("mnuIma100");
    if (hundred) {
        choosePercent(50);
        QVERIFY(child<QAction>(w(), "mnuIma100")->isEnabled());
    }
    TtailleImaBox* b = box();
    runModal(
        b,
        [&] {
            if (hundred)
                trigger(w(), "mnuIma100");
            else
                child<QToolButton>(w(), "bbtnIma")->click();
        },
        [b, cancel] {
            QCOMPARE(boxPercent(b), 100);
            in<QPushButton>(b, cancel ? "CancelBtn" : "OKBtn")->click();
        });
    QCOMPARE(percentShown(w()), inForce);
    QCOMPARE(surfaceImage(w()).width(), 160 * inForce / 100);
    QCOMPARE(boxPercent(b), inForce);
    QCOMPARE(child<QAction>(w(), "mnuIma100")->isEnabled(), inForce != 100);
}

void DisplaySizeTest::typedAndHeldPercent() {
    runCommand("mnuImaAutre", [this](TtailleImaBox* b) {
        b->activateWindow(); // the field's focus comes and goes
        QTRY_VERIFY(b->isActiveWindow());
        auto* field = in<QLineEdit>(b, "pnlPc");
        auto* arrows = in<UpDown>(b, "udPc");
        auto* adapt = in<QCheckBox>(b, "chkBxAdapter");
        QVERIFY(in<QPushButton>(b, "CancelBtn")->isDefault());
        QCOMPARE(b->windowTitle(), QStringLiteral("Taille du clip (actuellement 100%)"));
        // Leaving the field takes the typed percent.
        typePercent(b, QStringLiteral("250"));
        QVERIFY(b->isVisible());
        QCOMPARE(arrows->position(), 250);
        typePercent(b, QStringLiteral("1000"));
        QCOMPARE(field->text(), QStringLiteral("400%"));
        typePercent(b, QStringLiteral("5"));
        QCOMPARE(arrows->position(), 10);
        // Not a number: said when the field is left, the last percent back.
        m_fixture->seams.answerNext(true);
        typePercent(b, QStringLiteral("abc"));
        QCOMPARE(m_fixture->seams.count(MessageKind::Warning), 1);
        QCOMPARE(field->text(), QStringLiteral("10%"));

        // Held down, the arrow goes faster each 1.8 s, then back to 1.
        adapt->setChecked(true);
        QTest::mousePress(arrows->upButton(), Qt::LeftButton);
        QVERIFY(!adapt->isChecked());
        QList<int> steps;
        for (int tick = 0; tick < 5; ++tick) {
            b->Timer1Timer();
            steps << arrows->increment();
        }
        QCOMPARE(steps, (QList<int>{6, 11, 16, 20, 20}));
        b->setPosition(395);
        QTest::mouseRelease(arrows->upButton(), Qt::LeftButton);
        QCOMPARE(arrows->position(), 400); // not past the top
        QTRY_COMPARE(arrows->increment(), 1);
        // Enter in the field confirms the dialog with the percent typed.
        typePercent(b, QStringLiteral("200"), true);
        QVERIFY(!b->isVisible());
    });
    QCOMPARE(percentShown(w()), 200);
    QCOMPARE(surfaceImage(w()).size(), QSize(320, 240));
}

void DisplaySizeTest::fittingATinyWindow() {
    child<QSplitter>(w(), "Splitter1")->setSizes({20, 1000}); // the narrowest clip area
    QTRY_VERIFY(widgetNamed(w(), "ScrollBox1")->width() < 25);
    runCommand("mnuImaAdapter", [](TtailleImaBox* b) {
        QVERIFY(in<QCheckBox>(b, "chkBxAdapter")->isChecked());
        QCOMPARE(boxPercent(b), 10); // not below 10 %, however small
        in<QPushButton>(b, "OKBtn")->click();
    });
    QCOMPARE(percentShown(w()), 10);
    QCOMPARE(surfaceImage(w()).size(), QSize(16, 12));
    QVERIFY(!child<QAction>(w(), "mnuImaAdapter")->isEnabled());
    QCOMPARE(widgetNamed(w(), "pnl1AVI")->pos(), QPoint(0, 0));
}

void DisplaySizeTest::fittedPictureNeedsNoScrollBars() {
    child<QSplitter>(w(), "Splitter1")->setSizes({300, 2000});
    QTRY_COMPARE(widgetNamed(w(), "pnl1")->width(), 300);
    runCommand("mnuImaAdapter", [](TtailleImaBox* b) { in<QPushButton>(b, "OKBtn")->click(); });
    const int percent = percentShown(w());
    QVERIFY(percent > 100 && percent < 400);
    QCOMPARE(widgetNamed(w(), "PaintBox1")->width(), int(std::lround(160 * percent / 100.0)));
    QTest::qWait(0);
    auto* scroll = child<QScrollArea>(w(), "ScrollBox1");
    QVERIFY(!scroll->horizontalScrollBar()->isVisible());
    QVERIFY(!scroll->verticalScrollBar()->isVisible());
}

void DisplaySizeTest::pictureLargerThanTheScreen() {
    clipgen::ClipSpec big = smallClipSpec(3);
    big.width = 320;
    big.height = 240;
    const OpenedClip clip =
        openGeneratedClip(*m_fixture, big, QStringLiteral("display_size_big.avi"));
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    // Four times 320 x 240 is more than the screen: the picture scrolls, and
    // a click far in it lands on its own pixel, a quarter of a picture pixel.
    choosePercent(400);
    QCOMPARE(surfaceImage(w()).size(), QSize(1280, 960));
    QVERIFY(widgetNamed(w(), "PaintBox1")->height() > w().screen()->size().height());
    QCOMPARE(clipgen::readFrameIndex(surfaceImage(w())), 0);
    auto* scroll = child<QScrollArea>(w(), "ScrollBox1");
    QVERIFY(scroll->verticalScrollBar()->maximum() > 0);
    scroll->ensureVisible(4 + 1250, 4 + 950);
    clickSurface(w(), QPoint(1250, 950));
    const std::optional<PointPosition> p = w().document().position(0, 1);
    QVERIFY(p);
    QCOMPARE(p->pixel, QPointF(312.5, 237.5));
    QCOMPARE(clipgen::readFrameIndex(surfaceImage(w())), 1); // moved on
}

QTEST_MAIN(DisplaySizeTest)
#include "display_size.moc"
