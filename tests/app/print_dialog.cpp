// The print dialog on its own, built with the models it reads: the proposed
// scale, the scale field and the track bar, the previews, the buttons, and
// printing to a PDF file when no printer is installed.
#include "app/dialogs/print_dialog.h"
#include "app/radio_group.h"
#include "app/shape_widget.h"
#include "common/number_format.h"
#include "document/measurement_document.h"
#include "support/seam_answerer.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

using namespace traxilo;
using traxilo::test::SeamAnswerer;

namespace {

// A 320 x 240 picture at 1 mm per pixel, just opened, for an A4 portrait sheet.
struct PrintSetup {
    PrintSetup() {
        DocumentClip clip;
        clip.frameCount = 10;
        clip.pictureSize = QSize(320, 240);
        clip.period = 0.04L;
        document.openClip(clip);
        setSensitivity(0.001L);
        dialog.setPicture(QSize(320, 240), 1);
        dialog.printer().setPageSize(QPageSize(QPageSize::A4));
        dialog.printer().setPageOrientation(QPageLayout::Portrait);
    }
    ~PrintSetup() { dialog.hide(); }
    void show() {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    }
    void type(const QString& text) {
        dialog.edEch->setFocus();
        dialog.edEch->selectAll();
        QTest::keyClicks(dialog.edEch, text);
    }
    void setSensitivity(long double metresPerPixel) {
        Calibration calibration = document.calibration();
        calibration.sensitivity = metresPerPixel;
        calibration.scaleDefined = true;
        document.setCalibration(calibration, document.distanceText());
    }
    bool fieldRed() const {
        return dialog.edEch->palette().color(QPalette::Base) == QColor(255, 0, 0);
    }

    SeamAnswerer seams;
    MeasurementDocument document;
    TdlgImprimer dialog{document};
};

} // namespace

class PrintDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init() { setDecimalSeparator(u'.'); }
    void cleanup() { setDecimalSeparator(u'.'); }
    void proposesAScaleThatFits();
    void scaleField_data();
    void scaleField();
    void keysOfTheScaleField();
    void trackBarThenAnnulerOrPlusTard();
    void previews_data();
    void previews();
    void optionsFollowTheDocument();
    void printsToAPdfFile();
    void pdfThatCannotBeWritten();
};

void PrintDialogTest::proposesAScaleThatFits() {
    PrintSetup s;
    s.show();
    // 0.32 m wide on a sheet about 20 cm wide: 0.02 m per cm, 16 x 12 cm.
    QCOMPARE(s.dialog.edEch->text(), QStringLiteral(" 2.00E-2"));
    QCOMPARE(double(s.dialog.ProposedScale), 0.02);
    QCOMPARE(s.dialog.lblImageXm->text(), QStringLiteral(" 3.20E-1"));
    QCOMPARE(s.dialog.lblImageYm->text(), QStringLiteral(" 2.40E-1"));
    QCOMPARE(s.dialog.lblImageimprimeeX->text(), QStringLiteral(" 1.60E+1"));
    QCOMPARE(s.dialog.lblImageImprimeeY->text(), QStringLiteral(" 1.20E+1"));
    QCOMPARE(s.dialog.TrackBar1->value(), 100);
    QVERIFY(s.dialog.lblFormatFeuille->text().endsWith(QStringLiteral("cm")));
    QVERIFY(s.dialog.btnImprimer->isEnabled());
    QCOMPARE(s.dialog.printerResolution, QSize(300, 300));

    // Without a new calibration the scale of the last showing stays.
    s.dialog.hide();
    s.type(QStringLiteral("0.5"));
    s.show();
    QCOMPARE(s.dialog.edEch->text(), QStringLiteral("0.5"));
}

