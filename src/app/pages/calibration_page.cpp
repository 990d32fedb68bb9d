#include "app/pages/calibration_page.h"

#include "app/color_dialog_seam.h"
#include "app/event_hook.h"
#include "app/hint_tracker.h"
#include "app/message_seam.h"
#include "app/number_field.h"
#include "app/widget_style.h"
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

CalibrationPage::CalibrationPage(const MeasurementDocument& document, QWidget* parent)
    : QWidget(parent), m_document(document) {
    setObjectName(QStringLiteral("tsEtalon"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    // Origin mode and the four axis directions.
    auto* originRow = new QHBoxLayout;
    rbChxOrig =
        named(new QRadioButton(QStringLiteral("Origine et sens des axes"), this), "rbChxOrig");
    HintTracker::setHint(rbChxOrig, QStringLiteral("Origine et sens des axes|Définir l'origine "
                                                   "des axes : Xo, Yo et leur sens"));
    tBarOriAxes = named(new QToolBar(this), "tBarOriAxes");
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
        named(new QRadioButton(QStringLiteral("Modifier l'échelle"), this), "rbEtalonSimu");
    HintTracker::setHint(rbEtalonSimu, QStringLiteral("Modifier l'échelle|Modifier l'échelle"));
    // Exclusive by the program: a radio button of an exclusive group could
    // not be unchecked when its mode is left.
    for (QRadioButton* rb : {rbChxOrig, rbEtalonSimu}) {
        rb->setAutoExclusive(false);
        rb->setEnabled(false);
    }
    layout->addWidget(rbEtalonSimu);

    auto* scale = new QGridLayout;
    chkBoxPt1 = named(new QCheckBox(QStringLiteral("1er point"), this), "chkBoxPt1");
    chkBoxPt2 = named(new QCheckBox(QStringLiteral("2ème point"), this), "chkBoxPt2");
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
    scale->addWidget(new QLabel(QStringLiteral("Coordonnées en pixels"), this), 1, 0, 1, 2);
    lblP1X = named(new QLabel(this), "lblP1X");
    lblP1Y = named(new QLabel(this), "lblP1Y");
    lblP2X = named(new QLabel(this), "lblP2X");
    lblP2Y = named(new QLabel(this), "lblP2Y");
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
    distanceRow->addWidget(new QLabel(QStringLiteral("d ="), this));
    edSi = named(new QLineEdit(this), "edSi");
    edSi->setMaximumWidth(90);
    acceptBothDecimalSeparators(edSi);
    HintTracker::setHint(edSi, QStringLiteral("Distance réelle\rentre p1 et p2|Indiquer la "
                                              "distance réelle (en m) des points p1 et p2 de "
                                              "définition de l'échelle"));
    setFieldColours(edSi, kDistanceIdleColours);
    edSi->setEnabled(false);
    distanceRow->addWidget(edSi);
    distanceRow->addWidget(new QLabel(QStringLiteral("m"), this));
    bbtnCouleurEch = named(new QToolButton(this), "bbtnCouleurEch");
    bbtnCouleurEch->setFixedSize(24, 24);
    showSegmentColour(bbtnCouleurEch, QColor(0, 128, 0));
    HintTracker::setHint(bbtnCouleurEch, QStringLiteral("Couleur du segment d'échelle|Modifier "
                                                        "la couleur du segment d'échelle"));
    bbtnCouleurEch->setEnabled(false);
    distanceRow->addWidget(bbtnCouleurEch);
    distanceRow->addStretch(1);
    scale->addLayout(distanceRow, 4, 0, 1, 2);

    imgEtalonSimu = named(new QLabel(this), "imgEtalonSimu");
    imgEtalonSimu->setFixedSize(120, 90);
    scale->addWidget(imgEtalonSimu, 0, 2, 5, 1);
    scale->setColumnStretch(3, 1);
    layout->addLayout(scale);

    auto* sensitivities = new QGridLayout;
    sensitivities->addWidget(new QLabel(QStringLiteral("Sensibilité horizontale :"), this), 0, 0);
    sensitivities->addWidget(new QLabel(QStringLiteral("Sensibilité verticale :"), this), 0, 1);
    lblSHori = named(new QLabel(this), "lblSHori");
    lblSVert = named(new QLabel(this), "lblSVert");
    sensitivities->addWidget(lblSHori, 1, 0);
    sensitivities->addWidget(lblSVert, 1, 1);
    layout->addLayout(sensitivities);

    lblEchEtapOrdre = named(new QLabel(this), "lblEchEtapOrdre");
    layout->addWidget(lblEchEtapOrdre);
    pnlEchEtap = named(new QFrame(this), "pnlEchEtap");
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
    connect(chkBoxPt1, &QCheckBox::toggled, this, &CalibrationPage::chkBoxPt1Click);
    connect(chkBoxPt2, &QCheckBox::toggled, this, &CalibrationPage::chkBoxPt2Click);
    connect(edSi, &QLineEdit::textChanged, this, &CalibrationPage::edSiChange);
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
    connect(bbtnCouleurEch, &QToolButton::clicked, this, &CalibrationPage::bbtnCouleurEchClick);

    lblEchEtapOrdre->setText(kStepsOrderText);
    showSteps(0);
    connect(&m_document, &MeasurementDocument::calibrationChanged, this,
            &CalibrationPage::showCalibration);
}

bool CalibrationPage::originMode() const {
    return rbChxOrig->isChecked();
}

bool CalibrationPage::scaleMode() const {
    return rbEtalonSimu->isChecked();
}

bool CalibrationPage::firstScalePoint() const {
    return chkBoxPt1->isChecked();
}

QString CalibrationPage::distanceText() const {
    return edSi->text();
}

void CalibrationPage::enableModes() {
    rbChxOrig->setEnabled(true);
    rbEtalonSimu->setEnabled(true);
}

void CalibrationPage::leaveModes() {
    leaveOriginMode();
    leaveScaleMode();
}

void CalibrationPage::showSteps(int step) {
    const StepsView view = echEtapAff(step);
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

void CalibrationPage::chooseCalibration(const QString& what, const Calibration& c) {
    if (!(c == m_document.calibration()))
        emit calibrationChosen(what, c, m_document.distanceText(), kNotTyped);
}

void CalibrationPage::writeDistanceField(const QString& text) {
    // The field shows the distance as the user typed it; writing it is not
    // a new distance.
    m_writingField = true;
    edSi->setText(text);
    m_writingField = false;
    if (edSi->isEnabled())
        setFieldColours(edSi, kDistanceValidColours);
}

void CalibrationPage::showDistanceAnew() {
    writeDistanceField(m_document.distanceText());
    showCalibration();
}

void CalibrationPage::showCalibration() {
    const Calibration& c = m_document.calibration();
    // A change typed in the field leaves the field as typed; any other one
    // (a click, Annuler) shows the distance it holds.
    if (!m_typingDistance && edSi->text() != m_document.distanceText())
        writeDistanceField(m_document.distanceText());
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
    const ScalePointLabels labels = MaJlblP(c);
    lblP1X->setText(labels.p1X);
    lblP1Y->setText(labels.p1Y);
    lblP2X->setText(labels.p2X);
    lblP2Y->setText(labels.p2Y);
    if (!distanceFieldInvalid())
        affichSensibilites(c.sensitivity);
}

void CalibrationPage::showSensitivity(const QString& text) {
    lblSHori->setText(text);
    lblSVert->setText(text);
}

void CalibrationPage::affichSensibilites(long double S) {
    showSensitivity(traxilo::affichSensibilites(S, m_document.xyDigits()));
}

QString CalibrationPage::coordinateHint() const {
    return traxilo::coordinateHint(lblSHori->text(), lblSVert->text());
}

void CalibrationPage::reformatDistance(int digits) {
    const std::optional<QString> distance = distanceAtDigits(edSi->text(), digits);
    if (distance && *distance != edSi->text()) {
        edSi->setText(*distance); // runs the change handling
    }
    if (!distanceFieldInvalid()) {
        // The field may keep its text: the sensitivities take the new digits.
        affichSensibilites(m_document.calibration().sensitivity);
    }
}

void CalibrationPage::showPicture(int image) {
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

void CalibrationPage::rbChxOrigClick() {
    leaveScaleMode();
    tBarOriAxes->setEnabled(true);
    for (QToolButton* b : {tbXpYp, tbXnYp, tbXpYn, tbXnYN}) {
        b->setEnabled(true);
    }
    showPicture(0);
    emit originModeChosen();
}

void CalibrationPage::leaveOriginMode() {
    rbChxOrig->setChecked(false);
    for (QToolButton* b : {tbXpYp, tbXnYp, tbXpYn, tbXnYN}) {
        b->setEnabled(false);
    }
    tBarOriAxes->setEnabled(false);
}

void CalibrationPage::tbXpYpClick(int imageIndex) {
    const std::optional<QPoint> signs = orientationSigns(imageIndex);
    if (!signs) {
        return;
    }
    Calibration c = m_document.calibration();
    c.signX = signs->x();
    c.signY = signs->y();
    chooseCalibration(QStringLiteral("le sens des axes"), c);
}

void CalibrationPage::rbEtalonSimuClick() {
    leaveOriginMode();
    chkBoxPt1->setEnabled(true);
    chkBoxPt2->setEnabled(true);
    chkBoxPt2->setChecked(true);
    chkBoxPt1->setChecked(true);
    showPicture(1);
    edSi->setEnabled(true);
    setFieldColours(edSi, kDistanceValidColours);
    for (QLabel* l : {lblP1X, lblP1Y, lblP2X, lblP2Y}) {
        l->setEnabled(true);
    }
    bbtnCouleurEch->setEnabled(true);
    emit scaleModeChosen();
}

void CalibrationPage::leaveScaleMode() {
    showSteps(0);
    rbEtalonSimu->setChecked(false);
    chkBoxPt1->setEnabled(false);
    chkBoxPt2->setEnabled(false);
    showPicture(0);
    edSi->setEnabled(false);
    bbtnCouleurEch->setEnabled(false);
}

void CalibrationPage::chkBoxPt1Click() {
    if (!chkBoxPt1->isChecked()) {
        chkBoxPt2->setChecked(true); // one of the two is always checked
        return;
    }
    showSteps(10);
    emit scalePointChosen(true);
    chkBoxPt2->setChecked(false);
}

void CalibrationPage::chkBoxPt2Click() {
    if (!chkBoxPt2->isChecked()) {
        chkBoxPt1->setChecked(true);
        return;
    }
    showSteps(20);
    emit scalePointChosen(false);
    chkBoxPt1->setChecked(false);
}

void CalibrationPage::edSiEnter() {
    ++m_visit; // what is typed in this visit of the field is one change
    showSteps(30);
}

bool CalibrationPage::distanceFieldInvalid() const {
    return edSi->palette().color(QPalette::Base) == kDistanceInvalidColours.background;
}

void CalibrationPage::edSiChange() {
    if (m_writingField) {
        return;
    }
    Calibration c = m_document.calibration();
    QString distance = m_document.distanceText();
    const DistanceOutcome outcome =
        applyDistanceText(c, edSi->text(), distance, m_document.xyDigits());
    setFieldColours(edSi, outcome.colours);
    showSensitivity(outcome.sensitivityText);
    if (outcome.valid) {
        m_typingDistance = true;
        emit calibrationChosen(QStringLiteral("la distance d'étalonnage"), c, distance, m_visit);
        m_typingDistance = false;
    }
    // A text on its way to a number ("0", "5E-") only turns the field red:
    // the box waits until the field is left.
}

void CalibrationPage::edSiExit() {
    const bool invalid = distanceFieldInvalid();
    if (invalid) {
        MessageSeam::showWarning(kDistanceWarning, window());
    }
    const std::optional<QString> text =
        distanceExitText(edSi->text(), invalid, m_document.distanceText(), m_document.xyDigits());
    if (!text) {
        return;
    }
    if (*text != edSi->text()) {
        edSi->setText(*text); // runs the change handling
    }
}

void CalibrationPage::bbtnCouleurEchClick() {
    showSteps(40);
    if (const std::optional<QColor> colour =
            ColorDialogSeam::getColor(m_document.calibration().scaleSegmentColour, window())) {
        Calibration c = m_document.calibration();
        c.scaleSegmentColour = *colour;
        chooseCalibration(QStringLiteral("la couleur du segment"), c);
    }
    showSteps(41);
}

} // namespace traxilo
