#include "app/dialogs/print_dialog.h"

#include "app/hint_tracker.h"
#include "app/message_seam.h"
#include "app/number_field.h"
#include "app/print_dialog_seam.h"
#include "app/radio_group.h"
#include "app/shape_widget.h"
#include "app/widget_style.h"
#include "common/number_format.h"
#include "document/measurement_document.h"
#include "geometry/calibration.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

namespace traxilo {

namespace {

constexpr long double kCm = 2.54L;

QLabel* readout(QWidget* parent, const char* name) {
    auto* label = named(new QLabel(parent), name);
    label->setMinimumWidth(70);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLabel* bold(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void setFieldColours(QLineEdit* field, const QColor& background, const QColor& text) {
    QPalette palette = field->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, background);
        palette.setColor(group, QPalette::Text, text);
    }
    field->setPalette(palette);
}

} // namespace

TdlgImprimer::TdlgImprimer(const MeasurementDocument& document, QWidget* parent)
    : QDialog(parent), m_document(document),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("dlgImprimer"));
    setWindowTitle(Caption);
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    m_printer->setResolution(kDotsPerInch);

    // " Echelle "
    auto* scaleBox = new QGroupBox(QStringLiteral(" Echelle "), this);
    auto* grid = new QGridLayout(scaleBox);
    grid->addWidget(new QLabel(QStringLiteral("dimensions réelles de l'image"), scaleBox), 0, 0, 1,
                    4);
    grid->addWidget(bold(QStringLiteral("X"), scaleBox), 1, 1);
    grid->addWidget(bold(QStringLiteral("Y"), scaleBox), 1, 2);
    lblImageXm = readout(scaleBox, "lblImageXm");
    lblImageYm = readout(scaleBox, "lblImageYm");
    grid->addWidget(lblImageXm, 2, 1);
    grid->addWidget(lblImageYm, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("mètre(s)"), scaleBox), 2, 3);
    auto* scaleLabel = new QLabel(QStringLiteral("1 cm (imprimante) ="), scaleBox);
    grid->addWidget(scaleLabel, 3, 0);
    edEch = named(new QLineEdit(QStringLiteral("1"), scaleBox), "edEch");
    scaleLabel->setBuddy(edEch);
    edEch->setMaximumWidth(110);
    acceptBothDecimalSeparators(edEch); // pasted text too
    grid->addWidget(edEch, 3, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("mètre(s)"), scaleBox), 3, 3);
    TrackBar1 = named(new QSlider(Qt::Horizontal, scaleBox), "TrackBar1");
    TrackBar1->setRange(0, 200);
    TrackBar1->setValue(100);
    TrackBar1->setSingleStep(20);
    TrackBar1->setPageStep(20);
    TrackBar1->setTickInterval(20);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    grid->addWidget(TrackBar1, 4, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("dimensions de l'image imprimée"), scaleBox), 5, 0);
    lblImageimprimeeX = readout(scaleBox, "lblImageimprimeeX");
    lblImageImprimeeY = readout(scaleBox, "lblImageImprimeeY");
    grid->addWidget(lblImageimprimeeX, 5, 1);
    grid->addWidget(lblImageImprimeeY, 5, 2);
    grid->addWidget(new QLabel(QStringLiteral("cm"), scaleBox), 5, 3);

    // The sheet and, from the same corner, the drawing.
    auto* previews = new QWidget(scaleBox);
    previews->setFixedSize(110, 124);
    lblFormatFeuille = named(new QLabel(previews), "lblFormatFeuille");
    lblFormatFeuille->setGeometry(0, 0, 110, 18);
    shpFeuille = named(new ShapeWidget(previews), "shpFeuille");
    shpFeuille->setFillColour(QColor(128, 128, 128));
    shpFeuille->move(5, 22);
    HintTracker::setHint(shpFeuille, QStringLiteral("Feuille|Zone grise: feuille"));
    shpDessin = named(new ShapeWidget(previews), "shpDessin");
    shpDessin->move(5, 22);
    HintTracker::setHint(shpDessin,
                         QStringLiteral("Dessin:\r- rouge = trop grand\r- jaune = correct|Zone du "
                                        "dessin (rouge = trop grand, augmenter la valeur cm/m ; "
                                        "jaune = correct)"));
    grid->addWidget(previews, 0, 4, 6, 1);

    rbCouleur = named(
        new RadioGroup(QStringLiteral(" Couleurs des points et des axes "),
                       {QStringLiteral("Mêmes couleurs qu'à l'écran"),
                        QStringLiteral("En niveaux de gris"), QStringLiteral("En noir et blanc")},
                       1, this),
        "rbCouleur");
    rbCouleur->setItemIndex(2);

    auto* gridBox = new QGroupBox(QStringLiteral(" Quadrillage 1cm x 1cm "), this);
    HintTracker::setHint(gridBox, QStringLiteral("|Ajout d'une grille quadrillée en cm2"));
    auto* gridColumn = new QVBoxLayout(gridBox);
    chkImpGrille = named(new QCheckBox(QStringLiteral("Imprimer"), gridBox), "chkImpGrille");
    chkImpGrille->setChecked(true);
    rbGrilleColor =
        named(new QRadioButton(QStringLiteral("De la couleur des axes"), gridBox), "rbGrilleColor");
    rbGrilleGris = named(new QRadioButton(QStringLiteral("En gris"), gridBox), "rbGrilleGris");
    rbGrilleGris->setChecked(true);
    gridColumn->addWidget(chkImpGrille);
    gridColumn->addWidget(rbGrilleColor);
    gridColumn->addWidget(rbGrilleGris);

    auto* pointsBox = new QGroupBox(QStringLiteral(" Imprimer ... "), this);
    auto* pointsColumn = new QVBoxLayout(pointsBox);
    rbImpPoints0 =
        named(new QRadioButton(QStringLiteral("Tous les points"), pointsBox), "rbImpPoints0");
    rbImpPoints1 = named(new QRadioButton(QStringLiteral("Les points à partir de t=0"), pointsBox),
                         "rbImpPoints1");
    rbImpPoints1->setChecked(true);
    rbImpPoints0->setEnabled(false);
    rbImpPoints1->setEnabled(false);
    pointsColumn->addWidget(rbImpPoints0);
    pointsColumn->addWidget(rbImpPoints1);

    btnConfigImprimante = named(new QPushButton(QStringLiteral("Configurer l'imprimante"), this),
                                "btnConfigImprimante");
    btnImprimer = named(new QPushButton(QStringLiteral("Imprimer"), this), "btnImprimer");
    HintTracker::setHint(btnImprimer, QStringLiteral("|Impression immédiate"));
    btnPlusTard = named(new QPushButton(QStringLiteral("Plus tard..."), this), "btnPlusTard");
    HintTracker::setHint(btnPlusTard, QStringLiteral("|Impression reportée"));
    btnAnnuler = named(new QPushButton(QStringLiteral("Annuler"), this), "btnAnnuler");
    HintTracker::setHint(btnAnnuler, QStringLiteral("|Abandon des modifications d'échelle"));
    // Enter in the scale field prints nothing: no button answers it.
    for (QPushButton* b : {btnConfigImprimante, btnImprimer, btnPlusTard, btnAnnuler})
        b->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scaleBox);
    auto* options = new QHBoxLayout;
    options->addWidget(rbCouleur);
    options->addWidget(gridBox);
    options->addWidget(pointsBox);
    layout->addLayout(options);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnConfigImprimante);
    buttons->addStretch(1);
    buttons->addWidget(btnImprimer);
    buttons->addWidget(btnPlusTard);
    buttons->addWidget(btnAnnuler);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    edEch->installEventFilter(this);
    connect(edEch, &QLineEdit::textChanged, this, &TdlgImprimer::edEchChange);
    // After the key filter, so that it sees Enter before the filter drops it.
    onFieldCommitted(edEch, [this] { edEchExit(); });
    connect(TrackBar1, &QSlider::valueChanged, this, &TdlgImprimer::TrackBar1Change);
    connect(chkImpGrille, &QCheckBox::clicked, this, &TdlgImprimer::chkImpGrilleClick);
    connect(btnConfigImprimante, &QPushButton::clicked, this,
            &TdlgImprimer::btnConfigImprimanteClick);
    connect(btnImprimer, &QPushButton::clicked, this, &TdlgImprimer::btnImprimerClick);
    connect(btnPlusTard, &QPushButton::clicked, this, &TdlgImprimer::btnPlusTardClick);
    connect(btnAnnuler, &QPushButton::clicked, this, &TdlgImprimer::reject);
}

