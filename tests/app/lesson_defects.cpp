// Faults met while running a whole lesson in the window, as a teacher would:
// each case drives the window through its named widgets, its actions and
// keys, and fails on the fault it is named after.
#include "app/main_window.h"
#include "app/string_grid.h"
#include "app/up_down.h"
#include "common/code_page.h"
#include "common/number_format.h"
#include "document/measurement_document.h"
#include "support/measure_window.h"
#include "support/modal_driver.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace traxilo;
using namespace traxilo::test;

namespace {

template <typename T> T* named(QObject& parent, const char* name) {
    return parent.findChild<T*>(QString::fromLatin1(name));
}

QAction* action(TForm1& w, const char* name) {
    return named<QAction>(w, name);
}

void leaveField(QLineEdit* field, const QString& how) {
    if (how == QLatin1String("Enter"))
        QTest::keyClick(field, Qt::Key_Return);
    else
        QTest::keyClick(field, Qt::Key_Tab);
}

// Selects the field's text and types `text` key by key.
void typeInto(QLineEdit* field, const QString& text) {
    QApplication::setActiveWindow(field->window());
    field->setFocus(Qt::MouseFocusReason);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

// The time the table shows for `frame` (0-based).
QString timeShown(const TForm1& w, int frame) {
    return child<StringGrid>(w, "StringGrid1")->text(0, frame + 1);
}

bool shownRed(const QLineEdit* field) {
    return field->palette().color(QPalette::Base) == QColor(255, 0, 0);
}

// Scale editing with p1 and p2 100 pixels apart, ready for a distance.
void startScaleEditing(TForm1& w) {
    action(w, "popUpMnuModeEtalonner")->trigger();
    clickBox(named<QAbstractButton>(w, "rbEtalonSimu"));
    clickSurface(w, QPoint(10, 10));
    clickBox(named<QAbstractButton>(w, "chkBoxPt2"));
    clickSurface(w, QPoint(10, 110));
}

void calibrate(TForm1& w, const QString& distance) {
    startScaleEditing(w);
    auto* field = named<QLineEdit>(w, "edSi");
    typeInto(field, distance);
    leaveField(field, QStringLiteral("Tab"));
    action(w, "popUpMnuModeAcquerir")->trigger();
}

} // namespace

class LessonDefects : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void openingStartsANewHistory();
    void copiedGraphShowsItsMarks_data();
    void copiedGraphShowsItsMarks();
    void typedNumbersWarnWhenLeft_data();
    void typedNumbersWarnWhenLeft();
    void captureRateIsUndoneFirst();
    void slowMotionTimesKeepTheirDecimals_data();
    void slowMotionTimesKeepTheirDecimals();
    void fewerPointsAsksFirst_data();
    void fewerPointsAsksFirst();
    void coordinateLineFollows();

private:
    TForm1& w() { return *m_fixture->window; }
    SeamAnswerer& seams() { return m_fixture->seams; }
    void open(const clipgen::ClipSpec& clipSpec, const QString& name);
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void LessonDefects::init() {
    setDecimalSeparator(QLatin1Char(',')); // a French teacher's machine
    m_fixture.reset(); // its seams go before the new window's come (a failed init skips cleanup)
    m_fixture = std::make_unique<MainWindowFixture>();
    QVERIFY(m_fixture->isValid());
}

void LessonDefects::cleanup() {
    m_fixture.reset();
    setDecimalSeparator(QLatin1Char('.'));
}

void LessonDefects::open(const clipgen::ClipSpec& clipSpec, const QString& name) {
    const OpenedClip clip = openGeneratedClip(*m_fixture, clipSpec, name);
    QVERIFY2(clip.ok(), qPrintable(clip.error));
}

// Item 1: "Annuler" never brings back the measurements of the clip before.
void LessonDefects::openingStartsANewHistory() {
    open(smallClipSpec(12), QStringLiteral("lesson_first.avi"));
    calibrate(w(), QStringLiteral("2"));
    for (int i = 0; i < 7; ++i)
        clickSurface(w(), QPoint(20 + 10 * i, 100 - 10 * i));
    std::vector<QPointF> firstClip;
    for (const PointMark& mark : w().document().marks())
        firstClip.push_back(mark.pixel);
    QCOMPARE(firstClip.size(), size_t(7));

    open(smallClipSpec(10), QStringLiteral("lesson_second.avi"));
    QAction* undo = action(w(), "mnuAnnuler");
    QVERIFY2(!undo->isEnabled(), "a new clip has nothing to undo");
    calibrate(w(), QStringLiteral("3"));
    clickSurface(w(), QPoint(33, 44));
    const MeasurementDocument& document = w().document();
    for (int i = 0; i < 20 && undo->isEnabled(); ++i) {
        QApplication::setActiveWindow(&w());
        QTest::keyClick(&w(), Qt::Key_Z, Qt::ControlModifier);
        for (const PointMark& mark : document.marks())
            QVERIFY(std::find(firstClip.begin(), firstClip.end(), mark.pixel) == firstClip.end());
    }
    QVERIFY(!undo->isEnabled());
    QVERIFY(!document.hasPositions());
    QCOMPARE(document.frameCount(), 10);
    QCOMPARE(child<StringGrid>(w(), "StringGrid1")->grid()->rowCount(), 1 + 10);
}

// Item 2: the copied graph without the clip's picture shows every mark and
// the axes on any background, here the mark's own colour.
void LessonDefects::copiedGraphShowsItsMarks_data() {
    QTest::addColumn<QString>("lightConfiguration"); // a quick configuration, or none
    QTest::addColumn<QColor>("background");
    QTest::newRow("white on white") << QString() << QColor(Qt::white);
    QTest::newRow("red on red") << QStringLiteral("mnuFdCl1point") << QColor(255, 0, 0);
}

void LessonDefects::copiedGraphShowsItsMarks() {
    QFETCH(QString, lightConfiguration);
    QFETCH(QColor, background);
    open(smallClipSpec(12), QStringLiteral("lesson_graph.avi"));
    if (!lightConfiguration.isEmpty())
        action(w(), qPrintable(lightConfiguration))->trigger();
    const QList<QPoint> points = {QPoint(40, 30), QPoint(80, 60), QPoint(120, 90)};
    for (const QPoint& p : points)
        clickSurface(w(), p);

    auto* box = named<QDialog>(w(), "SauveGraphicPPBox");
    QVERIFY(box);
    if (background != Qt::white)
        seams().answerNextColour(background);
    runModal(
        box, [&] { action(w(), "mnuGraphiquePP")->trigger(); },
        [&] {
            if (background != Qt::white)
                named<QAbstractButton>(*box, "btnCouleurFond")->click();
            named<QAbstractButton>(*box, "OKBtn")->click();
        });
    const QImage copied = QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    QVERIFY(!copied.isNull());
    auto showsSomething = [&](QRect area) {
        area &= copied.rect();
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (QColor(copied.pixel(x, y)) != background)
                    return true;
        return false;
    };
    for (const QPoint& p : points)
        QVERIFY2(showsSomething(QRect(p - QPoint(2, 2), QSize(5, 5))),
                 qPrintable(QStringLiteral("no mark at %1, %2").arg(p.x()).arg(p.y())));
    // The axes: the origin is at the bottom-left pixel after an opening.
    QVERIFY2(showsSomething(QRect(60, copied.height() - 3, 3, 3)), "no x axis");
    QVERIFY2(showsSomething(QRect(0, 50, 3, 3)), "no y axis");
}

// Item 3: a text that is not yet a number only turns the field red while it
// is typed; leaving the field (Tab) or Enter warns once and puts back the
// last valid value.
void LessonDefects::typedNumbersWarnWhenLeft_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("valid"); // typed key by key: never warned about
    // Typed after it, then the field left; a valid text on the way would
    // be the last valid value.
    QTest::addColumn<QString>("invalid");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("restored");
    QTest::newRow("distance 0,5") << "edSi"
                                  << "0,5"
                                  << "x"
                                  << "Tab"
                                  << " 5,00E-1";
    QTest::newRow("distance 5E-1") << "edSi"
                                   << "5E-1"
                                   << ""
                                   << "Enter"
                                   << " 5,00E-1";
    QTest::newRow("capture rate") << "edCadencePrise"
                                  << "120,0"
                                  << "x"
                                  << "Tab"
                                  << "120";
    QTest::newRow("print scale") << "edEch"
                                 << "5E-1"
                                 << "0"
                                 << "Tab"
                                 << "5E-1";
    QTest::newRow("print scale, Enter") << "edEch"
                                        << "0,25"
                                        << "-"
                                        << "Enter"
                                        << "0,25";
    QTest::newRow("display size") << "pnlPc"
                                  << "150"
                                  << "15x"
                                  << "Tab"
                                  << "150%";
}

