// The "Etalonnage" page on the real widgets: the distance field under both
// decimal separators, scale-point clicks, origin and axis directions, and the
// read-outs over the picture.
#include "app/hint_tracker.h"
#include "app/main_window.h"
#include "app/paint_box.h"
#include "app/string_grid.h"
#include "app/up_down.h"
#include "common/number_format.h"
#include "geometry/scale_editing.h"
#include "support/measure_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace traxilo;
using namespace traxilo::test;

namespace {

const QString kClip = QStringLiteral("calibration_page.avi");

void moveOver(TForm1& w, QPoint pixel) {
    QTest::mouseMove(w.PaintBox1, pixel);
    w.PaintBox1MouseMove(Qt::NoModifier, pixel); // offscreen moves are not always delivered
}

// Texts on the way are not numbers yet ("", "-", "2,9E"): none is warned
// about while it is typed (the seams fail on an unexpected box).
void typeDistance(TForm1& w, SeamAnswerer& seams, const QString& text) {
    Q_UNUSED(seams);
    w.edSi->setFocus();
    w.edSi->selectAll();
    QTest::keyClick(w.edSi, Qt::Key_Backspace);
    QTest::keyClicks(w.edSi, text);
}

} // namespace

class CalibrationPage : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void resetState();
    void startingScaleEditing();
    void distanceField_data();
    void distanceField();
    void invalidDistanceRestoredOnExit_data();
    void invalidDistanceRestoredOnExit();
    void fewerDigitsKeepTheScale();
    void identicalPointsAreRefused();
    void scaleClickWithUnparsableField();
    void originAndDirections_data();
    void originAndDirections();
    void readoutsAfterOpening();
    void coordinateHint();
    void segmentColour();
    void undefinedScaleIsSaid_data();
    void undefinedScaleIsSaid();

private:
    TForm1& w() { return *m_fixture->window; }
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void CalibrationPage::init() {
    setDecimalSeparator(QLatin1Char('.'));
    m_fixture = std::make_unique<MainWindowFixture>();
    QVERIFY(m_fixture->isValid());
    const OpenedClip clip = openGeneratedClip(*m_fixture, smallClipSpec(6), kClip);
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    w().popUpMnuModeEtalonnerClick();
}

void CalibrationPage::cleanup() {
    m_fixture.reset();
    setDecimalSeparator(QLatin1Char('.'));
}

void CalibrationPage::resetState() {
    QCOMPARE(w().edSi->text(), QStringLiteral(" 1.41E+0"));
    QCOMPARE(w().lblSHori->text(), QStringLiteral(" 1.00E+0 m / pxl"));
    QCOMPARE(w().lblSVert->text(), QStringLiteral(" 1.00E+0 m / pxl"));
    QCOMPARE(w().lblXMetres->text(), QStringLiteral("x=  0.00E+0"));
    QCOMPARE(w().Calibration.sensitivity, 1.0L);
    QCOMPARE(w().Calibration.p1, QPoint(1, 1));
    QCOMPARE(w().Calibration.p2, QPoint(2, 2));
    // Markers centred on the points' column and row, in the panel's margins.
    QCOMPARE(w().indicX1->pos(), QPoint(4, 1));
    QCOMPARE(w().indicY2->pos(), QPoint(1, 5));
    QVERIFY(w().indicX1->isVisible());
    QVERIFY(!w().edSi->isEnabled());
    QVERIFY(!w().pnlEchEtap->isVisible());
}

