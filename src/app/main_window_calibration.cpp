#include "app/main_window.h"
#include "app/widget_style.h"

#include "app/color_dialog_seam.h"
#include "app/event_hook.h"
#include "app/hint_tracker.h"
#include "app/message_seam.h"
#include "app/number_field.h"
#include "app/paint_box.h"
#include "app/string_grid.h"
#include "common/number_format.h"
#include "document/document_commands.h"
#include "document/measurement_document.h"
#include "geometry/pixel_conversion.h"
#include "geometry/scale_editing.h"
#include "geometry/scale_steps.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace traxilo {

namespace {

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    widget->setPalette(palette);
}

void setFieldColours(QLineEdit* field, const FieldColours& colours) {
    QPalette palette = field->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, colours.background);
        palette.setColor(group, QPalette::Text, colours.text);
    }
    field->setPalette(palette);
}

// The picture of an orientation button: the two axes with their heads.
QIcon orientationIcon(int signX, int signY) {
    QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 2));
    const int ox = signX > 0 ? 4 : 15;
    const int oy = signY > 0 ? 15 : 4;
    const int tipX = signX > 0 ? 18 : 1;
    const int tipY = signY > 0 ? 1 : 18;
    p.drawLine(ox, oy, tipX, oy);
    p.drawLine(ox, oy, ox, tipY);
    p.drawLine(tipX, oy, tipX - 4 * signX, oy - 3);
    p.drawLine(tipX, oy, tipX - 4 * signX, oy + 3);
    p.drawLine(ox, tipY, ox - 3, tipY + 4 * signY);
    p.drawLine(ox, tipY, ox + 3, tipY + 4 * signY);
    p.end();
    return QIcon(QPixmap::fromImage(image));
}

// The colour button shows the segment's colour.
void showSegmentColour(QToolButton* button, const QColor& colour) {
    QPixmap swatch(16, 16);
    swatch.fill(colour);
    button->setIcon(QIcon(swatch));
}

QLabel* stepLabel(QWidget* parent, const char* name, const QColor& text) {
    auto* label = named(new QLabel(parent), name);
    label->setAutoFillBackground(true);
    label->setMargin(2);
    setTextColour(label, text);
    return label;
}

} // namespace

