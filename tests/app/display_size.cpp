// The clip's display size: the dialog and its three commands, the frame
// decoded at the new size, the tables and the scale reset, and what the
// user may type or hold.
#include "app/dialogs/dialogs.h"
#include "app/dialogs/display_size_dialog.h"
#include "app/main_window.h"
#include "app/paint_box.h"
#include "app/up_down.h"
#include "common/number_format.h"
#include "support/measure_window.h"
#include "support/modal_driver.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
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

// Typed, then the field left (Enter would confirm the dialog).
void typePercent(TtailleImaBox& box, const QString& text, bool enter = false) {
    box.pnlPc->selectAll();
    QTest::keyClicks(box.pnlPc, text);
    if (enter)
        QTest::keyClick(box.pnlPc, Qt::Key_Return);
    else
        emit box.pnlPc->editingFinished();
}

} // namespace

class DisplaySizeTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_fixture.reset(); }

    void twiceTheSizeMeasuresTheSameMetres();
    void declinedQuestionKeepsEverything();
    void whatOkApplies_data();
    void whatOkApplies();
    void typedAndHeldPercent();
    void fittingATinyWindow();
    void fittedPictureNeedsNoScrollBars();
    void pictureLargerThanTheScreen();

private:
    TForm1& w() { return *m_fixture->window; }
    TtailleImaBox& box() { return *w().dialogs->tailleImaBox; }
    // Runs a size command; `act` runs while the dialog is on show.
    void runCommand(const std::function<void()>& command,
                    const std::function<void(TtailleImaBox&)>& act) {
        TtailleImaBox* b = &box();
        runModal(b, command, [b, act] { act(*b); });
    }
    void choosePercent(int percent) {
        runCommand([this] { w().bbtnIma->click(); },
                   [percent](TtailleImaBox& b) {
                       typePercent(b, QString::number(percent));
                       b.OKBtn->click();
                   });
    }
    std::unique_ptr<MainWindowFixture> m_fixture;
    clipgen::ClipTruth m_truth;
};

void DisplaySizeTest::init() {
    setDecimalSeparator(QLatin1Char('.'));
    m_fixture = std::make_unique<MainWindowFixture>();
    QVERIFY(m_fixture->isValid());
    const OpenedClip clip = openGeneratedClip(*m_fixture, smallClipSpec(12), kClip);
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    m_truth = *clip.truth;
}

void DisplaySizeTest::twiceTheSizeMeasuresTheSameMetres() {
    clickSurface(w(), QPoint(30, 30)); // a point, so the table is not empty
    QVERIFY(w().tableauOccupe());
    m_fixture->seams.answerNext(true);
    choosePercent(200);
    QCOMPARE(m_fixture->seams.lastText(), kDisplaySizeQuestion);

    // The frame is decoded at the new size and still the first one.
    QCOMPARE(w().displaySize.displayPercent, 200);
    QCOMPARE(w().displaySize.displayWidth, 320);
    QCOMPARE(w().displaySize.displayHeight, 240);
    QCOMPARE(w().PaintBox1->size(), QSize(320, 240));
    QCOMPARE(w().PaintBox1->image().size(), QSize(320, 240));
    QCOMPARE(clipgen::readFrameIndex(w().PaintBox1->image()), 0);
    QCOMPARE(w().lblAdapt->text(), QStringLiteral("Adaptation : 200%"));
    QVERIFY(w().mnuIma100->isEnabled());
    // The table and the scale start again; the time column stays.
    QVERIFY(!w().tableauOccupe());
    QCOMPARE(w().tables.MeasureTable.cell(0, 2), QStringLiteral("0.040"));
    QCOMPARE(w().Calibration.p1, QPoint(1, 1));
    QCOMPARE(w().Calibration.sensitivity, 1.0L);

    // Calibrated again on the ruler, at the new size.
    w().popUpMnuModeEtalonnerClick();
    clickBox(w().rbEtalonSimu);
    clickSurface(w(), scaled(m_truth.rulerA, 2));
    clickBox(w().chkBoxPt2);
    clickSurface(w(), scaled(m_truth.rulerB, 2));
    w().edSi->setFocus();
    w().edSi->selectAll();
    m_fixture->seams.failOnUnexpected(false); // the texts typed on the way are not numbers yet
    QTest::keyClicks(w().edSi, QString::number(m_truth.rulerLengthM, 'g', 10));
    m_fixture->seams.failOnUnexpected(true);
    clickBox(w().rbChxOrig); // leaves the field, and chooses the origin
    const QPoint origin = scaled(m_truth.frames[0].ball, 2);
    clickSurface(w(), origin);
    w().popUpMnuModeAcquerirClick();

    // The ball's true place, twice as far, reads as the true metres.
    const double s = double(w().Calibration.sensitivity);
    QVERIFY(std::fabs(s * m_truth.pixelsPerMetre * 2 - 1) < 0.02);
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(w().currentFrame, i);
        QCOMPARE(clipgen::readFrameIndex(w().PaintBox1->image()), i);
        clickSurface(w(), scaled(m_truth.frames[size_t(i)].ball, 2));
        const QPointF moved = m_truth.frames[size_t(i)].ball - m_truth.frames[0].ball;
        const double x = parse(w().tables.MeasureTable.cell(1, i + 1));
        const double y = parse(w().tables.MeasureTable.cell(2, i + 1));
        const double tolerance = 1.5 / m_truth.pixelsPerMetre;
        QVERIFY2(std::fabs(x - moved.x() / m_truth.pixelsPerMetre) < tolerance,
                 qPrintable(QString::number(x)));
        QVERIFY2(std::fabs(y + moved.y() / m_truth.pixelsPerMetre) < tolerance,
                 qPrintable(QString::number(y)));
    }
}

