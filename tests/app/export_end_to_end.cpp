// A measurement leaves the program by every road: a generated throw is
// calibrated and pointed through the window, then saved as ".rw3", ".rrr"
// and ".txt" through the menus and dialogs, copied to the clipboard as text
// and picture, and printed to a PDF file at a known scale. What can be read
// back is checked against the table. With TRAXILO_TEST_OUTPUT naming a
// folder, the files are left there, with the scale and the table shown.
#include "app/dialogs/graphic_clipboard_dialog.h"
#include "app/dialogs/print_dialog.h"
#include "app/dialogs/save_format_dialog.h"
#include "app/dialogs/table_clipboard_dialog.h"
#include "app/dialogs/text_format_dialog.h"
#include "app/main_window.h"
#include "app/radio_group.h"
#include "app/string_grid.h"
#include "common/code_page.h"
#include "common/number_format.h"
#include "document/measurement_document.h"
#include "support/measure_window.h"
#include "support/modal_driver.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <cmath>

using namespace traxilo;
using namespace traxilo::test;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The complete rows as the window's table shows them.
QList<QStringList> shownRows(const TForm1& w) {
    QList<QStringList> rows;
    const StringGrid* table = child<StringGrid>(w, "StringGrid1");
    for (int r = w.document().timeOrigin() + 1; r < table->grid()->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < table->grid()->colCount(); ++c)
            cells << table->text(c, r);
        if (!cells.contains(QString()))
            rows << cells;
    }
    return rows;
}

// The cells of a table row as Regressi reads them: trimmed, "." as decimal point.
QString regressiLine(const QStringList& cells) {
    QStringList values;
    for (const QString& cell : cells)
        values << QString(cell.trimmed()).replace(decimalSeparator(), u'.');
    return values.join(u' ');
}

} // namespace

class ExportEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void init() { setDecimalSeparator(u','); }
    void cleanup() { setDecimalSeparator(u'.'); }
    void everyRoadOut();
};