// The "Etalonnage" page: origin and axis directions, scale by two points
// and their distance, sensitivities, and the guided steps.
void TForm1::setupCalibrationPage() {
    auto* layout = new QVBoxLayout(tsEtalon);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    // Origin mode and the four axis directions.
    auto* originRow = new QHBoxLayout;
    rbChxOrig =
        named(new QRadioButton(QStringLiteral("Origine et sens des axes"), tsEtalon), "rbChxOrig");
    HintTracker::setHint(rbChxOrig, QStringLiteral("Origine et sens des axes|Définir l'origine "
                                                   "des axes : Xo, Yo et leur sens"));
    tBarOriAxes = named(new QToolBar(tsEtalon), "tBarOriAxes");
    tBarOriAxes->setIconSize(QSize(20, 20));
    HintTracker::setHint(tBarOriAxes,
                         QStringLiteral("Choix du sens des axes|Choix du sens des axes"));
    auto* directions = new QButtonGroup(this);
    directions->setExclusive(true);
    struct Orientation {
        QToolButton** button;
        const char* name;
    };
    const Orientation buttons[4] = {
        {&tbXpYp, "tbXpYp"}, {&tbXnYp, "tbXnYp"}, {&tbXpYn, "tbXpYn"}, {&tbXnYN, "tbXnYN"}};
    for (int index = 0; index < 4; ++index) {
        auto* button = named(new QToolButton(tBarOriAxes), buttons[index].name);
        const QPoint signs = *orientationSigns(index);
        button->setIcon(orientationIcon(signs.x(), signs.y()));
        button->setCheckable(true);
        button->setProperty("imageIndex", index);
        directions->addButton(button, index);
        tBarOriAxes->addWidget(button);
        *buttons[index].button = button;
        connect(button, &QToolButton::clicked, this, [this, index] { tbXpYpClick(index); });
    }
    tbXpYp->setChecked(true);
    tBarOriAxes->setEnabled(false);
    originRow->addWidget(rbChxOrig);
    originRow->addWidget(tBarOriAxes);
    originRow->addStretch(1);
    layout->addLayout(originRow);

    // Scale editing.
    rbEtalonSimu =
        named(new QRadioButton(QStringLiteral("Modifier l'échelle"), tsEtalon), "rbEtalonSimu");
    HintTracker::setHint(rbEtalonSimu, QStringLiteral("Modifier l'échelle|Modifier l'échelle"));
    // Exclusive by the program: a radio button of an exclusive group could
    // not be unchecked when its mode is left.
    for (QRadioButton* rb : {rbChxOrig, rbEtalonSimu}) {
        rb->setAutoExclusive(false);
        rb->setEnabled(false);
    }
    layout->addWidget(rbEtalonSimu);

    auto* scale = new QGridLayout;
    chkBoxPt1 = named(new QCheckBox(QStringLiteral("1er point"), tsEtalon), "chkBoxPt1");
    chkBoxPt2 = named(new QCheckBox(QStringLiteral("2ème point"), tsEtalon), "chkBoxPt2");
    setTextColour(chkBoxPt1, QColor(255, 0, 0));
    setTextColour(chkBoxPt2, QColor(0, 0, 255));
    HintTracker::setHint(chkBoxPt1, QStringLiteral("Premier point d'échelle|Choisir le premier "
                                                   "point de définition de l'échelle"));
    HintTracker::setHint(chkBoxPt2, QStringLiteral("Deuxième point d'échelle|Choisir le "
                                                   "deuxième point de définition de l'échelle"));
    chkBoxPt1->setEnabled(false);
    chkBoxPt2->setEnabled(false);
    scale->addWidget(chkBoxPt1, 0, 0);
    scale->addWidget(chkBoxPt2, 0, 1);
    scale->addWidget(new QLabel(QStringLiteral("Coordonnées en pixels"), tsEtalon), 1, 0, 1, 2);
    lblP1X = named(new QLabel(tsEtalon), "lblP1X");
    lblP1Y = named(new QLabel(tsEtalon), "lblP1Y");
    lblP2X = named(new QLabel(tsEtalon), "lblP2X");
    lblP2Y = named(new QLabel(tsEtalon), "lblP2Y");
    for (QLabel* l : {lblP1X, lblP1Y}) {
        setTextColour(l, QColor(255, 0, 0));
    }
    for (QLabel* l : {lblP2X, lblP2Y}) {
        setTextColour(l, QColor(0, 0, 255));
    }
    scale->addWidget(lblP1X, 2, 0);
    scale->addWidget(lblP2X, 2, 1);
    scale->addWidget(lblP1Y, 3, 0);
    scale->addWidget(lblP2Y, 3, 1);

    auto* distanceRow = new QHBoxLayout;
    distanceRow->addWidget(new QLabel(QStringLiteral("d ="), tsEtalon));
    edSi = named(new QLineEdit(tsEtalon), "edSi");
    edSi->setMaximumWidth(90);
    acceptBothDecimalSeparators(edSi);
    HintTracker::setHint(edSi, QStringLiteral("Distance réelle\rentre p1 et p2|Indiquer la "
                                              "distance réelle (en m) des points p1 et p2 de "
                                              "définition de l'échelle"));
    setFieldColours(edSi, kDistanceIdleColours);
    edSi->setEnabled(false);
    distanceRow->addWidget(edSi);
    distanceRow->addWidget(new QLabel(QStringLiteral("m"), tsEtalon));
    bbtnCouleurEch = named(new QToolButton(tsEtalon), "bbtnCouleurEch");
    bbtnCouleurEch->setFixedSize(24, 24);
    showSegmentColour(bbtnCouleurEch, QColor(0, 128, 0));
    HintTracker::setHint(bbtnCouleurEch, QStringLiteral("Couleur du segment d'échelle|Modifier "
                                                        "la couleur du segment d'échelle"));
    bbtnCouleurEch->setEnabled(false);
    distanceRow->addWidget(bbtnCouleurEch);
    distanceRow->addStretch(1);
    scale->addLayout(distanceRow, 4, 0, 1, 2);

    imgEtalonSimu = named(new QLabel(tsEtalon), "imgEtalonSimu");
    imgEtalonSimu->setFixedSize(120, 90);
    scale->addWidget(imgEtalonSimu, 0, 2, 5, 1);
    scale->setColumnStretch(3, 1);
    layout->addLayout(scale);

    auto* sensitivities = new QGridLayout;
    sensitivities->addWidget(new QLabel(QStringLiteral("Sensibilité horizontale :"), tsEtalon), 0,
                             0);
    sensitivities->addWidget(new QLabel(QStringLiteral("Sensibilité verticale :"), tsEtalon), 0, 1);
    lblSHori = named(new QLabel(tsEtalon), "lblSHori");
    lblSVert = named(new QLabel(tsEtalon), "lblSVert");
    sensitivities->addWidget(lblSHori, 1, 0);
    sensitivities->addWidget(lblSVert, 1, 1);
    layout->addLayout(sensitivities);

    lblEchEtapOrdre = named(new QLabel(tsEtalon), "lblEchEtapOrdre");
    layout->addWidget(lblEchEtapOrdre);
    pnlEchEtap = named(new QFrame(tsEtalon), "pnlEchEtap");
    pnlEchEtap->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* steps = new QVBoxLayout(pnlEchEtap);
    steps->setContentsMargins(3, 3, 3, 3);
    const char* stepNames[4] = {"lblEchEtap1", "lblEchEtap2", "lblEchEtap3", "lblEchEtap4"};
    const QColor stepColours[4] = {QColor(255, 0, 0), QColor(0, 0, 255), QColor(0, 128, 0),
                                   QColor(0, 0, 0)};
    for (int i = 0; i < 4; ++i) {
        lblEchEtap[i] = stepLabel(pnlEchEtap, stepNames[i], stepColours[i]);
        steps->addWidget(lblEchEtap[i]);
    }
    layout->addWidget(pnlEchEtap);
    layout->addStretch(1);

    connect(rbChxOrig, &QRadioButton::clicked, this, [this](bool checked) {
        if (!checked) { // a radio button is not unchecked by a click
            rbChxOrig->setChecked(true);
            return;
        }
        rbChxOrigClick();
    });
    connect(rbEtalonSimu, &QRadioButton::clicked, this, [this](bool checked) {
        if (!checked) {
            rbEtalonSimu->setChecked(true);
            return;
        }
        rbEtalonSimuClick();
    });
    // Checking a box by program runs its handling as a click would.
    connect(chkBoxPt1, &QCheckBox::toggled, this, &TForm1::chkBoxPt1Click);
    connect(chkBoxPt2, &QCheckBox::toggled, this, &TForm1::chkBoxPt2Click);
    connect(edSi, &QLineEdit::textChanged, this, &TForm1::edSiChange);
    // Entering and leaving the field are moves of the focus within the
    // window: another window taking it (a message box, the window closing)
    // is neither.
    auto withinWindow = [](QEvent* event) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
    };
    auto* enter = new EventHook(
        QEvent::FocusIn,
        [this, withinWindow](QEvent* event) {
            if (withinWindow(event))
                edSiEnter();
        },
        this);
    enter->watch(edSi);
    // Leaving it, or Enter, is when a text still not a distance is said.
    onFieldCommitted(edSi, [this] { edSiExit(); });
    connect(bbtnCouleurEch, &QToolButton::clicked, this, &TForm1::bbtnCouleurEchClick);

    // The coordinate bar's hint follows the sensitivities.
    auto* coordHint = new EventHook(
        QEvent::MouseMove, [this](QEvent*) { tbCoordMouseMove(); }, this);
    tbCoord->setMouseTracking(true);
    coordHint->watch(tbCoord);
    for (QWidget* child : tbCoord->findChildren<QWidget*>()) {
        child->setMouseTracking(true);
        coordHint->watch(child);
    }
}