TdlgImprimer::~TdlgImprimer() = default;

void TdlgImprimer::setPicture(QSize displaySize, int markSize) {
    m_picture = displaySize;
    m_markSize = markSize;
}

PrintSettings TdlgImprimer::settings() const {
    PrintSettings s;
    s.scale = PrintScale;
    s.colours = PrintColours(std::clamp(rbCouleur->itemIndex(), 0, 2));
    s.grid = chkImpGrille->isChecked();
    s.gridInAxesColour = rbGrilleColor->isChecked();
    s.fromTimeOrigin = rbImpPoints1->isChecked();
    return s;
}

void TdlgImprimer::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TdlgImprimer::readPrinter() {
    printerResolution = QSize(m_printer->resolution(), m_printer->resolution());
    // The printable area, in dots from its top-left corner.
    m_pageDots = QSize(m_printer->width(), m_printer->height());
}

void TdlgImprimer::FormShow() {
    ScaleFieldFocused = false;
    readPrinter();
    RealWidthM = m_picture.width() * m_document.calibration().sensitivity;
    RealHeightM = m_picture.height() * m_document.calibration().sensitivity;
    const long double scale = parseScale(edEch->text()).value_or(PrintScale);
    PrintedWidthCm = RealWidthM / scale;
    PrintedHeightCm = RealHeightM / scale;
    AjusteShpFeuille();
    AjusteShpDessin();
    if (m_scaleStale) {
        ProposedScale =
            proposedScale(fillingScale(QSizeF(double(RealWidthM), double(RealHeightM)),
                                       QSizeF(double(SheetWidthCm), double(SheetHeightCm))));
        writeScaleField(FormatSci(2, ProposedScale));
        m_scaleStale = false;
    }
    writeSizes();
    // The time origin decides whether "from t=0" means anything.
    const bool originMoved = m_document.timeOrigin() > 0;
    rbImpPoints0->setEnabled(originMoved);
    rbImpPoints1->setEnabled(originMoved);
    SavedScaleText = edEch->text();
}