void CalibrationPage::startingScaleEditing() {
    clickBox(w().rbEtalonSimu);
    QVERIFY(w().rbEtalonSimu->isChecked());
    QVERIFY(!w().rbChxOrig->isChecked());
    QVERIFY(w().chkBoxPt1->isChecked());
    QVERIFY(!w().chkBoxPt2->isChecked());
    QCOMPARE(w().lblEchEtap[0]->text(), QStringLiteral("1 - Cliquez sur le clip pour désigner p1"));
    QVERIFY(w().pnlEchEtap->isVisible());
    QCOMPARE(w().PaintBox1->cursor().pixmap().toImage(),
             w().cursors.cursor(141).pixmap().toImage());
    QCOMPARE(w().edSi->palette().color(QPalette::Base), QColor(0, 255, 0));
    QVERIFY(w().Calibration.scaleSegmentShown);
    QCOMPARE(w().imgEtalonSimu->property("imageIndex").toInt(), 1);

    // A click on the checked box keeps one of the two checked.
    clickBox(w().chkBoxPt1);
    QVERIFY(!w().chkBoxPt1->isChecked());
    QVERIFY(w().chkBoxPt2->isChecked());
    QCOMPARE(w().lblEchEtap[1]->text(), QStringLiteral("2 - Cliquez sur le clip pour désigner p2"));

    // Pointing mode leaves scale editing.
    w().popUpMnuModeAcquerirClick();
    QVERIFY(!w().rbEtalonSimu->isChecked());
    QVERIFY(!w().edSi->isEnabled());
    QVERIFY(!w().Calibration.scaleSegmentShown);
}

void CalibrationPage::distanceField_data() {
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("whileTyped");
    QTest::addColumn<QString>("afterExit");
    QTest::addColumn<double>("distance");
    QTest::newRow("comma locale, full stop typed") << QChar(',') << "0.5"
                                                   << "0,5"
                                                   << " 5,00E-1" << 0.5;
    QTest::newRow("comma locale, scientific") << QChar(',') << "2,9E-2"
                                              << "2,9E-2"
                                              << " 2,90E-2" << 0.029;
    QTest::newRow("full stop locale") << QChar('.') << "2.9e-2"
                                      << "2.9e-2"
                                      << " 2.90E-2" << 0.029;
    QTest::newRow("negative distance") << QChar('.') << "-3"
                                       << "-3"
                                       << " 3.00E+0" << 3.0;
    QTest::newRow("full stop locale, comma typed") << QChar('.') << "0,5"
                                                   << "0.5"
                                                   << " 5.00E-1" << 0.5;
    QTest::newRow("full stop locale, comma pasted") << QChar('.') << "paste:2,9E-2"
                                                    << "2.9E-2"
                                                    << " 2.90E-2" << 0.029;
}

void CalibrationPage::distanceField() {
    QFETCH(QChar, separator);
    QFETCH(QString, typed);
    QFETCH(QString, whileTyped);
    QFETCH(QString, afterExit);
    QFETCH(double, distance);
    setDecimalSeparator(separator);
    // The field's start-up text was written with the other separator: the
    // scale points' clicks cannot read it until a distance is typed.
    m_fixture->seams.failOnUnexpected(separator == QLatin1Char('.'));
    clickBox(w().rbEtalonSimu);
    clickSurface(w(), QPoint(10, 10));
    clickBox(w().chkBoxPt2);
    clickSurface(w(), QPoint(10, 110)); // 100 pixels apart
    const QChar foreign = separator == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
    const int dot = typed.indexOf(foreign);
    if (typed.startsWith(QLatin1String("paste:"))) {
        w().edSi->setFocus();
        w().edSi->selectAll();
        w().edSi->insert(typed.mid(6)); // what a paste does
    } else if (dot >= 0) {
        // Replaced as it is typed, the caret just after the new separator.
        typeDistance(w(), m_fixture->seams, typed.left(dot + 1));
        QCOMPARE(w().edSi->text(), whileTyped.left(dot + 1));
        QCOMPARE(w().edSi->cursorPosition(), dot + 1);
        QVERIFY(!w().edSi->hasSelectedText());
        QTest::keyClicks(w().edSi, typed.mid(dot + 1));
    } else {
        typeDistance(w(), m_fixture->seams, typed);
    }
    QCOMPARE(w().edSi->text(), whileTyped);
    QCOMPARE(w().lblEchEtap[2]->text(), QStringLiteral("3 - Entrez la distance p1p2 en mètre(s)"));
    clickBox(w().chkBoxPt1); // focus leaves the field
    QCOMPARE(w().edSi->text(), afterExit);
    QVERIFY(std::fabs(double(w().Calibration.sensitivity) - distance / 100) < 1e-12);
    QCOMPARE(w().edSi->palette().color(QPalette::Base), QColor(0, 255, 0));
    QVERIFY(w().Calibration.scaleChanged);
}

