#include "app/pages/measures_page.h"

#include "app/event_hook.h"
#include "app/hint_tracker.h"
#include "app/message_seam.h"
#include "app/string_grid.h"
#include "app/tool_icons.h"
#include "app/up_down.h"
#include "app/widget_style.h"
#include "common/number_format.h"
#include "document/measurement_document.h"
#include "document/measurement_table_model.h"
#include "pointing/recording.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace traxilo {

namespace {

constexpr int kMaxStep = 50; // the most frames a step moves

// A raised panel holding a row of controls.
QFrame* panel(QWidget* parent, const char* name, QHBoxLayout** row) {
    auto* frame = named(new QFrame(parent), name);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    *row = new QHBoxLayout(frame);
    (*row)->setContentsMargins(3, 2, 3, 2);
    (*row)->setSpacing(3);
    return frame;
}

UpDown* upDown(QWidget* parent, const char* name, int min, int max, int position,
               const QString& hint) {
    auto* ud = named(new UpDown(parent), name);
    ud->setRange(min, max);
    ud->setPosition(position);
    ud->setWrap(false);
    HintTracker::setHint(ud, hint);
    return ud;
}

QToolButton* clearButton(QWidget* parent, const char* name, const QIcon& icon,
                         const QString& hint) {
    auto* button = named(new QToolButton(parent), name);
    button->setFixedSize(24, 24);
    button->setIcon(icon);
    button->setEnabled(false);
    HintTracker::setHint(button, hint);
    return button;
}

} // namespace