void PrintDialogTest::scaleField_data() {
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("position"); // proposed scale 1
    QTest::newRow("2,5 with a comma locale") << QChar(u',') << "2,5" << true << 60;
    QTest::newRow("2.5 typed, comma locale") << QChar(u',') << "2.5" << true << 60;
    QTest::newRow("ten times") << QChar(u'.') << "10" << true << 0;
    QTest::newRow("a tenth and less") << QChar(u'.') << "1E-2" << true << 200;
    QTest::newRow("zero") << QChar(u'.') << "0" << false << -1;
    QTest::newRow("unfinished exponent") << QChar(u'.') << "1E" << false << -1;
    QTest::newRow("negative") << QChar(u'.') << "-2" << false << -1;
    QTest::newRow("two separators") << QChar(u'.') << "1,5.2" << false << -1;
}

void PrintDialogTest::scaleField() {
    QFETCH(QChar, separator);
    QFETCH(QString, typed);
    QFETCH(bool, valid);
    QFETCH(int, position);
    setDecimalSeparator(separator);
    PrintSetup s;
    s.setSensitivity(0.05L); // 16 m wide: 1 m per cm proposed
    s.show();
    QCOMPARE(double(s.dialog.ProposedScale), 1.0);
    s.dialog.edEch->clear(); // nothing typed yet: nothing to print at
    QVERIFY(!s.dialog.btnImprimer->isEnabled());
    s.type(typed);
    QCOMPARE(s.fieldRed(), !valid);
    QCOMPARE(s.dialog.btnImprimer->isEnabled(), valid);
    if (valid) {
        QCOMPARE(s.dialog.TrackBar1->value(), position);
        QCOMPARE(s.dialog.edEch->palette().color(QPalette::Base), QColor(0, 255, 0));
    }
}

void PrintDialogTest::keysOfTheScaleField() {
    setDecimalSeparator(u',');
    PrintSetup s;
    s.show();
    s.type(QStringLiteral("2.5e-1x"));
    QCOMPARE(s.dialog.edEch->text(), QStringLiteral("2,5E-1")); // the letter x is dropped
    // Pasted with the other separator, it becomes the locale's.
    QGuiApplication::clipboard()->setText(QStringLiteral("0.25"));
    s.dialog.edEch->selectAll();
    s.dialog.edEch->paste();
    QCOMPARE(s.dialog.edEch->text(), QStringLiteral("0,25"));
    QCOMPARE(double(s.dialog.PrintScale), 0.25);
    // Enter neither prints nor closes.
    QTest::keyClick(s.dialog.edEch, Qt::Key_Return);
    QVERIFY(s.dialog.isVisible());
    QCOMPARE(s.seams.printRequests(), 0);
}

void PrintDialogTest::trackBarThenAnnulerOrPlusTard() {
    PrintSetup s;
    s.show();
    const QString shown = s.dialog.edEch->text();
    s.dialog.TrackBar1->setFocus();
    s.dialog.TrackBar1->setValue(120); // one step: the scale divided by 10^0.2
    QCOMPARE(s.dialog.edEch->text(), FormatSci(2, 0.02L / std::pow(10.0L, 0.2L)));
    QCOMPARE(s.dialog.TrackBar1->value(), 120);
    QTest::mouseClick(s.dialog.btnAnnuler, Qt::LeftButton);
    QVERIFY(!s.dialog.isVisible());
    QCOMPARE(s.dialog.edEch->text(), shown);
    QCOMPARE(s.dialog.TrackBar1->value(), 100);

    s.show();
    s.dialog.TrackBar1->setFocus();
    s.dialog.TrackBar1->setValue(60);
    const QString later = s.dialog.edEch->text();
    QTest::mouseClick(s.dialog.btnPlusTard, Qt::LeftButton);
    QVERIFY(!s.dialog.isVisible());
    s.show();
    QCOMPARE(s.dialog.edEch->text(), later);
    QCOMPARE(s.dialog.TrackBar1->value(), 60);
}

void PrintDialogTest::previews_data() {
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QString>("scale");
    QTest::addColumn<bool>("tooLarge");
    QTest::newRow("portrait, fits") << false << "0.1" << false;
    QTest::newRow("landscape, fits") << true << "0.1" << false;
    QTest::newRow("a little too wide") << false << "0.0155" << true;
    QTest::newRow("far too wide") << false << "1E-6" << true;
}

