#include "app/main_window.h"

#include "app/dialogs/dialogs.h"
#include "app/dialogs/graphic_clipboard_dialog.h"
#include "app/dialogs/print_dialog.h"
#include "app/dialogs/regressi_path_dialog.h"
#include "app/dialogs/save_format_dialog.h"
#include "app/dialogs/table_clipboard_dialog.h"
#include "app/dialogs/text_format_dialog.h"
#include "app/file_dialog_seam.h"
#include "app/message_seam.h"
#include "app/paint_box.h"
#include "app/settings_place.h"
#include "common/number_format.h"
#include "document/measurement_document.h"
#include "export/export_table.h"
#include "export/file_output.h"
#include "export/regressi_launch.h"
#include "export/regressi_writer.h"
#include "export/text_export.h"
#include "pointing/drawing.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPainter>
#include <QToolButton>

namespace traxilo {

namespace {

ExportColumns exportColumns(bool withDerivatives) {
    return withDerivatives ? ExportColumns::WithDerivatives : ExportColumns::Positions;
}

} // namespace

void TForm1::connectExportSignals() {
    connect(mnuSaveRW3, &QAction::triggered, this, &TForm1::SaveRW3Execute);
    connect(mnuSaveRRR, &QAction::triggered, this, &TForm1::SaveRRRExecute);
    connect(mnuSaveTXT, &QAction::triggered, this, &TForm1::SaveTXTExecute);
    connect(bbtnEnregistrerMesures, &QToolButton::clicked, this,
            &TForm1::bbtnEnregistrerMesuresClick);
    connect(mnuTableauPP, &QAction::triggered, this, &TForm1::mnuTableauPPClick);
    connect(bbtnCopierMesuresPP, &QToolButton::clicked, this, &TForm1::mnuTableauPPClick);
    connect(mnuGraphiquePP, &QAction::triggered, this, &TForm1::mnuGraphiquePPClick);
    connect(bbtnCopierGraphiquePP, &QToolButton::clicked, this, &TForm1::mnuGraphiquePPClick);
    connect(mnuImprimer, &QAction::triggered, this, &TForm1::bbtnImprimerClick);
    connect(bbtnImprimer, &QToolButton::clicked, this, &TForm1::bbtnImprimerClick);
    connect(mnuRegExec, &QAction::triggered, this, &TForm1::RegExecExecute);
    connect(bbtnRegExec, &QToolButton::clicked, this, &TForm1::RegExecExecute);
    connect(mnuRegPath, &QAction::triggered, this, &TForm1::RegPathExecute);
}

std::optional<QString> TForm1::chooseExportFile(const QString& title, const QString& filter,
                                                const QString& extension) {
    // The clip's name, in the folder this export went to last (for the run).
    ExportProposal proposal = proposeExportFile(clipOpen() ? OpenDialog1FileName : QString(),
                                                m_exportFolders.value(extension), extension);
    const std::optional<QString> chosen = FileDialogSeam::getSaveFileName(
        this, title,
        // Not where the user cannot write (the demo clip of an installed program).
        folderIsWritable(proposal.folder) ? proposal.folder : userVideosFolder(), {filter},
        proposal.fileName, extension);
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    m_exportFolders[extension] = QFileInfo(*chosen).absolutePath();
    return chosen;
}

bool TForm1::SaveFormatReg(const QString& sourcePath, const QString& extension) {
    const RegressiFormat format =
        extension == QLatin1String("rw3") ? RegressiFormat::Windows : RegressiFormat::Dos;
    QString target;
    if (!sourcePath.isEmpty()) {
        target = QFileInfo(sourcePath).absoluteDir().filePath(regressiTempFileName(format));
    } else {
        const bool windows = format == RegressiFormat::Windows;
        const std::optional<QString> chosen = chooseExportFile(
            windows
                ? QStringLiteral("Enregistrement des mesures au format Regressi Windows (*.rw3)")
                : QStringLiteral("Enregistrement des mesures au format Regressi DOS (*.rrr)"),
            windows ? QStringLiteral("fichiers Regressi Windows (*.rw3)")
                    : QStringLiteral("fichiers Regressi Dos (*.rrr)"),
            regressiExtension(format));
        if (!chosen)
            return false;
        target = *chosen;
    }
    const QByteArray bytes =
        writeRegressi(format, readExportTable(*m_document), decimalSeparator());
    if (const std::optional<QString> error = saveBytes(target, bytes)) {
        MessageSeam::showError(*error, this);
        return false;
    }
    return true;
}

void TForm1::SaveRW3Execute() {
    SaveFormatReg(QString(), QStringLiteral("rw3"));
}

void TForm1::SaveRRRExecute() {
    SaveFormatReg(QString(), QStringLiteral("rrr"));
}

void TForm1::SaveTXTExecute() {
    TFormatTxtBox& box = *dialogs->formatTxtBox;
    if (box.exec() != QDialog::Accepted)
        return;
    const std::optional<QString> chosen =
        chooseExportFile(QStringLiteral("Enregistrement des mesures au format texte (*.txt)"),
                         QStringLiteral("fichiers texte (*.txt)"), QStringLiteral("txt"));
    if (!chosen) {
        box.restoreRemembered();
        return;
    }
    const QByteArray bytes =
        writeTextFile(readExportTable(*m_document, exportColumns(box.withDerivatives())),
                      box.title(), box.separator());
    if (const std::optional<QString> error = saveBytes(*chosen, bytes))
        MessageSeam::showError(*error, this);
}

void TForm1::bbtnEnregistrerMesuresClick() {
    TsauverMesuresBox& box = *dialogs->sauverMesuresBox;
    if (box.exec() != QDialog::Accepted)
        return;
    // The chooser is gone before the next dialog shows.
    switch (box.format()) {
    case 0:
        SaveRW3Execute();
        break;
    case 1:
        SaveRRRExecute();
        break;
    case 2:
        SaveTXTExecute();
        break;
    default:
        break;
    }
}

void TForm1::mnuTableauPPClick() {
    TSauveTableauPPBox& box = *dialogs->sauveTableauPPBox;
    if (box.exec() != QDialog::Accepted)
        return;
    QApplication::clipboard()->setText(
        clipboardText(readExportTable(*m_document, exportColumns(box.withDerivatives())),
                      box.title(), box.separator()));
}

QImage TForm1::graphicPicture(bool includeImage, const QColor& background) const {
    const QSize size = PaintBox1->size();
    if (includeImage) {
        // The surface image is the picture as shown, marks included.
        const QImage& surface = PaintBox1->image();
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::black);
        QPainter painter(&picture);
        painter.drawImage(0, 0, surface);
        return picture;
    }
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(background);
    DrawOptions options;
    options.displayWidth = displaySize.displayWidth;
    options.displayHeight = displaySize.displayHeight;
    options.displayFactor = displaySize.displayFactor;
    options.markSize = markSize();
    options.withScaleSegment = false; // it belongs to the clip surface only
    // Edged as on the screen: white marks on the white background, or marks
    // of the background's own colour, must not vanish.
    options.outlined = true;
    compositeOverlay(picture, renderOverlay(size, m_document->marks(), m_document->styles(),
                                            calibration(), options));
    return picture;
}