void LessonDefects::typedNumbersWarnWhenLeft() {
    QFETCH(QString, field);
    QFETCH(QString, valid);
    QFETCH(QString, invalid);
    QFETCH(QString, how);
    QFETCH(QString, restored);
    open(smallClipSpec(12), QStringLiteral("lesson_fields.avi"));
    if (field == QLatin1String("edSi"))
        startScaleEditing(w());
    seams().clear();

    auto check = [&](QLineEdit* edit) {
        QVERIFY(edit);
        // Every key of a valid number, none of them warned about.
        typeInto(edit, valid);
        QCOMPARE(seams().count(MessageKind::Warning), 0);
        QVERIFY2(!shownRed(edit), qPrintable(edit->text()));
        leaveField(edit, QStringLiteral("Tab"));
        QCOMPARE(seams().count(MessageKind::Warning), 0);
        // Not a number (yet): red, still no box.
        typeInto(edit, invalid);
        QCOMPARE(seams().count(MessageKind::Warning), 0);
        QVERIFY(shownRed(edit));
        if (field == QLatin1String("edSi")) {
            QCOMPARE(labelText(w(), "lblSHori"), QStringLiteral("erreur ?\?!"));
        }
        // Left: one box, the last valid value back.
        seams().answerNext(true);
        leaveField(edit, how);
        QCOMPARE(seams().count(MessageKind::Warning), 1);
        QCOMPARE(edit->text(), restored);
        QVERIFY(!shownRed(edit));
    };

    if (field == QLatin1String("edEch") || field == QLatin1String("pnlPc")) {
        auto* box =
            named<QDialog>(w(), field == QLatin1String("edEch") ? "dlgImprimer" : "tailleImaBox");
        QVERIFY(box);
        runModal(
            box,
            [&] {
                action(w(), field == QLatin1String("edEch") ? "mnuImprimer" : "mnuImaAutre")
                    ->trigger();
            },
            [&] { check(named<QLineEdit>(*box, qPrintable(field))); });
    } else {
        check(named<QLineEdit>(w(), qPrintable(field)));
    }
}