MeasuresPage::MeasuresPage(const MeasurementDocument& document, QWidget* parent)
    : QWidget(parent), m_document(document) {
    setObjectName(QStringLiteral("tsMesures"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);

    QHBoxLayout* row = nullptr;
    auto* first = new QHBoxLayout;
    QFrame* pnlDecimales = panel(this, "pnlDecimales", &row);
    auto* lblCS = named(new QLabel(QStringLiteral("Décimales de t"), pnlDecimales), "lblCS");
    udFmt_t = upDown(pnlDecimales, "udFmt_t", 0, 6, 3,
                     QStringLiteral("Changer le nombre de décimales de t|Changer le nombre de "
                                    "décimale de t"));
    auto* lblFmt_xy =
        named(new QLabel(QStringLiteral("Chiffres de x, y"), pnlDecimales), "lblFmt_xy");
    udFmt_xy = upDown(pnlDecimales, "udFmt_xy", 0, 4, 2,
                      QStringLiteral("Changer le nombre de chiffres de x et y|Changer le nombre "
                                     "de chiffres de x et y"));
    for (QWidget* w : {static_cast<QWidget*>(lblCS), static_cast<QWidget*>(udFmt_t),
                       static_cast<QWidget*>(lblFmt_xy), static_cast<QWidget*>(udFmt_xy)}) {
        row->addWidget(w);
    }
    udFmt_t->setEnabled(false);
    udFmt_xy->setEnabled(false);
    first->addWidget(pnlDecimales);
    first->addStretch(1);
    layout->addLayout(first);

    // The page may be narrow: one group or two per row.
    auto* second = new QHBoxLayout;
    QFrame* Panel8 = panel(this, "Panel8", &row);
    HintTracker::setHint(Panel8, QStringLiteral("Effacer des cellules|Effacer des cellules"));
    row->addWidget(new QLabel(QStringLiteral("Effacer"), Panel8));
    Button0 = clearButton(Panel8, "Button0", toolIcon(ToolIcon::ClearColumn),
                          QStringLiteral("Effacer une colonne|Effacer une colonne"));
    Button1 = clearButton(Panel8, "Button1", toolIcon(ToolIcon::ClearRow),
                          QStringLiteral("Effacer une ligne|Effacer une ligne"));
    Button2 = clearButton(Panel8, "Button2", toolIcon(ToolIcon::ClearTable),
                          QStringLiteral("Effacer le taleau|Effacer le tableau"));
    row->addWidget(Button0);
    row->addWidget(Button1);
    row->addWidget(Button2);
    second->addWidget(Panel8);
    QFrame* pointsPanel = panel(this, "pnlPointsPlan", &row);
    HintTracker::setHint(pointsPanel,
                         QStringLiteral("Définir le nombre de pointages par image (1..9)|Définir "
                                        "le nombre de pointages par image (1..9)"));
    row->addWidget(new QLabel(QStringLiteral(" Points / image"), pointsPanel));
    lblPointsPlan = named(new QLabel(QStringLiteral("1"), pointsPanel), "lblPointsPlan");
    udPointsPlan = upDown(pointsPanel, "udPointsPlan", 1, 9, 1, HintTracker::hint(pointsPanel));
    udPointsPlan->setEnabled(false);
    row->addWidget(lblPointsPlan);
    row->addWidget(udPointsPlan);
    second->addWidget(pointsPanel);
    second->addStretch(1);
    layout->addLayout(second);

    auto* third = new QHBoxLayout;
    QFrame* pointPanel = panel(this, "pnlPointNumero", &row);
    HintTracker::setHint(pointPanel,
                         QStringLiteral("Choisir le n° du point|Choisir le n° du point"));
    row->addWidget(new QLabel(QStringLiteral(" Point n°"), pointPanel));
    lblPointNumero = named(new QLabel(QStringLiteral("1"), pointPanel), "lblPointNumero");
    QFont bold = lblPointNumero->font();
    bold.setBold(true);
    lblPointNumero->setFont(bold);
    // The number is written in the point's colour, white by default: a dark
    // ground keeps every colour readable.
    lblPointNumero->setAutoFillBackground(true);
    QPalette dark = lblPointNumero->palette();
    dark.setColor(QPalette::Window, QColor(0, 128, 128));
    dark.setColor(QPalette::WindowText, Qt::white);
    lblPointNumero->setPalette(dark);
    lblPointNumero->setMinimumWidth(14);
    lblPointNumero->setAlignment(Qt::AlignCenter);
    udPointNumero = upDown(pointPanel, "udPointNumero", 1, 1, 1, HintTracker::hint(pointPanel));
    udPointNumero->setEnabled(false);
    row->addWidget(lblPointNumero);
    row->addWidget(udPointNumero);
    chkBoxPtDed = named(new QCheckBox(QStringLiteral("dessiné"), pointPanel), "chkBoxPtDed");
    chkBoxPtDed->setChecked(true);
    chkBoxPtDed->setEnabled(false);
    HintTracker::setHint(chkBoxPtDed, QStringLiteral("|Automatiser l'affichage du point"));
    row->addWidget(chkBoxPtDed);
    bbtnCouleurPoint =
        clearButton(pointPanel, "bbtnCouleurPoint", QIcon(),
                    QStringLiteral("Définir l'aspect du point en cours|Définir l'aspect du point "
                                   "en cours"));
    row->addWidget(bbtnCouleurPoint);
    chkBoxAxDed = named(new QCheckBox(QStringLiteral("axes"), pointPanel), "chkBoxAxDed");
    chkBoxAxDed->setChecked(true);
    chkBoxAxDed->setEnabled(false);
    HintTracker::setHint(chkBoxAxDed, QStringLiteral("Dessiner les axes|Dessiner les axes"));
    row->addWidget(chkBoxAxDed);
    bbtnCouleurAxes = clearButton(pointPanel, "bbtnCouleurAxes", axesIcon(Qt::white),
                                  QStringLiteral("Choisir la couleur des axes|Choisir la couleur "
                                                 "des axes"));
    row->addWidget(bbtnCouleurAxes);
    third->addWidget(pointPanel);
    third->addStretch(1);
    layout->addLayout(third);

    auto* fourth = new QHBoxLayout;
    QFrame* autoPanel = panel(this, "pnlPointSuivantAuto", &row);
    row->addWidget(new QLabel(QStringLiteral("Point suivant auto."), autoPanel));
    // Hands pointing right and down, as the symbol font shows them.
    QFont hands = font();
    hands.setPixelSize(24);
    chkBoxAutoH = named(new QCheckBox(QStringLiteral("☞"), autoPanel), "chkBoxAutoH");
    chkBoxAutoV = named(new QCheckBox(QStringLiteral("☟"), autoPanel), "chkBoxAutoV");
    HintTracker::setHint(chkBoxAutoH,
                         QStringLiteral("Automatiser le déplacement horizontal dans le "
                                        "tableau|Automatiser le déplacement horizontal dans le "
                                        "tableau"));
    HintTracker::setHint(chkBoxAutoV,
                         QStringLiteral("Automatiser le déplacement vertical dans le "
                                        "tableau|Automatiser le déplacement vertical dans le "
                                        "tableau"));
    for (QCheckBox* box : {chkBoxAutoH, chkBoxAutoV}) {
        box->setFont(hands);
        box->setChecked(true);
        box->setEnabled(false);
        row->addWidget(box);
    }
    fourth->addWidget(autoPanel);
    fourth->addWidget(buildStepPanel());
    // Tracking goes forward with the step: its button sits beside it.
    bbtnSuiviAuto = named(new QToolButton(this), "bbtnSuiviAuto");
    bbtnSuiviAuto->setToolButtonStyle(Qt::ToolButtonTextOnly);
    fourth->addWidget(bbtnSuiviAuto);
    fourth->addStretch(1);
    layout->addLayout(fourth);

    auto* fifth = new QHBoxLayout;
    QFrame* originPanel = panel(this, "pnlt0", &row);
    HintTracker::setHint(originPanel,
                         QStringLiteral("Choisir l'origine des dates|Choisir l'origine des dates"));
    row->addWidget(
        new QLabel(QStringLiteral("Origine des dates (t = 0) : image n° "), originPanel));
    lblt0 = named(new QLabel(QStringLiteral("1"), originPanel), "lblt0");
    lblt0->setEnabled(false);
    udt0 = upDown(originPanel, "udt0", 1, 1, 1, HintTracker::hint(originPanel));
    udt0->setEnabled(false);
    row->addWidget(lblt0);
    row->addWidget(udt0);
    fifth->addWidget(originPanel);
    fifth->addStretch(1);
    layout->addLayout(fifth);

    measureGrid = TextGrid(3, 2, 1, 1);
    measureGrid.setDefaultColWidth(44);
    measureGrid.setDefaultRowHeight(22);
    StringGrid1 = named(new StringGrid(&measureGrid, this), "StringGrid1");
    StringGrid1->setModel(new MeasurementTableModel(&m_document, this));
    StringGrid1->setEnabled(false);
    layout->addWidget(StringGrid1, 1);

    Timer2 = named(new QTimer(this), "Timer2");
    Timer2->setInterval(500);

    measureGrid.setCurrentCellCallback(
        [this] { emit cellChosen(measureGrid.col(), measureGrid.row()); });
    connect(StringGrid1, &StringGrid::mouseReleased, this, &MeasuresPage::StringGrid1MouseUp);
    connect(StringGrid1, &StringGrid::keyReleased, this, &MeasuresPage::StringGrid1KeyUp);
    connect(Button0, &QToolButton::clicked, this, [this] { runClear(columnClear(measureGrid)); });
    connect(Button1, &QToolButton::clicked, this, [this] { runClear(rowClear(measureGrid)); });
    connect(Button2, &QToolButton::clicked, this, [this] { runClear(tableClear(measureGrid)); });
    connect(udFmt_t, &UpDown::clicked, this,
            [this] { emit timeDecimalsChosen(udFmt_t->position()); });
    connect(udFmt_xy, &UpDown::clicked, this,
            [this] { emit xyDigitsChosen(udFmt_xy->position() + 1); });
    connect(udPointsPlan, &UpDown::clicked, this, &MeasuresPage::udPointsPlanClick);
    connect(udPointNumero, &UpDown::clicked, this, &MeasuresPage::udPointNumeroClick);
    connect(chkBoxAutoH, &QCheckBox::clicked, this, &MeasuresPage::autoHClicked);
    connect(chkBoxAutoV, &QCheckBox::clicked, this, &MeasuresPage::autoVClicked);
    connect(chkBoxPtDed, &QCheckBox::clicked, this, [this](bool drawn) {
        PointStyles styles = m_document.styles();
        styles.point(m_document.currentPoint()).drawn = drawn;
        emit stylesChosen(QStringLiteral("l'aspect du point"), styles);
    });
    connect(chkBoxAxDed, &QCheckBox::clicked, this, [this](bool drawn) {
        PointStyles styles = m_document.styles();
        styles.axes.drawn = drawn;
        emit stylesChosen(QStringLiteral("les axes"), styles);
    });
    connect(bbtnCouleurAxes, &QToolButton::clicked, this, &MeasuresPage::axesColourClicked);
    connect(bbtnCouleurPoint, &QToolButton::clicked, this, &MeasuresPage::pointAspectClicked);
    connect(udt0, &UpDown::clicked, this, &MeasuresPage::udt0Click);
    connect(udt0, &UpDown::arrowPressed, this, &MeasuresPage::udt0MouseDown);
    connect(Timer2, &QTimer::timeout, this, &MeasuresPage::Timer2Timer);
    // The mouse release ends the hold: the arrow's own release signal repeats
    // while it is held and is missing when the button is let go off the
    // arrow (the arrow moves when the number grows a digit). The release
    // comes before its click has moved the position: the rewrite waits.
    auto* release = new EventHook(
        QEvent::MouseButtonRelease,
        [this](QEvent* event) {
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                QMetaObject::invokeMethod(this, &MeasuresPage::udt0MouseUp, Qt::QueuedConnection);
            }
        },
        this);
    release->watch(udt0->upButton());
    release->watch(udt0->downButton());

    // The page follows the document.
    const MeasurementDocument* d = &m_document;
    connect(d, &MeasurementDocument::positionsChanged, this, &MeasuresPage::refresh);
    connect(d, &MeasurementDocument::calibrationChanged, this, &MeasuresPage::refresh);
    connect(d, &MeasurementDocument::timeOriginChanged, this, &MeasuresPage::showTimeOrigin);
    connect(d, &MeasurementDocument::timesChanged, this, [this] {
        udFmt_t->setPosition(m_document.timeDecimals());
        layoutTable();
    });
    connect(d, &MeasurementDocument::xyDigitsChanged, this, [this] {
        udFmt_xy->setPosition(m_document.xyDigits() - 1);
        layoutTable();
    });
    connect(d, &MeasurementDocument::pointsPerFrameChanged, this, &MeasuresPage::nbPointsPlan);
    connect(d, &MeasurementDocument::stylesChanged, this, &MeasuresPage::showStyles);
    connect(d, &MeasurementDocument::currentPointChanged, this,
            [this] { ChgPointNumero(m_document.currentPoint()); });
}