void CalibrationPage::fewerDigitsKeepTheScale() {
    clickBox(w().rbEtalonSimu);
    clickSurface(w(), QPoint(10, 10));
    clickBox(w().chkBoxPt2);
    clickSurface(w(), QPoint(10, 110)); // 100 pixels apart
    typeDistance(w(), m_fixture->seams, QStringLiteral("1.23"));
    clickBox(w().chkBoxPt1); // focus leaves the field
    QCOMPARE(w().edSi->text(), QStringLiteral(" 1.23E+0"));
    const long double s = w().Calibration.sensitivity;
    QVERIFY(std::fabs(double(s) - 0.0123) < 1e-12);
    w().popUpMnuModeAcquerirClick();
    clickSurface(w(), QPoint(40, 50));
    QCOMPARE(w().tables.MeasureTable.cell(1, 1), FormatSci(2, 40 * s));

    // One digit: the lengths show less, the scale stays what was typed.
    QTest::mouseClick(w().udFmt_xy->downButton(), Qt::LeftButton);
    QTest::mouseClick(w().udFmt_xy->downButton(), Qt::LeftButton);
    QCOMPARE(w().xyDigits(), 1);
    QCOMPARE(w().Calibration.sensitivity, s);
    QCOMPARE(w().edSi->text(), QStringLiteral(" 1.23E+0"));
    QCOMPARE(w().lblSHori->text(), FormatSci(0, s) + QStringLiteral(" m / pxl"));
    QCOMPARE(w().tables.MeasureTable.cell(1, 1), FormatSci(0, 40 * s));

    // More digits than typed: the field follows, the scale is unchanged.
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(w().udFmt_xy->upButton(), Qt::LeftButton);
    QCOMPARE(w().xyDigits(), 5);
    QCOMPARE(w().edSi->text(), QStringLiteral(" 1.2300E+0"));
    QVERIFY(std::fabs(double(w().Calibration.sensitivity - s)) < 1e-15);
    QCOMPARE(w().tables.MeasureTable.cell(1, 1), FormatSci(4, 40 * s));
}

void CalibrationPage::invalidDistanceRestoredOnExit_data() {
    QTest::addColumn<QString>("wrong");
    QTest::newRow("letter") << "2a";
    QTest::newRow("zero") << "0"; // every length would read 0
    QTest::newRow("zero with exponent") << "0.0E3";
}

void CalibrationPage::invalidDistanceRestoredOnExit() {
    QFETCH(QString, wrong);
    clickBox(w().rbEtalonSimu);
    typeDistance(w(), m_fixture->seams, QStringLiteral("2"));
    const long double s = w().Calibration.sensitivity;
    m_fixture->seams.clear();
    // Red while typed, the box only when the field is left.
    w().edSi->selectAll();
    QTest::keyClicks(w().edSi, wrong);
    QCOMPARE(w().lblSHori->text(), QStringLiteral("erreur ?\?!"));
    QCOMPARE(w().lblSVert->text(), QStringLiteral("erreur ?\?!"));
    QCOMPARE(w().edSi->palette().color(QPalette::Base), QColor(255, 0, 0));
    QCOMPARE(w().Calibration.sensitivity, s);
    w().edSi->selectAll();
    QTest::keyClick(w().edSi, Qt::Key_Backspace); // empty: red all the same
    QCOMPARE(w().edSi->palette().color(QPalette::Base), QColor(255, 0, 0));
    QCOMPARE(m_fixture->seams.count(MessageKind::Warning), 0);
    m_fixture->seams.answerNext(true);
    clickBox(w().chkBoxPt2);
    QCOMPARE(m_fixture->seams.count(MessageKind::Warning), 1);
    QCOMPARE(m_fixture->seams.lastText(), kDistanceWarning);
    QCOMPARE(w().edSi->text(), QStringLiteral(" 2.00E+0"));
    QCOMPARE(w().edSi->palette().color(QPalette::Base), QColor(0, 255, 0));
    QVERIFY(w().lblSHori->text().endsWith(QStringLiteral(" m / pxl")));
    QCOMPARE(w().Calibration.sensitivity, s);
}