void ExportEndToEnd::everyRoadOut() {
    MainWindowFixture fixture;
    QVERIFY(fixture.isValid());
    clipgen::ClipSpec clipSpec;
    clipSpec.frames = 12;
    clipSpec.motion = clipgen::Motion::Throw; // x and y of both signs
    clipSpec.v0x = 1.5;
    clipSpec.v0y = 3.0;
    const OpenedClip clip = openGeneratedClip(fixture, clipSpec, QStringLiteral("export.avi"));
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    TForm1& w = *fixture.window;
    const clipgen::ClipTruth& truth = *clip.truth;
    SeamAnswerer& seams = fixture.seams;

    // Calibration with the ruler of the scene, origin where the ball starts.
    scaleOnRuler(w, rounded(truth.rulerA), rounded(truth.rulerB),
                 QString::number(truth.rulerLengthM, 'f', 3).replace(u'.', u','));
    const double s = double(w.document().calibration().sensitivity);
    QVERIFY(std::fabs(s - 1 / truth.pixelsPerMetre) < 0.02 * s);
    clickBox(child<QRadioButton>(w, "rbChxOrig"));
    clickSurface(w, rounded(truth.frames[0].ball));
    // Pointing from the third frame on: the first two rows stay empty.
    trigger(w, "popUpMnuModeAcquerir");
    showFrame(w, 2);
    for (int i = 2; i < clipSpec.frames; ++i)
        clickSurface(w, rounded(truth.frames[size_t(i)].ball));
    const QList<QStringList> rows = shownRows(w);
    QCOMPARE(rows.size(), clipSpec.frames - 2);
    QVERIFY(rows.front().at(1).contains(u','));

    QTemporaryDir scratch;
    const QString rw3 = scratch.filePath(QStringLiteral("mesures élève.rw3"));
    const QString rrr = scratch.filePath(QStringLiteral("points.rrr"));
    const QString txt = scratch.filePath(QStringLiteral("points.txt"));
    const QString pdf = scratch.filePath(QStringLiteral("print.pdf"));

    // ".rw3" from the menu. Proposed: the clip's name, beside the clip.
    seams.answerNextFile(rw3);
    trigger(w, "mnuSaveRW3");
    const QString clipFolder = QFileInfo(clip.path).absolutePath();
    QCOMPARE(seams.fileRequests().last().fileName, QStringLiteral("export.rw3"));
    QCOMPARE(seams.fileRequests().last().startFolder, clipFolder);
    // The next time, in the folder that export went to.
    seams.answerNextFile(std::nullopt);
    trigger(w, "mnuSaveRW3");
    QCOMPARE(seams.fileRequests().last().startFolder, scratch.path());
    const QStringList rw3Lines = fromWindows1252(readAll(rw3)).split(QStringLiteral("\r\n"));
    const qsizetype values = rw3Lines.indexOf(QStringLiteral("&10 VALEUR VAR"));
    QVERIFY2(values > 0, "the count of data lines");
    for (int i = 0; i < rows.size(); ++i)
        QCOMPARE(rw3Lines.at(values + 1 + i), regressiLine(rows.at(i)));
    QCOMPARE(rw3Lines.mid(values + 1 + rows.size()),
             QStringList({"&2 OPTIONS", "1", "1", QString()}));

    // ".rrr" and ".txt" through the chooser of the tool bar.
    auto* chooser = child<TsauverMesuresBox>(w, "sauverMesuresBox");
    auto* saveButton = child<QToolButton>(w, "bbtnEnregistrerMesures");
    seams.answerNextFile(rrr);
    runModal(
        chooser, [&] { saveButton->click(); },
        [&] {
            chooser->rgFormat->button(1)->click();
            chooser->OKBtn->click();
        });
    // Each export has its own folder: ".rrr" has not been saved yet.
    QCOMPARE(seams.fileRequests().last().fileName, QStringLiteral("export.rrr"));
    QCOMPARE(seams.fileRequests().last().startFolder, clipFolder);
    const QStringList rrrLines = fromWindows1252(readAll(rrr)).split(QStringLiteral("\r\n"));
    QCOMPARE(rrrLines.at(2), QStringLiteral(" t x y"));
    QCOMPARE(rrrLines.mid(rrrLines.size() - 1 - rows.size(), rows.size()).front(),
             regressiLine(rows.front()));
    QCOMPARE(rrrLines.at(rrrLines.size() - 2), regressiLine(rows.back()));

    seams.answerNextFile(txt);
    whenModalShown<TFormatTxtBox>([](TFormatTxtBox* box) {
        box->edFormatTxtTitre->setText(QStringLiteral("Chute libre — 1ère S"));
        box->rgSeparTxt->button(1)->click();
        box->OKBtn->click();
    });
    runModal(
        chooser, [&] { saveButton->click(); },
        [&] {
            chooser->rgFormat->button(2)->click();
            chooser->OKBtn->click();
        });
    const QStringList txtLines = QString::fromUtf8(readAll(txt)).split(QStringLiteral("\r\n"));
    QCOMPARE(txtLines.mid(0, 3),
             QStringList({QStringLiteral("Chute libre — 1ère S"), QStringLiteral("t;x;y"),
                          QStringLiteral("(s);(m);(m)")}));
    QCOMPARE(txtLines.size(), 3 + rows.size() + 1);
    for (int i = 0; i < rows.size(); ++i) {
        QStringList cells = txtLines.at(3 + i).split(u';');
        QCOMPARE(cells.size(), 3);
        for (int c = 0; c < 3; ++c)
            QCOMPARE(cells.at(c), rows.at(i).at(c).trimmed());
    }

    // The table to the clipboard.
    auto* tableBox = child<TSauveTableauPPBox>(w, "SauveTableauPPBox");
    runModal(
        tableBox, [&] { child<QToolButton>(w, "bbtnCopierMesuresPP")->click(); },
        [&] { tableBox->OKBtn->click(); });
    const QString clipboardText = QApplication::clipboard()->text();
    const QStringList copied = clipboardText.split(QStringLiteral("\r\n"));
    QCOMPARE(copied.mid(0, 3), QStringList({QStringLiteral("Pointages Traxilo"),
                                            QStringLiteral("t\tx\ty"), QStringLiteral("s\tm\tm")}));
    QCOMPARE(copied.size(), 3 + rows.size());
    QCOMPARE(copied.last().split(u'\t').at(0), rows.last().at(0));

    // The picture as shown, marks included; then without the clip's picture.
    auto* pictureBox = child<TSauveGraphicPPBox>(w, "SauveGraphicPPBox");
    const QWidget* surface = widgetNamed(w, QStringLiteral("PaintBox1"));
    runModal(
        pictureBox, [&] { child<QToolButton>(w, "bbtnCopierGraphiquePP")->click(); },
        [&] {
            pictureBox->rgIncExc->button(0)->click();
            pictureBox->OKBtn->click();
        });
    const QImage shown = QApplication::clipboard()->image();
    QCOMPARE(shown.size(), surface->size());
    QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
             surfaceImage(w).convertToFormat(QImage::Format_RGB32));
    runModal(
        pictureBox, [&] { trigger(w, "mnuGraphiquePP"); },
        [&] {
            pictureBox->rgIncExc->button(1)->click();
            pictureBox->OKBtn->click();
        });
    const QImage marksOnly = QApplication::clipboard()->image();
    const QPoint ball = rounded(truth.frames[5].ball);
    QCOMPARE(QColor(marksOnly.pixel(ball)), QColor(Qt::white));                // a white mark
    QCOMPARE(QColor(marksOnly.pixel(ball + QPoint(4, 4))), QColor(Qt::white)); // white background
    QCOMPARE(QColor(marksOnly.pixel(3, 3)), QColor(Qt::white));

    // One page to a PDF file, with the grid, at a scale that fits A4.
    const double realWidth = surface->width() * s;
    const double realHeight = surface->height() * s;
    double scale = 0.01;
    for (double candidate : {0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1.0}) {
        scale = candidate;
        if (realWidth / scale <= 18 && realHeight / scale <= 25)
            break;
    }
    auto* printBox = child<TdlgImprimer>(w, "dlgImprimer");
    printBox->printer().setPageSize(QPageSize(QPageSize::A4));
    printBox->printer().setOutputFormat(QPrinter::PdfFormat);
    printBox->printer().setOutputFileName(QString()); // nowhere yet: Qt's dialog asks
    seams.answerNextPrint(pdf);
    runModal(
        printBox, [&] { child<QToolButton>(w, "bbtnImprimer")->click(); },
        [&] {
            printBox->edEch->setText(QString::number(scale).replace(u'.', u','));
            QVERIFY(printBox->chkImpGrille->isChecked());
            printBox->btnImprimer->click();
        });
    QCOMPARE(seams.printRequests(), 1);
    QCOMPARE(double(printBox->PrintScale), scale);
    const QByteArray printed = readAll(pdf);
    QVERIFY(printed.startsWith("%PDF"));
    QCOMPARE(printed.count("/Type /Page\n") + printed.count("/Type /Page\r"), qsizetype(1));
    QCOMPARE(seams.count(MessageKind::Error), 0);

    const QString output = qEnvironmentVariable("TRAXILO_TEST_OUTPUT");
    if (!output.isEmpty()) {
        QVERIFY(QDir().mkpath(output));
        const QDir out(output);
        for (const auto& [from, to] : {std::pair{rw3, "points.rw3"}, std::pair{rrr, "points.rrr"},
                                       std::pair{txt, "points.txt"}, std::pair{pdf, "print.pdf"}}) {
            QFile::remove(out.filePath(QString::fromLatin1(to)));
            QVERIFY(QFile::copy(from, out.filePath(QString::fromLatin1(to))));
        }
        QVERIFY(writeAll(out.filePath(QStringLiteral("clipboard.txt")), clipboardText.toUtf8()));
        QVERIFY(shown.save(out.filePath(QStringLiteral("clipboard.png"))));
        QVERIFY(writeAll(out.filePath(QStringLiteral("print-scale.txt")),
                         QByteArray::number(scale) + " m per printed cm\n"));
        QStringList truthLines{QStringLiteral("t(s)\tx(m)\ty(m)")};
        for (const QStringList& row : rows)
            truthLines << row.join(u'\t');
        QVERIFY(writeAll(out.filePath(QStringLiteral("truth.txt")),
                         (truthLines.join(u'\n') + u'\n').toUtf8()));
    }
}

QTEST_MAIN(ExportEndToEnd)
#include "export_end_to_end.moc"