QWidget* MeasuresPage::buildStepPanel() {
    auto* frame = named(new QFrame(this), "pnlPas");
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(3, 2, 3, 2);
    row->setSpacing(3);
    row->addWidget(new QLabel(QStringLiteral("Pas"), frame));
    lblPas = named(new QLabel(QStringLiteral("1"), frame), "lblPas");
    udPas = named(new UpDown(frame), "udPas");
    udPas->setRange(1, kMaxStep);
    udPas->setPosition(1);
    HintTracker::setHint(frame, QStringLiteral("Pas|Nombre d'images dont avancent ou reculent "
                                               "les boutons, les touches et le pointage"));
    HintTracker::setHint(udPas, HintTracker::hint(frame));
    row->addWidget(lblPas);
    row->addWidget(udPas);
    connect(udPas, &UpDown::clicked, this,
            [this] { lblPas->setText(QString::number(udPas->position())); });
    return frame;
}

void MeasuresPage::setTrackingAction(QAction* action) {
    bbtnSuiviAuto->setDefaultAction(action);
}

QWidget* MeasuresPage::table() const {
    return StringGrid1;
}

int MeasuresPage::frameStep() const {
    return udPas->position();
}

bool MeasuresPage::autoH() const {
    return chkBoxAutoH->isChecked();
}