void TForm1::mnuGraphiquePPClick() {
    TSauveGraphicPPBox& box = *dialogs->sauveGraphicPPBox;
    if (box.exec() != QDialog::Accepted)
        return;
    QApplication::clipboard()->setImage(
        graphicPicture(box.includeImage(), box.GraphBackgroundColour));
}

void TForm1::bbtnImprimerClick() {
    TdlgImprimer& box = *dialogs->dlgImprimer;
    box.setPicture(m_document->pictureSize(), markSize());
    box.exec();
}

void TForm1::setRegExecEnabled(bool enabled) {
    mnuRegExec->setEnabled(enabled);
    bbtnRegExec->setEnabled(enabled);
}

void TForm1::RegExecExecute() {
    if (!MessageSeam::confirm(kRegressiLaunchQuestion, this))
        return;
    // The file, not the memory: it may have been set by another run.
    const ConfigFile::RegressiEntry entry = config.readRegressiDirect();
    const std::optional<RegressiFormat> format = regressiFormatFromVersion(entry.version);
    if (!format) {
        MessageSeam::showError(kRegressiVersionUnknown, this);
        return;
    }
    // Checked before writing: without an executable there is no folder to
    // write the file in.
    const std::optional<ProcessStart> start =
        regressiStart(entry.path, regressiTempFileName(*format), findWine());
    if (!start) {
        MessageSeam::showError(kRegressiPathNotFound, this);
        setRegExecEnabled(false);
        return;
    }
    // Never started on a file that was not written.
    if (!SaveFormatReg(entry.path, regressiExtension(*format)))
        return;
    if (!ProcessStarter::start(*start)) {
        MessageSeam::showError(kRegressiPathNotFound, this);
        setRegExecEnabled(false);
    }
}

void TForm1::RegPathExecute() {
    TaccesregBox& box = *dialogs->accesregBox;
    box.exec();
    switch (box.outcome()) {
    case TaccesregBox::Outcome::Cancelled:
        break;
    case TaccesregBox::Outcome::SaveFailed:
        setRegExecEnabled(false);
        break;
    case TaccesregBox::Outcome::Saved:
        setRegExecEnabled(clipOpen());
        break;
    }
}

} // namespace traxilo