void DisplaySizeTest::declinedQuestionKeepsEverything() {
    clickSurface(w(), QPoint(30, 30));
    const QString x = w().tables.PixelTable.cell(1, 1);
    m_fixture->seams.answerNext(false);
    choosePercent(50);
    QCOMPARE(m_fixture->seams.lastText(), kDisplaySizeQuestion);
    QCOMPARE(w().tables.PixelTable.cell(1, 1), x);
    QCOMPARE(w().displaySize.displayPercent, 100);
    QCOMPARE(box().position(), 100);
    QCOMPARE(box().pnlPc->text(), QStringLiteral("100%"));
    QCOMPARE(w().PaintBox1->image().size(), QSize(160, 120));
    QCOMPARE(w().lblAdapt->text(), QStringLiteral("Adaptation : 100%"));
}

void DisplaySizeTest::whatOkApplies_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<bool>("asked");
    QTest::newRow("OK at the same percent") << "bbtnIma" << false << false;
    QTest::newRow("\"100%\" from 50 %") << "mnuIma100" << false << true;
    QTest::newRow("\"100%\" cancelled") << "mnuIma100" << true << false;
}

void DisplaySizeTest::whatOkApplies() {
    QFETCH(QString, command);
    QFETCH(bool, cancel);
    QFETCH(bool, asked);
    const bool hundred = command == QLatin1String("mnuIma100");
    if (hundred) {
        choosePercent(50); // the table is empty: no question
        QVERIFY(w().mnuIma100->isEnabled());
    }
    clickSurface(w(), QPoint(30, 30));
    if (asked) {
        m_fixture->seams.answerNext(true);
    }
    runCommand(
        [&] {
            if (hundred) {
                w().mnuIma100->trigger();
            } else {
                w().bbtnIma->click();
            }
        },
        [cancel](TtailleImaBox& b) {
            QCOMPARE(b.position(), 100);
            (cancel ? b.CancelBtn : b.OKBtn)->click();
        });
    QCOMPARE(m_fixture->seams.messages().size(), asked ? 1 : 0);
    QCOMPARE(w().tableauOccupe(), !asked);
    // Cancelled, "100%" puts the percent in force back into the dialog.
    const int inForce = hundred && cancel ? 50 : 100;
    QCOMPARE(w().displaySize.displayPercent, inForce);
    QCOMPARE(box().position(), inForce);
}