bool MeasuresPage::autoV() const {
    return chkBoxAutoV->isChecked();
}

void MeasuresPage::setAutoH(bool on) {
    chkBoxAutoH->setChecked(on);
}

void MeasuresPage::setAutoV(bool on) {
    chkBoxAutoV->setChecked(on);
}

void MeasuresPage::showNewClip() {
    const int frames = m_document.frameCount();
    lblt0->setEnabled(true);
    lblt0->setText(QStringLiteral("1"));
    udt0->setRange(1, std::max(1, frames));
    udt0->setPosition(1);
    udt0->setEnabled(true);
    udPointsPlan->setEnabled(true);
    udPointsPlan->setPosition(1);
    lblPointsPlan->setText(QStringLiteral("1"));
    chkBoxAutoH->setEnabled(false);
    udPointNumero->setRange(1, 1);
    udPointNumero->setEnabled(false);
    measureGrid.setCurrent(1, 1);
    layoutTable();
    StringGrid1->setEnabled(true);
    udFmt_t->setEnabled(true);
    udFmt_t->setPosition(m_document.timeDecimals());
    udFmt_xy->setEnabled(true);
    for (QWidget* w : {static_cast<QWidget*>(chkBoxAutoV), static_cast<QWidget*>(chkBoxPtDed),
                       static_cast<QWidget*>(chkBoxAxDed), static_cast<QWidget*>(bbtnCouleurAxes),
                       static_cast<QWidget*>(bbtnCouleurPoint), static_cast<QWidget*>(Button0),
                       static_cast<QWidget*>(Button1), static_cast<QWidget*>(Button2)}) {
        w->setEnabled(true);
    }
    ChgPointNumero(1);
    chkBoxAxDed->setChecked(m_document.styles().axes.drawn);
    bbtnCouleurAxes->setIcon(axesIcon(m_document.styles().axes.colour));
    refresh();
}