void CalibrationPage::identicalPointsAreRefused() {
    clickBox(w().rbEtalonSimu);
    clickSurface(w(), QPoint(20, 30));
    clickBox(w().chkBoxPt2);
    clickSurface(w(), QPoint(60, 30));
    m_fixture->seams.clear();
    m_fixture->seams.answerNext(true);
    clickSurface(w(), QPoint(20, 30));
    QCOMPARE(m_fixture->seams.count(MessageKind::Error), 1);
    QCOMPARE(m_fixture->seams.lastText(), kIdenticalPointsMessage);
    QCOMPARE(w().Calibration.p1, QPoint(20, 30));
    QCOMPARE(w().Calibration.p2, QPoint(60, 30));
    QCOMPARE(w().lblP2X->text(), QStringLiteral("pX= 60"));
    QCOMPARE(w().indicX2->pos(), QPoint(63, 1));
}

void CalibrationPage::scaleClickWithUnparsableField() {
    clickBox(w().rbEtalonSimu);
    typeDistance(w(), m_fixture->seams, QStringLiteral("x"));
    const long double s = w().Calibration.sensitivity;
    m_fixture->seams.clear();
    m_fixture->seams.answerNext(true);
    // The click is taken before the field is left.
    w().PaintBox1MouseUp(Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    QCOMPARE(w().Calibration.p1, QPoint(50, 50));
    QCOMPARE(m_fixture->seams.count(MessageKind::Error), 1);
    QCOMPARE(m_fixture->seams.lastText(),
             QStringLiteral("'x' n'est pas une valeur en virgule flottante correcte"));
    QCOMPARE(w().Calibration.sensitivity, s);
}

void CalibrationPage::originAndDirections_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("pX");
    QTest::addColumn<QString>("pY");
    QTest::addColumn<int>("cursor");
    // Origin at (50, 40); the pixel looked at is (60, 45): right of and below it.
    QTest::newRow("x right, y up") << "tbXpYp"
                                   << "pX= 10"
                                   << "pY= -5" << 111;
    QTest::newRow("x left, y up") << "tbXnYp"
                                  << "pX= -10"
                                  << "pY= -5" << 112;
    QTest::newRow("x right, y down") << "tbXpYn"
                                     << "pX= 10"
                                     << "pY= 5" << 113;
    QTest::newRow("x left, y down") << "tbXnYN"
                                    << "pX= -10"
                                    << "pY= 5" << 114;
}

void CalibrationPage::originAndDirections() {
    QFETCH(QString, button);
    QFETCH(QString, pX);
    QFETCH(QString, pY);
    QFETCH(int, cursor);
    // A point recorded first, to see the table follow.
    w().popUpMnuModeAcquerirClick();
    clickSurface(w(), QPoint(60, 45));
    const QString pixelsBefore = w().tables.PixelTable.cell(1, 1);
    w().popUpMnuModeEtalonnerClick();
    QVERIFY(!w().tBarOriAxes->isEnabled());
    clickBox(w().rbChxOrig);
    QVERIFY(w().tBarOriAxes->isEnabled());
    clickSurface(w(), QPoint(50, 40));
    QCOMPARE(w().Calibration.Xo, 50);
    QCOMPARE(w().Calibration.Yo, 40);
    QTest::mouseClick(widgetNamed(w(), button), Qt::LeftButton);
    QCOMPARE(w().PaintBox1->cursor().pixmap().toImage(),
             w().cursors.cursor(cursor).pixmap().toImage());
    moveOver(w(), QPoint(60, 45));
    QCOMPARE(w().lblXPixels->text(), pX);
    QCOMPARE(w().lblYPixels->text(), pY);
    const long double x = pX.mid(4).toInt();
    const long double y = pY.mid(4).toInt();
    QCOMPARE(w().tables.MeasureTable.cell(1, 1), FormatSci(2, x));
    QCOMPARE(w().tables.MeasureTable.cell(2, 1), FormatSci(2, y));
    QCOMPARE(w().tables.PixelTable.cell(1, 1), pixelsBefore);
    // p1 = (1, 1) in the origin's frame.
    QCOMPARE(w().lblP1X->text(), QStringLiteral("pX= %1").arg(w().Calibration.signX * (1 - 50)));
    // On an axis the coordinate is a zero, whatever the direction.
    moveOver(w(), QPoint(50, 30));
    QCOMPARE(w().lblXMetres->text(), QStringLiteral("x=  0.00E+0"));
}

