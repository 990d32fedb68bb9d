// The "Etalonnage" page on the real widgets: the distance field under both
// decimal separators, scale-point clicks, origin and axis directions, and the
// read-outs over the picture. What the calibration makes of the positions
// is the document's (tests/document).
#include "app/cursors.h"
#include "app/hint_tracker.h"
#include "app/main_window.h"
#include "app/up_down.h"
#include "common/number_format.h"
#include "document/measurement_document.h"
#include "geometry/scale_editing.h"
#include "support/measure_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace traxilo;
using namespace traxilo::test;

namespace {

const QString kClip = QStringLiteral("calibration_page.avi");

// The pointer moved over `widget` without a button (offscreen moves are not
// always delivered by QTest).
void moveOver(QWidget* widget, QPoint pixel) {
    QMouseEvent move(QEvent::MouseMove, QPointF(pixel), widget->mapToGlobal(QPointF(pixel)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// Does the pointing surface show the program's cursor `number`?
bool showsCursor(const TForm1& w, int number) {
    CursorRegistry cursors;
    cursors.registerStandardCursors();
    return widgetNamed(w, "PaintBox1")->cursor().bitmap().toImage() ==
           cursors.cursor(number).bitmap().toImage();
}

} // namespace

class CalibrationPageTest : public QObject {
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
    void originAndDirections_data();
    void originAndDirections();
    void readoutsAfterOpening();
    void coordinateHint();
    void segmentColour();
    void undefinedScaleIsSaid_data();
    void undefinedScaleIsSaid();

private:
    TForm1& w() { return *m_fixture->window; }
    const Calibration& calibration() { return w().document().calibration(); }
    QLineEdit* field() { return child<QLineEdit>(w(), "edSi"); }
    QString text(const char* label) { return labelText(w(), label); }
    void click(const char* box) { clickBox(child<QAbstractButton>(w(), box)); }
    // Texts on the way are not numbers yet ("", "-", "2,9E"): none is warned
    // about while it is typed (the seams fail on an unexpected box).
    void typeDistance(const QString& text) {
        field()->setFocus();
        field()->selectAll();
        QTest::keyClick(field(), Qt::Key_Backspace);
        QTest::keyClicks(field(), text);
    }
    // p1 and p2 100 pixels apart, on one column.
    void placeScalePoints() {
        click("rbEtalonSimu");
        clickSurface(w(), QPoint(10, 10));
        click("chkBoxPt2");
        clickSurface(w(), QPoint(10, 110));
    }
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void CalibrationPageTest::init() {
    setDecimalSeparator(QLatin1Char('.'));
    m_fixture.reset(); // its seams go before the new window's come (a failed init skips cleanup)
    m_fixture = std::make_unique<MainWindowFixture>();
    QVERIFY(m_fixture->isValid());
    const OpenedClip clip = openGeneratedClip(*m_fixture, smallClipSpec(6), kClip);
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    trigger(w(), "popUpMnuModeEtalonner");
}

void CalibrationPageTest::cleanup() {
    m_fixture.reset();
    setDecimalSeparator(QLatin1Char('.'));
}

void CalibrationPageTest::resetState() {
    QCOMPARE(field()->text(), QStringLiteral(" 1.41E+0"));
    QCOMPARE(text("lblSHori"), QStringLiteral(" 1.00E+0 m / pxl"));
    QCOMPARE(text("lblSVert"), QStringLiteral(" 1.00E+0 m / pxl"));
    QCOMPARE(text("lblXMetres"), QStringLiteral("x=  0.00E+0"));
    // Markers centred on the scale points' column and row, (1, 1) and (2, 2),
    // in the panel's margins.
    QCOMPARE(widgetNamed(w(), "indicX1")->pos(), QPoint(4, 1));
    QCOMPARE(widgetNamed(w(), "indicY2")->pos(), QPoint(1, 5));
    QVERIFY(widgetNamed(w(), "indicX1")->isVisible());
    QVERIFY(!field()->isEnabled());
    QVERIFY(!widgetNamed(w(), "pnlEchEtap")->isVisible());
}

void CalibrationPageTest::startingScaleEditing() {
    const auto segmentShown = [this] {
        return surfaceRgb(w(), QPoint(1, 5)) == 0xFF0000; // the red cross on p1 (1, 1)
    };
    QVERIFY(!segmentShown());
    click("rbEtalonSimu");
    QVERIFY(child<QRadioButton>(w(), "rbEtalonSimu")->isChecked());
    QVERIFY(!child<QRadioButton>(w(), "rbChxOrig")->isChecked());
    QVERIFY(child<QCheckBox>(w(), "chkBoxPt1")->isChecked());
    QVERIFY(!child<QCheckBox>(w(), "chkBoxPt2")->isChecked());
    QCOMPARE(text("lblEchEtap1"), QStringLiteral("1 - Cliquez sur le clip pour désigner p1"));
    QVERIFY(widgetNamed(w(), "pnlEchEtap")->isVisible());
    QVERIFY(showsCursor(w(), 141));
    QCOMPARE(field()->palette().color(QPalette::Base), QColor(0, 255, 0));
    QVERIFY(segmentShown());
    QCOMPARE(widgetNamed(w(), "imgEtalonSimu")->property("imageIndex").toInt(), 1);

    // A click on the checked box keeps one of the two checked.
    click("chkBoxPt1");
    QVERIFY(!child<QCheckBox>(w(), "chkBoxPt1")->isChecked());
    QVERIFY(child<QCheckBox>(w(), "chkBoxPt2")->isChecked());
    QVERIFY(showsCursor(w(), 142));
    QCOMPARE(text("lblEchEtap2"), QStringLiteral("2 - Cliquez sur le clip pour désigner p2"));

    // Pointing mode leaves scale editing.
    trigger(w(), "popUpMnuModeAcquerir");
    QVERIFY(!child<QRadioButton>(w(), "rbEtalonSimu")->isChecked());
    QVERIFY(!field()->isEnabled());
    QTRY_VERIFY(!segmentShown());
}

void CalibrationPageTest::distanceField_data() {
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("whileTyped");
    QTest::addColumn<QString>("afterExit");
    QTest::addColumn<double>("distance");
    QTest::newRow("comma locale, full stop typed") << QChar(',') << "0.5"
                                                   << "0,5"
                                                   << " 5,00E-1" << 0.5;
    QTest::newRow("full stop locale") << QChar('.') << "2.9e-2"
                                      << "2.9e-2"
                                      << " 2.90E-2" << 0.029;
    QTest::newRow("full stop locale, comma typed") << QChar('.') << "0,5"
                                                   << "0.5"
                                                   << " 5.00E-1" << 0.5;
    QTest::newRow("full stop locale, comma pasted") << QChar('.') << "paste:2,9E-2"
                                                    << "2.9E-2"
                                                    << " 2.90E-2" << 0.029;
}

void CalibrationPageTest::distanceField() {
    QFETCH(QChar, separator);
    QFETCH(QString, typed);
    QFETCH(QString, whileTyped);
    QFETCH(QString, afterExit);
    QFETCH(double, distance);
    setDecimalSeparator(separator);
    // The field's start-up text was written with the other separator: the
    // scale points' clicks cannot read it until a distance is typed.
    m_fixture->seams.failOnUnexpected(separator == QLatin1Char('.'));
    placeScalePoints();
    const QChar foreign = separator == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
    const int dot = typed.indexOf(foreign);
    if (typed.startsWith(QLatin1String("paste:"))) {
        field()->setFocus();
        field()->selectAll();
        field()->insert(typed.mid(6)); // what a paste does
    } else if (dot >= 0) {
        // Replaced as it is typed, the caret just after the new separator.
        typeDistance(typed.left(dot + 1));
        QCOMPARE(field()->text(), whileTyped.left(dot + 1));
        QCOMPARE(field()->cursorPosition(), dot + 1);
        QVERIFY(!field()->hasSelectedText());
        QTest::keyClicks(field(), typed.mid(dot + 1));
    } else {
        typeDistance(typed);
    }
    QCOMPARE(field()->text(), whileTyped);
    QCOMPARE(text("lblEchEtap3"), QStringLiteral("3 - Entrez la distance p1p2 en mètre(s)"));
    click("chkBoxPt1"); // focus leaves the field
    QCOMPARE(field()->text(), afterExit);
    QVERIFY(std::fabs(double(calibration().sensitivity) - distance / 100) < 1e-12);
    QCOMPARE(field()->palette().color(QPalette::Base), QColor(0, 255, 0));
    QVERIFY(calibration().scaleDefined);
}

void CalibrationPageTest::fewerDigitsKeepTheScale() {
    placeScalePoints();
    typeDistance(QStringLiteral("1.23"));
    click("chkBoxPt1"); // focus leaves the field
    QCOMPARE(field()->text(), QStringLiteral(" 1.23E+0"));
    const long double s = calibration().sensitivity;
    QVERIFY(std::fabs(double(s) - 0.0123) < 1e-12);
    auto* digits = child<UpDown>(w(), "udFmt_xy");

    // One digit: the lengths show less, the scale stays what was typed.
    QTest::mouseClick(digits->downButton(), Qt::LeftButton);
    QTest::mouseClick(digits->downButton(), Qt::LeftButton);
    QCOMPARE(w().document().xyDigits(), 1);
    QCOMPARE(calibration().sensitivity, s);
    QCOMPARE(field()->text(), QStringLiteral(" 1.23E+0"));
    QCOMPARE(text("lblSHori"), FormatSci(0, s) + QStringLiteral(" m / pxl"));

    // More digits than typed: the field follows, the scale is unchanged.
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(digits->upButton(), Qt::LeftButton);
    QCOMPARE(w().document().xyDigits(), 5);
    QCOMPARE(field()->text(), QStringLiteral(" 1.2300E+0"));
    QCOMPARE(text("lblSHori"), FormatSci(4, s) + QStringLiteral(" m / pxl"));
    QVERIFY(std::fabs(double(calibration().sensitivity - s)) < 1e-15);
}

void CalibrationPageTest::invalidDistanceRestoredOnExit_data() {
    QTest::addColumn<QString>("wrong");
    QTest::addColumn<bool>("byPicture"); // the field left for a click on the picture
    // Which texts are refused: tests/geometry.
    QTest::newRow("letter") << "2a" << false;
    // The press takes the focus: the box, then the scale point, no error.
    QTest::newRow("letter, then a scale point") << "x" << true;
}

void CalibrationPageTest::invalidDistanceRestoredOnExit() {
    QFETCH(QString, wrong);
    QFETCH(bool, byPicture);
    click("rbEtalonSimu");
    typeDistance(QStringLiteral("2"));
    const long double s = calibration().sensitivity;
    // Red while typed, the box only when the field is left.
    field()->selectAll();
    QTest::keyClicks(field(), wrong);
    QCOMPARE(text("lblSHori"), QStringLiteral("erreur ?\?!"));
    QCOMPARE(text("lblSVert"), QStringLiteral("erreur ?\?!"));
    QCOMPARE(field()->palette().color(QPalette::Base), QColor(255, 0, 0));
    QCOMPARE(calibration().sensitivity, s);
    field()->selectAll();
    QTest::keyClick(field(), Qt::Key_Backspace); // empty: red all the same
    QCOMPARE(field()->palette().color(QPalette::Base), QColor(255, 0, 0));
    QCOMPARE(m_fixture->seams.messages().size(), 0);
    m_fixture->seams.answerNext(true);
    if (byPicture)
        clickSurface(w(), QPoint(50, 50));
    else
        click("chkBoxPt2");
    QCOMPARE(m_fixture->seams.messages().size(), 1);
    QCOMPARE(m_fixture->seams.count(MessageKind::Warning), 1);
    QCOMPARE(m_fixture->seams.lastText(), kDistanceWarning);
    QCOMPARE(field()->text(), QStringLiteral(" 2.00E+0"));
    QCOMPARE(field()->palette().color(QPalette::Base), QColor(0, 255, 0));
    QVERIFY(text("lblSHori").endsWith(QStringLiteral(" m / pxl")));
    if (byPicture) {
        QCOMPARE(calibration().p1, QPointF(50, 50));
        QCOMPARE(double(calibration().sensitivity), 2 / std::hypot(48.0, 48.0));
    } else {
        QCOMPARE(calibration().sensitivity, s);
    }
}

void CalibrationPageTest::identicalPointsAreRefused() {
    click("rbEtalonSimu");
    clickSurface(w(), QPoint(20, 30));
    click("chkBoxPt2");
    clickSurface(w(), QPoint(60, 30));
    m_fixture->seams.answerNext(true);
    clickSurface(w(), QPoint(20, 30));
    QCOMPARE(m_fixture->seams.count(MessageKind::Error), 1);
    QCOMPARE(m_fixture->seams.lastText(), kIdenticalPointsMessage);
    QCOMPARE(calibration().p1, QPointF(20, 30));
    QCOMPARE(calibration().p2, QPointF(60, 30));
    QCOMPARE(text("lblP2X"), QStringLiteral("pX= 60"));
    QCOMPARE(widgetNamed(w(), "indicX2")->pos(), QPoint(63, 1));
}

void CalibrationPageTest::originAndDirections_data() {
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

void CalibrationPageTest::originAndDirections() {
    QFETCH(QString, button);
    QFETCH(QString, pX);
    QFETCH(QString, pY);
    QFETCH(int, cursor);
    QVERIFY(!widgetNamed(w(), "tBarOriAxes")->isEnabled());
    click("rbChxOrig");
    QVERIFY(widgetNamed(w(), "tBarOriAxes")->isEnabled());
    clickSurface(w(), QPoint(50, 40));
    QCOMPARE(QPointF(calibration().Xo, calibration().Yo), QPointF(50, 40));
    QTest::mouseClick(widgetNamed(w(), button), Qt::LeftButton);
    QVERIFY(showsCursor(w(), cursor));
    QWidget* surface = widgetNamed(w(), "PaintBox1");
    moveOver(surface, QPoint(60, 45));
    QCOMPARE(text("lblXPixels"), pX);
    QCOMPARE(text("lblYPixels"), pY);
    // p1 = (1, 1) in the origin's frame.
    QCOMPARE(text("lblP1X"), QStringLiteral("pX= %1").arg(calibration().signX * (1 - 50)));
    // On an axis the coordinate is a zero, whatever the direction.
    moveOver(surface, QPoint(50, 30));
    QCOMPARE(text("lblXMetres"), QStringLiteral("x=  0.00E+0"));
}

void CalibrationPageTest::readoutsAfterOpening() {
    QWidget* surface = widgetNamed(w(), "PaintBox1");
    moveOver(surface, QPoint(0, 119)); // the origin: bottom-left pixel
    QCOMPARE(text("lblXPixels"), QStringLiteral("pX= 0"));
    QCOMPARE(text("lblYPixels"), QStringLiteral("pY= 0"));
    moveOver(surface, QPoint(3, 118));
    QCOMPARE(text("lblXPixels"), QStringLiteral("pX= 3"));
    QCOMPARE(text("lblYPixels"), QStringLiteral("pY= 1"));
    QCOMPARE(text("lblXMetres"), QStringLiteral("x=  3.00E+0"));
}

void CalibrationPageTest::coordinateHint() {
    QWidget* bar = widgetNamed(w(), "tbCoord");
    moveOver(bar, QPoint(5, 5));
    const QString expected = QStringLiteral(
        "Coordonnées \r- sensibilité horizontale : 1.00E+0 m / pxl ;\r- sensibilité verticale "
        ":     1.00E+0 m / pxl|Coordonnées ( sensibilité horizontale:  1.00E+0 m / pxl ; "
        "sensibilité verticale:  1.00E+0 m / pxl )");
    QCOMPARE(HintTracker::hint(bar), expected);
}

void CalibrationPageTest::segmentColour() {
    click("rbEtalonSimu");
    m_fixture->seams.answerNextColour(QColor(255, 0, 255));
    auto* button = child<QToolButton>(w(), "bbtnCouleurEch");
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(calibration().scaleSegmentColour, QColor(255, 0, 255));
    QCOMPARE(text("lblEchEtap4"), QStringLiteral("4 - Modifiez la couleur du segment p1p2"));
    const auto swatch = [button] {
        return button->icon().pixmap(16, 16).toImage().pixelColor(8, 8);
    };
    QCOMPARE(swatch(), QColor(255, 0, 255));
    // Another clip resets the segment to green, and the button with it.
    const OpenedClip again = openGeneratedClip(*m_fixture, smallClipSpec(6), kClip);
    QVERIFY2(again.ok(), qPrintable(again.error));
    QCOMPARE(swatch(), QColor(0, 128, 0));
}

void CalibrationPageTest::undefinedScaleIsSaid_data() {
    QTest::addColumn<bool>("byDistance"); // else by a scale point
    QTest::newRow("distance typed") << true;
    QTest::newRow("scale point clicked") << false;
}

void CalibrationPageTest::undefinedScaleIsSaid() {
    QFETCH(bool, byDistance);
    // Shown is what the tool bar shows: the label's action.
    QWidget* label = widgetNamed(w(), "lblEchelle");
    const auto shown = [this, label] {
        return label->isVisibleTo(&w()) &&
               labelText(w(), "lblEchelle") == QStringLiteral("(échelle non définie)");
    };
    const auto tableHint = [this] { return HintTracker::hint(widgetNamed(w(), "StringGrid1")); };
    QTRY_VERIFY(shown()); // the tool bar lays itself out when events run
    QVERIFY(tableHint().contains(QStringLiteral("étalonnez d'abord")));
    click("rbEtalonSimu");
    if (byDistance)
        typeDistance(QStringLiteral("0.5"));
    else
        clickSurface(w(), QPoint(30, 30));
    QTRY_VERIFY(!shown());
    QVERIFY(widgetNamed(w(), "lblXMetres")->isVisibleTo(&w()));
    QVERIFY(!tableHint().contains(QStringLiteral("étalonnez d'abord")));
    // A new clip has no scale again.
    const OpenedClip again = openGeneratedClip(*m_fixture, smallClipSpec(6), kClip);
    QVERIFY2(again.ok(), qPrintable(again.error));
    QTRY_VERIFY(shown());
}

QTEST_MAIN(CalibrationPageTest)
#include "calibration_page.moc"