void MeasuresPage::refresh() {
    StringGrid1->setTimeOrigin(m_document.timeOrigin() + 1);
    StringGrid1->refresh();
}

void MeasuresPage::showScaleUndefined(bool undefined) {
    HintTracker::setHint(
        StringGrid1,
        undefined ? QStringLiteral("Echelle non définie|Echelle non définie : étalonnez d'abord "
                                   "l'image (page Etalonnage) ; d'ici là, les longueurs sont "
                                   "comptées à 1 m par pixel.")
                  : QStringLiteral("Tableau des mesures|Tableau des mesures : t en s, x et y en "
                                   "m ; cliquer une ligne pour aller à son image"));
}

void MeasuresPage::layoutTable() {
    layoutMeasureGrid(measureGrid, m_document.frameCount(), m_document.pointsPerFrame());
    const int lastFrame = std::max(0, m_document.frameCount() - 1);
    // As wide as the time of the frame after the last one.
    const QString lastTime =
        FormatTime(m_document.tFormat(), m_document.frameTime(lastFrame) +
                                             m_document.clip().period * m_document.timeScale());
    setMeasureColumnWidths(measureGrid, StringGrid1->font(), lastTime, m_document.xyDigits());
    refresh();
}

void MeasuresPage::setCurrentCell(int col, int row) {
    measureGrid.setCurrent(col, row);
}

void MeasuresPage::selectPoint(int point) {
    measureGrid.setCol(2 * point - 1);
}

void MeasuresPage::goToPoint(int frame, int point) {
    measureGrid.setRow(frame + 1); // each move runs the table's own choice
    measureGrid.setCol(2 * point - 1);
}

void MeasuresPage::showFrameRow(int frame) {
    measureGrid.setRow(frame + 1);
    refresh();
}

void MeasuresPage::showRecordPlan(const RecordPlan& plan) {
    applyRecordPlan(measureGrid, plan);
}

void MeasuresPage::deleteChosenPoint() {
    runClear(gotoDeleteClear(measureGrid));
}