void CalibrationPage::readoutsAfterOpening() {
    moveOver(w(), QPoint(0, 119));
    QCOMPARE(w().lblXPixels->text(), QStringLiteral("pX= 0"));
    QCOMPARE(w().lblYPixels->text(), QStringLiteral("pY= 0"));
    moveOver(w(), QPoint(3, 118));
    QCOMPARE(w().lblXPixels->text(), QStringLiteral("pX= 3"));
    QCOMPARE(w().lblYPixels->text(), QStringLiteral("pY= 1"));
    QCOMPARE(w().lblXMetres->text(), QStringLiteral("x=  3.00E+0"));
    QCOMPARE(w().lastMousePos, QPoint(3, 118));
}

void CalibrationPage::coordinateHint() {
    QTest::mouseMove(w().tbCoord, QPoint(5, 5));
    w().tbCoordMouseMove();
    const QString expected = QStringLiteral(
        "Coordonnées \r- sensibilité horizontale : 1.00E+0 m / pxl ;\r- sensibilité verticale "
        ":     1.00E+0 m / pxl|Coordonnées ( sensibilité horizontale:  1.00E+0 m / pxl ; "
        "sensibilité verticale:  1.00E+0 m / pxl )");
    QCOMPARE(HintTracker::hint(w().tbCoord), expected);
}

void CalibrationPage::segmentColour() {
    clickBox(w().rbEtalonSimu);
    m_fixture->seams.answerNextColour(QColor(255, 0, 255));
    QTest::mouseClick(w().bbtnCouleurEch, Qt::LeftButton);
    QCOMPARE(w().Calibration.scaleSegmentColour, QColor(255, 0, 255));
    QCOMPARE(w().lblEchEtap[3]->text(), QStringLiteral("4 - Modifiez la couleur du segment p1p2"));
    const auto swatch = [&] {
        return w().bbtnCouleurEch->icon().pixmap(16, 16).toImage().pixelColor(8, 8);
    };
    QCOMPARE(swatch(), QColor(255, 0, 255));
    // Another clip resets the segment to green, and the button with it.
    const OpenedClip again = openGeneratedClip(*m_fixture, smallClipSpec(6), kClip);
    QVERIFY2(again.ok(), qPrintable(again.error));
    QCOMPARE(w().Calibration.scaleSegmentColour, QColor(0, 128, 0));
    QCOMPARE(swatch(), QColor(0, 128, 0));
}

void CalibrationPage::undefinedScaleIsSaid_data() {
    QTest::addColumn<bool>("byDistance"); // else by a scale point
    QTest::newRow("distance typed") << true;
    QTest::newRow("scale point clicked") << false;
}

void CalibrationPage::undefinedScaleIsSaid() {
    QFETCH(bool, byDistance);
    // Shown is what the tool bar shows: the label's action.
    const auto shown = [this] {
        return w().lblEchelle->isVisibleTo(&w()) &&
               w().lblEchelle->text() == QStringLiteral("(échelle non définie)");
    };
    const auto tableHint = [this] { return HintTracker::hint(w().StringGrid1); };
    QTRY_VERIFY(shown()); // the tool bar lays itself out when events run
    QVERIFY(tableHint().contains(QStringLiteral("étalonnez d'abord")));
    clickBox(w().rbEtalonSimu);
    if (byDistance)
        typeDistance(w(), m_fixture->seams, QStringLiteral("0.5"));
    else
        clickSurface(w(), QPoint(30, 30));
    QTRY_VERIFY(!shown());
    QVERIFY(w().lblXMetres->isVisibleTo(&w()));
    QVERIFY(!tableHint().contains(QStringLiteral("étalonnez d'abord")));
    // A new clip has no scale again.
    const OpenedClip again = openGeneratedClip(*m_fixture, smallClipSpec(6), kClip);
    QVERIFY2(again.ok(), qPrintable(again.error));
    QTRY_VERIFY(shown());
}

QTEST_MAIN(CalibrationPage)
#include "calibration_page.moc"