void TdlgImprimer::AjusteShpFeuille() {
    const QSize dpi =
        printerResolution.isEmpty() ? QSize(kDotsPerInch, kDotsPerInch) : printerResolution;
    SheetWidthCm = m_pageDots.width() / (long double)dpi.width() * kCm;
    SheetHeightCm = m_pageDots.height() / (long double)dpi.height() * kCm;
    lblFormatFeuille->setText(sheetFormatText(QSizeF(double(SheetWidthCm), double(SheetHeightCm))));
    shpFeuille->resize(sheetPreviewSize(m_pageDots));
}

void TdlgImprimer::AjusteShpDessin() {
    const DrawingPreview preview =
        drawingPreview(shpFeuille->size(), QSizeF(double(SheetWidthCm), double(SheetHeightCm)),
                       QSizeF(double(PrintedWidthCm), double(PrintedHeightCm)));
    shpDessin->resize(preview.size);
    if (preview.tooLarge) {
        shpDessin->setFillColour(QColor(0, 255, 255));
        shpDessin->setOutlineColour(QColor(255, 0, 0));
    } else {
        shpDessin->setFillColour(QColor(255, 255, 0));
        shpDessin->setOutlineColour(QColor(0, 0, 0));
    }
    shpDessin->setInverting(preview.tooLarge);
    shpDessin->raise();
}

void TdlgImprimer::writeScaleField(const QString& text) {
    // The change handler runs even when the text stays the same.
    const QSignalBlocker quiet(edEch);
    edEch->setText(text);
    edEchChange();
}

void TdlgImprimer::writeSizes() {
    lblImageXm->setText(FormatSci(2, RealWidthM));
    lblImageYm->setText(FormatSci(2, RealHeightM));
    lblImageimprimeeX->setText(FormatSci(2, PrintedWidthCm));
    lblImageImprimeeY->setText(FormatSci(2, PrintedHeightCm));
}

void TdlgImprimer::edEchChange() {
    if (edEch->text().isEmpty()) {
        // Nothing to print at until a scale is typed; the field stays as it is.
        btnImprimer->setEnabled(false);
        return;
    }
    const std::optional<long double> scale = parseScale(edEch->text());
    if (!scale) {
        // Zero, a negative scale or a number left unfinished cannot be printed.
        btnImprimer->setEnabled(false);
        setFieldColours(edEch, QColor(255, 0, 0), QColor(255, 255, 255));
        return;
    }
    btnImprimer->setEnabled(true);
    setFieldColours(edEch, QColor(0, 255, 0), QColor(0, 0, 0));
    m_lastValidScale = edEch->text();
    PrintScale = *scale;
    m_settingTrackBar = true;
    TrackBar1->setValue(trackBarPosition(PrintScale, ProposedScale));
    m_settingTrackBar = false;
    PrintedWidthCm = RealWidthM / PrintScale;
    PrintedHeightCm = RealHeightM / PrintScale;
    lblImageimprimeeX->setText(FormatSci(2, PrintedWidthCm));
    lblImageImprimeeY->setText(FormatSci(2, PrintedHeightCm));
    AjusteShpDessin();
}