void MeasuresPage::pressCancel() {
    if (Button1->isEnabled()) {
        runClear(rowClear(measureGrid));
    }
}

void MeasuresPage::runClear(const ClearRequest& request) {
    if (request.showSelection) {
        measureGrid.setSelection(request.range);
        refresh();
    }
    if (request.ask && !MessageSeam::confirm(request.question, window())) {
        return;
    }
    emit clearing(pointsOf(request.range));
    measureGrid.setCol(request.col);
    measureGrid.setRow(request.row);
    refresh();
}

void MeasuresPage::StringGrid1MouseUp(int col, int row) {
    if (const std::optional<GridRect> selection = releaseSelection(measureGrid, col, row)) {
        measureGrid.setSelection(*selection);
        refresh();
    }
}

void MeasuresPage::StringGrid1KeyUp(int key) {
    if (key == Qt::Key_Delete) {
        runClear(deleteKeyClear(measureGrid));
    }
}

// The views of the number of points per frame, after it changed.
void MeasuresPage::nbPointsPlan() {
    const int n = m_document.pointsPerFrame();
    udPointsPlan->setPosition(n);
    lblPointsPlan->setText(QString::number(n));
    chkBoxAutoH->setEnabled(n != 1);
    udPointNumero->setRange(1, n);
    udPointNumero->setEnabled(n > 1);
    layoutTable();
    measureGrid.setCol(2 * m_document.currentPoint() - 1);
    ChgPointNumero(m_document.currentPoint());
    refresh();
}

void MeasuresPage::showPointsPerFrame() {
    udPointsPlan->setPosition(m_document.pointsPerFrame());
}

void MeasuresPage::udPointsPlanClick() {
    const int n = udPointsPlan->position();
    if (n != m_document.pointsPerFrame())
        emit pointsPerFrameChosen(n);
}

void MeasuresPage::udPointNumeroClick() {
    emit currentPointChosen(udPointNumero->position());
    measureGrid.setCol(2 * m_document.currentPoint() - 1);
    refresh();
}

void MeasuresPage::ChgPointNumero(int k) {
    k = std::clamp(k, 1, m_document.pointsPerFrame());
    udPointNumero->setPosition(k);
    const MarkStyle& style = m_document.styles().point(k);
    QPalette palette = lblPointNumero->palette();
    palette.setColor(QPalette::WindowText, style.colour);
    lblPointNumero->setPalette(palette);
    lblPointNumero->setText(QString::number(k));
    bbtnCouleurPoint->setIcon(markIcon(style.colour, style.shape));
    chkBoxPtDed->setChecked(style.drawn);
}

void MeasuresPage::showStyles() {
    const PointStyles& styles = m_document.styles();
    chkBoxAxDed->setChecked(styles.axes.drawn);
    bbtnCouleurAxes->setIcon(axesIcon(styles.axes.colour));
    ChgPointNumero(m_document.currentPoint());
}

void MeasuresPage::showTimeOrigin() {
    const int t0 = m_document.timeOrigin() + 1;
    udt0->setPosition(t0);
    lblt0->setText(QString::number(t0));
    refresh();
}

void MeasuresPage::udt0Click() {
    // While the arrow is held the table greys the rows before the number
    // shown; the time origin changes when it is let go.
    lblt0->setText(QString::number(udt0->position()));
    StringGrid1->setTimeOrigin(udt0->position());
}

void MeasuresPage::udt0MouseDown() {
    // A held arrow repeats its press: the timer counts from the first one,
    // or it would never tick.
    if (!Timer2->isActive()) {
        Timer2->start(500);
    }
}

void MeasuresPage::Timer2Timer() {
    // Held down, the arrow moves faster and faster.
    if (udt0->increment() < udt0->maximum()) {
        udt0->setIncrement(udt0->increment() * 2);
    }
}

void MeasuresPage::udt0MouseUp() {
    Timer2->stop();
    udt0->setIncrement(1);
    if (udt0->position() - 1 != m_document.timeOrigin())
        emit timeOriginChosen(udt0->position() - 1);
    refresh();
}

} // namespace traxilo