// Item 4: typing a capture rate is one change of the measurements, undone
// before the point recorded earlier; Ctrl+Z in the field undoes its text.
void LessonDefects::captureRateIsUndoneFirst() {
    open(smallClipSpec(12), QStringLiteral("lesson_rate.avi"));
    for (int i = 0; i < 3; ++i)
        clickSurface(w(), QPoint(30 + 20 * i, 40));
    const QString fileRate = named<QLineEdit>(w(), "edCadencePrise")->text();
    const QString time2 = timeShown(w(), 1);
    auto* rate = named<QLineEdit>(w(), "edCadencePrise");
    typeInto(rate, QStringLiteral("120,0"));
    QVERIFY(timeShown(w(), 1) != time2);
    const MeasurementDocument& document = w().document();

    // Still in the field: its own text is undone, the document untouched.
    QTest::keyClick(rate, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(rate->text() != QStringLiteral("120,0"));
    QCOMPARE(document.positionCount(), 3);

    // Typed again and left: Ctrl+Z takes the rate back, the points stay.
    typeInto(rate, QStringLiteral("120,0"));
    leaveField(rate, QStringLiteral("Tab"));
    QApplication::setActiveWindow(&w());
    named<QWidget>(w(), "PaintBox1")->setFocus();
    QTest::keyClick(&w(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(rate->text(), fileRate);
    QCOMPARE(timeShown(w(), 1), time2);
    QCOMPARE(document.positionCount(), 3);
    QTest::keyClick(&w(), Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(timeShown(w(), 1) != time2);
    QCOMPARE(document.positionCount(), 3);
}

// Item 5: a period under 10 ms keeps as many decimals as make rounding move
// a time by at most 1 % of it, in the table and in the files.
void LessonDefects::slowMotionTimesKeepTheirDecimals_data() {
    QTest::addColumn<int>("fps");
    QTest::addColumn<QString>("typedRate");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("fourth");
    QTest::newRow("25 per second") << 25 << QString() << "0,040"
                                   << "0,120";
    QTest::newRow("240 per second") << 240 << QString() << "0,00417"
                                    << "0,01250";
    QTest::newRow("typed 240") << 30 << QStringLiteral("240") << "0,00417"
                               << "0,01250";
    QTest::newRow("typed 50") << 240 << QStringLiteral("50") << "0,020"
                              << "0,060";
}

void LessonDefects::slowMotionTimesKeepTheirDecimals() {
    QFETCH(int, fps);
    QFETCH(QString, typedRate);
    QFETCH(QString, second);
    QFETCH(QString, fourth);
    clipgen::ClipSpec clipSpec = smallClipSpec(12);
    clipSpec.fpsNum = fps;
    open(clipSpec, QStringLiteral("lesson_%1fps.avi").arg(fps));
    if (!typedRate.isEmpty()) {
        auto* rate = named<QLineEdit>(w(), "edCadencePrise");
        typeInto(rate, typedRate);
        leaveField(rate, QStringLiteral("Tab"));
    }
    for (int i = 0; i < 4; ++i)
        clickSurface(w(), QPoint(30 + 20 * i, 40));
    QCOMPARE(timeShown(w(), 1), second);
    QCOMPARE(timeShown(w(), 3), fourth);
    // The file saved from the menu has the same times.
    QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("lent.rw3"));
    seams().answerNextFile(path);
    action(w(), "mnuSaveRW3")->trigger();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString rw3 = fromWindows1252(file.readAll());
    QVERIFY2(rw3.contains(QString(fourth).replace(u',', u'.') + u' '), qPrintable(rw3));
}

// Item 7: fewer points per frame ask first when a point that goes has
// positions; "Non" changes nothing.
void LessonDefects::fewerPointsAsksFirst_data() {
    QTest::addColumn<bool>("secondRecorded");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<int>("pointsAfter");
    QTest::newRow("kept") << true << false << 2;
    QTest::newRow("dropped") << true << true << 1;
    QTest::newRow("nothing to lose") << false << false << 1;
}

void LessonDefects::fewerPointsAsksFirst() {
    QFETCH(bool, secondRecorded);
    QFETCH(bool, answer);
    QFETCH(int, pointsAfter);
    open(smallClipSpec(12), QStringLiteral("lesson_points.avi"));
    auto* points = named<UpDown>(w(), "udPointsPlan");
    QTest::mouseClick(points->upButton(), Qt::LeftButton);
    const MeasurementDocument& document = w().document();
    QCOMPARE(document.pointsPerFrame(), 2);
    if (secondRecorded) {
        clickSurface(w(), QPoint(50, 60)); // the new point is the current one
        QCOMPARE(document.position(0, 2)->pixel, QPointF(50, 60));
    }
    const QStringList before = tableCells(w());
    seams().clear();
    if (secondRecorded)
        seams().answerNext(answer);
    QTest::mouseClick(points->downButton(), Qt::LeftButton);
    QCOMPARE(seams().count(MessageKind::Confirmation), secondRecorded ? 1 : 0);
    QCOMPARE(document.pointsPerFrame(), pointsAfter);
    QCOMPARE(points->position(), pointsAfter);
    QCOMPARE(labelText(w(), "lblPointsPlan"), QString::number(pointsAfter));
    if (pointsAfter == 2)
        QCOMPARE(tableCells(w()), before);
}

// Item 17: the coordinate line reads the pointer's position in the frame
// as it is now, after an origin change and after "Annuler".
void LessonDefects::coordinateLineFollows() {
    open(smallClipSpec(12), QStringLiteral("lesson_coords.avi"));
    const QPoint pointer(70, 50);
    QWidget* surface = named<QWidget>(w(), "PaintBox1");
    // Sent, not simulated: offscreen moves are not always delivered.
    QMouseEvent move(QEvent::MouseMove, QPointF(pointer), surface->mapToGlobal(QPointF(pointer)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(surface, &move);
    const QString x = labelText(w(), "lblXPixels");
    const QString y = labelText(w(), "lblYPixels");
    QCOMPARE(x, QStringLiteral("pX= 70"));

    action(w(), "popUpMnuModeEtalonner")->trigger();
    clickBox(named<QAbstractButton>(w(), "rbChxOrig"));
    clickSurface(w(), QPoint(20, 30));
    QCOMPARE(labelText(w(), "lblXPixels"), QStringLiteral("pX= 50"));
    QCOMPARE(labelText(w(), "lblYPixels"), QStringLiteral("pY= -20"));

    QApplication::setActiveWindow(&w());
    QTest::keyClick(&w(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(labelText(w(), "lblXPixels"), x);
    QCOMPARE(labelText(w(), "lblYPixels"), y);
}

QTEST_MAIN(LessonDefects)
#include "lesson_defects.moc"