void TdlgImprimer::edEchExit() {
    if (parseScale(edEch->text()))
        return;
    MessageSeam::showWarning(kPrintScaleWarning, this);
    writeScaleField(m_lastValidScale);
}

void TdlgImprimer::TrackBar1Change() {
    if (ScaleFieldFocused || m_settingTrackBar)
        return;
    writeScaleField(FormatSci(2, scaleAtPosition(TrackBar1->value(), ProposedScale)));
}

bool TdlgImprimer::scaleKey(QKeyEvent* event) {
    // True when the key is dealt with here.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return true;
    const QString text = event->text();
    if (text.isEmpty() || text.at(0).category() == QChar::Other_Control)
        return false; // arrows, backspace, Delete...: the field's own
    QChar c = text.at(0);
    if (c == u'e')
        c = u'E';
    if (c == u',' || c == u'.')
        c = decimalSeparator();
    if (c.isDigit() || c == u'+' || c == u'-' || c == u'E' || c == decimalSeparator())
        edEch->insert(QString(c));
    return true;
}

bool TdlgImprimer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edEch) {
        switch (event->type()) {
        case QEvent::FocusIn:
            ScaleFieldFocused = true;
            break;
        case QEvent::FocusOut:
            ScaleFieldFocused = false;
            break;
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (!(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && scaleKey(key))
                return true;
            break;
        }
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TdlgImprimer::chkImpGrilleClick() {
    rbGrilleColor->setEnabled(chkImpGrille->isChecked());
    rbGrilleGris->setEnabled(chkImpGrille->isChecked());
}

void TdlgImprimer::btnConfigImprimanteClick() {
    if (!PrintDialogSeam::exec(*m_printer, this))
        return;
    // Another printer may bring its own resolution; the page keeps ours.
    m_printer->setResolution(kDotsPerInch);
    readPrinter();
    AjusteShpFeuille();
    AjusteShpDessin();
}

void TdlgImprimer::btnImprimerClick() {
    if (printPage())
        accept();
}

void TdlgImprimer::btnPlusTardClick() {
    QDialog::reject(); // the scale stays for the next showing
}

void TdlgImprimer::reject() {
    writeScaleField(SavedScaleText);
    QDialog::reject();
}

bool TdlgImprimer::printPage() {
    const bool toFile = m_printer->outputFormat() == QPrinter::PdfFormat;
    if (toFile && m_printer->outputFileName().isEmpty()) {
        // No printer to print on (none installed): Qt's dialog offers a PDF file.
        if (!PrintDialogSeam::exec(*m_printer, this))
            return false;
        m_printer->setResolution(kDotsPerInch);
        readPrinter();
        AjusteShpFeuille();
        AjusteShpDessin();
    }
    readPrinter();
    PageInput input;
    input.picture = m_picture;
    input.markSize = m_markSize;
    input.dpi = printerResolution;
    input.page = m_pageDots;
    input.settings = settings();
    input.timeOrigin = m_document.timeOrigin();
    const PageLayout page =
        layoutPage(m_document.marks(), m_document.styles(), m_document.calibration(), input);

    QPainter painter;
    bool printed = painter.begin(m_printer.get());
    if (printed) {
        renderPage(painter, page);
        printed = painter.end();
    }
    if (!printed) {
        const bool pdf = m_printer->outputFormat() == QPrinter::PdfFormat;
        MessageSeam::showError(
            pdf ? QStringLiteral("L'impression n'a pas pu se faire :\rle fichier\r%1\rne peut "
                                 "pas être écrit.")
                      .arg(QDir::toNativeSeparators(m_printer->outputFileName()))
                : QStringLiteral("L'impression n'a pas pu se faire :\rl'imprimante %1 ne "
                                 "l'accepte pas.")
                      .arg(m_printer->printerName()),
            this);
    }
    return printed;
}

} // namespace traxilo