void DisplaySizeTest::typedAndHeldPercent() {
    runCommand([this] { w().bbtnIma->click(); },
               [this](TtailleImaBox& b) {
                   QVERIFY(b.CancelBtn->isDefault());
                   QCOMPARE(b.windowTitle(), QStringLiteral("Taille du clip (actuellement 100%)"));
                   // Leaving the field takes the typed percent.
                   typePercent(b, QStringLiteral("250"));
                   QVERIFY(b.isVisible());
                   QCOMPARE(b.position(), 250);
                   typePercent(b, QStringLiteral("1000"));
                   QCOMPARE(b.pnlPc->text(), QStringLiteral("400%"));
                   typePercent(b, QStringLiteral("5"));
                   QCOMPARE(b.position(), 10);
                   // Not a number: said when Enter is pressed, the last percent back.
                   m_fixture->seams.answerNext(true);
                   typePercent(b, QStringLiteral("abc"), true);
                   QCOMPARE(m_fixture->seams.count(MessageKind::Warning), 1);
                   QCOMPARE(b.pnlPc->text(), QStringLiteral("10%"));

                   // Held down, the arrow goes faster each 1.8 s, then back to 1.
                   b.chkBxAdapter->setChecked(true);
                   QTest::mousePress(b.udPc->upButton(), Qt::LeftButton);
                   QVERIFY(!b.chkBxAdapter->isChecked());
                   QList<int> steps;
                   for (int tick = 0; tick < 5; ++tick) {
                       b.Timer1Timer();
                       steps << b.udPc->increment();
                   }
                   QCOMPARE(steps, (QList<int>{6, 11, 16, 20, 20}));
                   b.setPosition(395);
                   QTest::mouseRelease(b.udPc->upButton(), Qt::LeftButton);
                   QCOMPARE(b.position(), 400); // not past the top
                   QTRY_COMPARE(b.udPc->increment(), 1);
                   // Enter in the field confirms the dialog with the percent typed.
                   typePercent(b, QStringLiteral("200"), true);
                   QVERIFY(!b.isVisible());
               });
    QCOMPARE(w().displaySize.displayPercent, 200);
    QCOMPARE(w().displaySize.displayWidth, 320);
}

void DisplaySizeTest::fittingATinyWindow() {
    w().Splitter1->setSizes({20, 1000}); // the narrowest clip area
    QTRY_VERIFY(w().ScrollBox1->width() < 25);
    runCommand([this] { w().mnuImaAdapter->trigger(); },
               [](TtailleImaBox& b) {
                   QVERIFY(b.chkBxAdapter->isChecked());
                   QCOMPARE(b.position(), 10); // not below 10 %, however small
                   b.OKBtn->click();
               });
    QCOMPARE(w().displaySize.displayPercent, 10);
    QCOMPARE(w().PaintBox1->image().size(), QSize(16, 12));
    QVERIFY(!w().mnuImaAdapter->isEnabled());
    QCOMPARE(w().pnl1AVI->pos(), QPoint(0, 0));
}

void DisplaySizeTest::fittedPictureNeedsNoScrollBars() {
    w().Splitter1->setSizes({300, 2000});
    QTRY_COMPARE(w().pnl1->width(), 300);
    runCommand([this] { w().mnuImaAdapter->trigger(); },
               [](TtailleImaBox& b) { b.OKBtn->click(); });
    QVERIFY(w().displaySize.displayPercent > 100 && w().displaySize.displayPercent < 400);
    QCOMPARE(w().PaintBox1->width(),
             int(std::lround(160 * w().displaySize.displayPercent / 100.0)));
    QTest::qWait(0);
    QVERIFY(!w().ScrollBox1->horizontalScrollBar()->isVisible());
    QVERIFY(!w().ScrollBox1->verticalScrollBar()->isVisible());
}

void DisplaySizeTest::pictureLargerThanTheScreen() {
    clipgen::ClipSpec big = smallClipSpec(3);
    big.width = 320;
    big.height = 240;
    const OpenedClip clip =
        openGeneratedClip(*m_fixture, big, QStringLiteral("display_size_big.avi"));
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    // Four times 320 x 240 is more than the screen: the picture scrolls, and
    // a click far in it lands on its own pixel.
    choosePercent(400);
    QCOMPARE(w().PaintBox1->image().size(), QSize(1280, 960));
    QVERIFY(w().PaintBox1->height() > w().screen()->size().height());
    QCOMPARE(clipgen::readFrameIndex(w().PaintBox1->image()), 0);
    QVERIFY(w().ScrollBox1->verticalScrollBar()->maximum() > 0);
    w().ScrollBox1->ensureVisible(4 + 1250, 4 + 950);
    clickSurface(w(), QPoint(1250, 950));
    QCOMPARE(w().tables.PixelTable.cell(1, 1), QStringLiteral("1250"));
    QCOMPARE(w().tables.PixelTable.cell(2, 1), QStringLiteral("950"));
    QCOMPARE(clipgen::readFrameIndex(w().PaintBox1->image()), 1); // moved on
}

QTEST_MAIN(DisplaySizeTest)
#include "display_size.moc"