void PrintDialogTest::previews() {
    QFETCH(bool, landscape);
    QFETCH(QString, scale);
    QFETCH(bool, tooLarge);
    PrintSetup s;
    s.dialog.printer().setPageOrientation(landscape ? QPageLayout::Landscape
                                                    : QPageLayout::Portrait);
    s.show();
    s.type(scale);
    const QSize sheet = s.dialog.shpFeuille->size();
    QCOMPARE(landscape ? sheet.width() : sheet.height(), 90);
    QVERIFY((landscape ? sheet.height() : sheet.width()) < 90);
    const QSize drawing = s.dialog.shpDessin->size();
    QCOMPARE(s.dialog.shpDessin->inverting(), tooLarge);
    QCOMPARE(s.dialog.shpDessin->fillColour(),
             tooLarge ? QColor(0, 255, 255) : QColor(255, 255, 0));
    if (tooLarge) {
        // Ten pixels beyond the sheet whatever the excess.
        QCOMPARE(drawing.width(), sheet.width() + 10);
    } else {
        QVERIFY(drawing.width() <= sheet.width() && drawing.height() <= sheet.height());
    }
    QCOMPARE(s.dialog.shpDessin->pos(), s.dialog.shpFeuille->pos());
}

void PrintDialogTest::optionsFollowTheDocument() {
    PrintSetup s;
    s.show();
    QVERIFY(!s.dialog.rbImpPoints0->isEnabled());
    QVERIFY(!s.dialog.rbImpPoints1->isEnabled());
    s.dialog.hide();
    s.document.setTimeOrigin(4);
    s.show();
    QVERIFY(s.dialog.rbImpPoints0->isEnabled());
    QVERIFY(s.dialog.rbImpPoints1->isChecked());
    QVERIFY(s.dialog.settings().fromTimeOrigin);

    QTest::mouseClick(s.dialog.chkImpGrille, Qt::LeftButton, {}, QPoint(6, 6));
    QVERIFY(!s.dialog.settings().grid);
    QVERIFY(!s.dialog.rbGrilleColor->isEnabled());
    QVERIFY(!s.dialog.rbGrilleGris->isEnabled());
    QCOMPARE(s.dialog.settings().colours, PrintColours::Black);
}

void PrintDialogTest::printsToAPdfFile() {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("page à imprimer.pdf"));
    PrintSetup s;
    s.dialog.printer().setOutputFormat(QPrinter::PdfFormat);
    s.dialog.printer().setOutputFileName(QString()); // no printer installed
    s.show();
    // No printer to print on: Qt's dialog is asked where to; cancelled, nothing is printed.
    s.seams.answerNextPrint(std::nullopt);
    QTest::mouseClick(s.dialog.btnImprimer, Qt::LeftButton);
    QCOMPARE(s.seams.printRequests(), 1);
    QVERIFY(s.dialog.isVisible());
    QVERIFY(!QFile::exists(pdf));

    s.seams.answerNextPrint(pdf);
    QTest::mouseClick(s.dialog.btnImprimer, Qt::LeftButton);
    QCOMPARE(s.seams.printRequests(), 2);
    QVERIFY(!s.dialog.isVisible());
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("%PDF"));
    QCOMPARE(s.seams.count(MessageKind::Error), 0);
}

void PrintDialogTest::pdfThatCannotBeWritten() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("taken.pdf")));
    PrintSetup s;
    s.dialog.printer().setOutputFormat(QPrinter::PdfFormat);
    s.dialog.printer().setOutputFileName(dir.filePath(QStringLiteral("taken.pdf")));
    s.show();
    s.seams.answerNext(true); // the error box
    QTest::mouseClick(s.dialog.btnImprimer, Qt::LeftButton);
    QCOMPARE(s.seams.count(MessageKind::Error), 1);
    QVERIFY(s.seams.lastText().contains(QStringLiteral("taken.pdf")));
    QVERIFY(s.dialog.isVisible()); // another printer or file may be chosen
}

QTEST_MAIN(PrintDialogTest)
#include "print_dialog.moc"