void TForm1::echEtapAff(int step) {
    const StepsView view = traxilo::echEtapAff(step);
    lblEchEtapOrdre->setVisible(view.visible);
    pnlEchEtap->setVisible(view.visible);
    for (int i = 0; i < 4; ++i) {
        if (const std::optional<StepLabel>& label = view.labels[size_t(i)]) {
            // A label breaks its lines at a line feed, not at a carriage return.
            lblEchEtap[i]->setText(
                QString(label->text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
            QPalette palette = lblEchEtap[i]->palette();
            palette.setColor(QPalette::Window, label->background);
            lblEchEtap[i]->setPalette(palette);
        }
    }
}

const Calibration& TForm1::calibration() const {
    return m_document->calibration();
}

void TForm1::changeCalibration(const QString& what,
                               const std::function<void(Calibration&)>& change, int typedEdit) {
    Calibration c = calibration();
    change(c);
    if (c == calibration())
        return;
    pushChange(
        new ChangeCalibration(m_document, what, c, m_document->distanceText(), typedEdit));
}

void TForm1::writeDistanceField(const QString& text) {
    // The field shows the distance as the user typed it; writing it is not
    // a new distance.
    m_writingField = true;
    edSi->setText(text);
    m_writingField = false;
    m_fieldShown = true;
    if (edSi->isEnabled())
        setFieldColours(edSi, kDistanceValidColours);
}

void TForm1::initEchelle() {
    // The field, the read-outs and the labels of a calibration just reset.
    writeDistanceField(m_document->distanceText());
    lblXMetres->setText(zeroMetreReadout(QLatin1Char('x'), xyDigits()));
    lblYMetres->setText(zeroMetreReadout(QLatin1Char('y'), xyDigits()));
    showCalibrationChange();
}

void TForm1::showCalibrationChange() {
    const Calibration& c = calibration();
    // A change typed in the field leaves the field as typed; any other one
    // (a click, Annuler) shows the distance it holds.
    if (!m_typingDistance && edSi->text() != m_document->distanceText())
        writeDistanceField(m_document->distanceText());
    showSegmentColour(bbtnCouleurEch, c.scaleSegmentColour);
    for (int index = 0; index < 4; ++index) {
        const std::optional<QPoint> signs = orientationSigns(index);
        if (signs && signs->x() == c.signX && signs->y() == c.signY) {
            for (QToolButton* b : {tbXpYp, tbXnYp, tbXpYn, tbXnYN}) {
                if (b->property("imageIndex").toInt() == index)
                    b->setChecked(true);
            }
        }
    }
    if (rbChxOrig->isChecked())
        CursOrig();
    moveScaleIndicators();
    MaJlblP();
    if (!distanceFieldInvalid())
        affichSensibilites(c.sensitivity);
    showScaleState();
    showPointerReadouts();
    refreshTables();
    marksChanged();
    Drawpoints();
}

void TForm1::showScaleState() {
    const bool undefined = clipOpen() && !calibration().scaleDefined;
    // Metres at 1 m per pixel mean nothing: the bar says why instead. A
    // QToolBar shows its widgets through their actions.
    for (QAction* action : tbCoord->actions()) {
        QWidget* widget = tbCoord->widgetForAction(action);
        if (widget == lblEchelle) {
            action->setVisible(undefined);
        } else if (widget == lblXMetres || widget == lblYMetres || widget == lblUMetres) {
            action->setVisible(!undefined);
        }
    }
    HintTracker::setHint(
        StringGrid1,
        undefined ? QStringLiteral("Echelle non définie|Echelle non définie : étalonnez d'abord "
                                   "l'image (page Etalonnage) ; d'ici là, les longueurs sont "
                                   "comptées à 1 m par pixel.")
                  : QStringLiteral("Tableau des mesures|Tableau des mesures : t en s, x et y en "
                                   "m ; cliquer une ligne pour aller à son image"));
}

void TForm1::MaJlblP() {
    const ScalePointLabels labels = traxilo::MaJlblP(calibration());
    lblP1X->setText(labels.p1X);
    lblP1Y->setText(labels.p1Y);
    lblP2X->setText(labels.p2X);
    lblP2Y->setText(labels.p2Y);
}

void TForm1::affichSensibilites(long double S) {
    const QString text = traxilo::affichSensibilites(S, xyDigits());
    lblSHori->setText(text);
    lblSVert->setText(text);
}

void TForm1::CursOrig() {
    if (const std::optional<int> number =
            originCursor(pointStyle.pointerColour, calibration().signX, calibration().signY)) {
        setSurfaceCursor(*number);
    }
}

void TForm1::moveScaleIndicators() {
    // Centred on the point's column and row as shown, in the panel's margins.
    const QPoint p1 = toDisplayPixel(calibration().p1, displaySize.displayFactor);
    const QPoint p2 = toDisplayPixel(calibration().p2, displaySize.displayFactor);
    indicX1->move(p1.x() + 3, 1);
    indicY1->move(1, p1.y() + 3);
    indicX2->move(p2.x() + 3, 1);
    indicY2->move(1, p2.y() + 3);
}

void TForm1::ImgEtalon(int image) {
    QImage picture(imgEtalonSimu->size(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const int w = picture.width();
    const int h = picture.height();
    if (image == 1) {
        // A ruler between p1 and p2 with its distance.
        p.setPen(QPen(QColor(0, 128, 0), 2));
        p.drawLine(18, h - 25, w - 18, 25);
        p.setPen(QPen(QColor(255, 0, 0), 2));
        p.drawLine(12, h - 25, 24, h - 25);
        p.drawLine(18, h - 31, 18, h - 19);
        p.setPen(QPen(QColor(0, 0, 255), 2));
        p.drawLine(w - 24, 25, w - 12, 25);
        p.drawLine(w - 18, 19, w - 18, 31);
        p.setPen(Qt::black);
        p.drawText(QRect(0, h / 2 - 10, w / 2, 20), Qt::AlignCenter, QStringLiteral("d"));
    } else {
        // Axes through an origin.
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(15, h - 15, w - 10, h - 15);
        p.drawLine(15, h - 15, 15, 10);
        p.drawLine(w - 10, h - 15, w - 18, h - 20);
        p.drawLine(w - 10, h - 15, w - 18, h - 10);
        p.drawLine(15, 10, 10, 18);
        p.drawLine(15, 10, 20, 18);
        p.drawText(QRect(w - 25, h - 14, 20, 14), Qt::AlignCenter, QStringLiteral("x"));
        p.drawText(QRect(18, 4, 20, 14), Qt::AlignCenter, QStringLiteral("y"));
        p.drawText(QRect(0, h - 14, 15, 14), Qt::AlignCenter, QStringLiteral("O"));
    }
    p.end();
    imgEtalonSimu->setPixmap(QPixmap::fromImage(picture));
    imgEtalonSimu->setProperty("imageIndex", image);
}

void TForm1::rbChxOrigClick() {
    etalonSimuRAZ();
    tBarOriAxes->setEnabled(true);
    for (QToolButton* b : {tbXpYp, tbXnYp, tbXpYn, tbXnYN}) {
        b->setEnabled(true);
    }
    CursOrig();
    ImgEtalon(0);
}

void TForm1::ChxOrigRAZ() {
    rbChxOrig->setChecked(false);
    for (QToolButton* b : {tbXpYp, tbXnYp, tbXpYn, tbXnYN}) {
        b->setEnabled(false);
    }
    tBarOriAxes->setEnabled(false);
}

void TForm1::tbXpYpClick(int imageIndex) {
    const std::optional<QPoint> signs = orientationSigns(imageIndex);
    if (!signs) {
        return;
    }
    changeCalibration(QStringLiteral("le sens des axes"), [&](Calibration& c) {
        c.signX = signs->x();
        c.signY = signs->y();
    });
    CursOrig();
}

void TForm1::originClick(QPointF pos) {
    changeCalibration(QStringLiteral("l'origine des axes"), [&](Calibration& c) {
        c.Xo = pos.x();
        c.Yo = pos.y();
    });
}

void TForm1::rbEtalonSimuClick() {
    ChxOrigRAZ();
    chkBoxPt1->setEnabled(true);
    chkBoxPt2->setEnabled(true);
    chkBoxPt2->setChecked(true);
    chkBoxPt1->setChecked(true);
    ImgEtalon(1);
    edSi->setEnabled(true);
    setFieldColours(edSi, kDistanceValidColours);
    for (QFrame* shape : {indicX1, indicY1, indicX2, indicY2}) {
        shape->setVisible(true);
    }
    for (QLabel* l : {lblP1X, lblP1Y, lblP2X, lblP2Y}) {
        l->setEnabled(true);
    }
    m_scaleSegmentShown = true;
    bbtnCouleurEch->setEnabled(true);
    drawScaleSegmentNow();
}

void TForm1::etalonSimuRAZ() {
    echEtapAff(0);
    rbEtalonSimu->setChecked(false);
    chkBoxPt1->setEnabled(false);
    chkBoxPt2->setEnabled(false);
    ImgEtalon(0);
    edSi->setEnabled(false);
    m_scaleSegmentShown = false;
    bbtnCouleurEch->setEnabled(false);
    marksChanged();
}

void TForm1::chkBoxPt1Click() {
    if (!chkBoxPt1->isChecked()) {
        chkBoxPt2->setChecked(true); // one of the two is always checked
        return;
    }
    echEtapAff(10);
    if (const std::optional<int> n = scalePointCursor(pointStyle.pointerColour * 100, true)) {
        setSurfaceCursor(*n);
    }
    chkBoxPt2->setChecked(false);
    marksChanged(); // the segment is drawn from the point being placed
}

void TForm1::chkBoxPt2Click() {
    if (!chkBoxPt2->isChecked()) {
        chkBoxPt1->setChecked(true);
        return;
    }
    echEtapAff(20);
    if (const std::optional<int> n = scalePointCursor(pointStyle.pointerColour * 100, false)) {
        setSurfaceCursor(*n);
    }
    chkBoxPt1->setChecked(false);
    marksChanged();
}

void TForm1::scalePointClick(QPointF pos) {
    Calibration c = calibration();
    const ScalePointOutcome outcome =
        traxilo::scalePointClick(c, chkBoxPt1->isChecked(), pos, edSi->text(), xyDigits());
    if (outcome.identicalPoints) {
        MessageSeam::showError(kIdenticalPointsMessage, this);
    }
    if (!(c == calibration()))
        pushChange(new ChangeCalibration(m_document, QStringLiteral("le point d'étalonnage"), c,
                                         m_document->distanceText()));
    if (outcome.error) {
        MessageSeam::showError(*outcome.error, this);
        return;
    }
    lblSHori->setText(outcome.sensitivityText);
    lblSVert->setText(outcome.sensitivityText);
}

void TForm1::edSiEnter() {
    ++m_fieldEdit; // what is typed in this visit of the field is one change
    echEtapAff(30);
}

bool TForm1::distanceFieldInvalid() const {
    return edSi->palette().color(QPalette::Base) == kDistanceInvalidColours.background;
}

void TForm1::edSiChange() {
    if (m_writingField) {
        return;
    }
    Calibration c = calibration();
    QString distance = m_document->distanceText();
    const DistanceOutcome outcome = applyDistanceText(c, edSi->text(), distance, xyDigits());
    setFieldColours(edSi, outcome.colours);
    lblSHori->setText(outcome.sensitivityText);
    lblSVert->setText(outcome.sensitivityText);
    if (outcome.valid) {
        m_typingDistance = true;
        pushChange(new ChangeCalibration(m_document, QStringLiteral("la distance d'étalonnage"), c,
                                         distance, m_fieldEdit));
        m_typingDistance = false;
    }
    showScaleState();
    // A text on its way to a number ("0", "5E-") only turns the field red:
    // the box waits until the field is left.
}

void TForm1::edSiExit() {
    const bool invalid = distanceFieldInvalid();
    if (invalid) {
        MessageSeam::showWarning(kDistanceWarning, this);
    }
    const std::optional<QString> text =
        distanceExitText(edSi->text(), invalid, m_document->distanceText(), xyDigits());
    if (!text) {
        return;
    }
    if (*text != edSi->text()) {
        edSi->setText(*text); // runs the change handling
    }
}

void TForm1::bbtnCouleurEchClick() {
    echEtapAff(40);
    if (const std::optional<QColor> colour =
            ColorDialogSeam::getColor(calibration().scaleSegmentColour, this)) {
        changeCalibration(QStringLiteral("la couleur du segment"),
                          [&](Calibration& c) { c.scaleSegmentColour = *colour; });
    }
    echEtapAff(41);
}

} // namespace traxilo
