#include "app/main_window.h"

#include "app/pages/calibration_page.h"
#include "app/widget_style.h"

#include "app/event_hook.h"
#include "app/hint_tracker.h"
#include "app/message_seam.h"
#include "app/paint_box.h"
#include "app/string_grid.h"
#include "app/tool_icons.h"
#include "app/up_down.h"
#include "common/number_format.h"
#include "document/document_commands.h"
#include "document/measurement_document.h"
#include "document/measurement_table_model.h"
#include "geometry/scale_editing.h"
#include "pointing/style_table.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QShortcut>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace traxilo {

namespace {

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

void setEnabledByName(QObject* root, const QString& name, bool enable) {
    if (auto* menu = root->findChild<QMenu*>(name)) {
        menu->menuAction()->setEnabled(enable);
    } else if (auto* action = root->findChild<QAction*>(name)) {
        action->setEnabled(enable);
    } else if (auto* widget = root->findChild<QWidget*>(name)) {
        widget->setEnabled(enable);
    }
}

} // namespace

// The "Mesures" page: precision controls, clearing buttons, points per
// frame, current point and its drawing, automatic advance, time origin, and
// the measurement table below them.
void TForm1::setupMeasuresPage() {
    auto* layout = new QVBoxLayout(tsMesures);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);

    QHBoxLayout* row = nullptr;
    auto* first = new QHBoxLayout;
    pnlDecimales = panel(tsMesures, "pnlDecimales", &row);
    lblCS = named(new QLabel(QStringLiteral("Décimales de t"), pnlDecimales), "lblCS");
    udFmt_t = upDown(pnlDecimales, "udFmt_t", 0, 6, 3,
                     QStringLiteral("Changer le nombre de décimales de t|Changer le nombre de "
                                    "décimale de t"));
    lblFmt_xy = named(new QLabel(QStringLiteral("Chiffres de x, y"), pnlDecimales), "lblFmt_xy");
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
    Panel8 = panel(tsMesures, "Panel8", &row);
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
    QFrame* pointsPanel = panel(tsMesures, "pnlPointsPlan", &row);
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
    QFrame* pointPanel = panel(tsMesures, "pnlPointNumero", &row);
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
    QFrame* autoPanel = panel(tsMesures, "pnlPointSuivantAuto", &row);
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
    fourth->addWidget(buildStepPanel(tsMesures));
    fourth->addStretch(1);
    layout->addLayout(fourth);

    auto* fifth = new QHBoxLayout;
    QFrame* originPanel = panel(tsMesures, "pnlt0", &row);
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
    StringGrid1 = named(new StringGrid(&measureGrid, tsMesures), "StringGrid1");
    StringGrid1->setModel(m_tableModel);
    StringGrid1->setEnabled(false);
    layout->addWidget(StringGrid1, 1);

    measureGrid.setCurrentCellCallback([this] { StringGrid1Click(); });
    connect(StringGrid1, &StringGrid::mouseReleased, this, &TForm1::StringGrid1MouseUp);
    connect(StringGrid1, &StringGrid::keyReleased, this, &TForm1::StringGrid1KeyUp);
    connect(Button0, &QToolButton::clicked, this, &TForm1::Button0Click);
    connect(Button1, &QToolButton::clicked, this, &TForm1::Button1Click);
    connect(Button2, &QToolButton::clicked, this, &TForm1::Button2Click);
    // Button1 is the window's cancel button while the "Mesures" tab is shown.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        if (PageControl1->currentWidget() == tsMesures && Button1->isEnabled()) {
            Button1Click();
        }
    });
    connect(udFmt_t, &UpDown::clicked, this, &TForm1::udFmt_tClick);
    connect(udFmt_xy, &UpDown::clicked, this, &TForm1::udFmt_xyClick);
    connect(udPointsPlan, &UpDown::clicked, this, &TForm1::udPointsPlanClick);
    connect(udPointNumero, &UpDown::clicked, this, &TForm1::udPointNumeroClick);
    connect(chkBoxAutoH, &QCheckBox::clicked, this, &TForm1::chkBoxAutoHClick);
    connect(chkBoxAutoV, &QCheckBox::clicked, this, &TForm1::chkBoxAutoVClick);
    connect(chkBoxPtDed, &QCheckBox::clicked, this, &TForm1::chkPtDedExecute);
    connect(chkBoxAxDed, &QCheckBox::clicked, this, &TForm1::chkAxDedExecute);
    connect(bbtnCouleurAxes, &QToolButton::clicked, this, &TForm1::CouleurAxesExecute);
    connect(udt0, &UpDown::clicked, this, &TForm1::udt0Click);
    connect(udt0, &UpDown::arrowPressed, this, &TForm1::udt0MouseDown);
    // The mouse release ends the hold: the arrow's own release signal repeats
    // while it is held and is missing when the button is let go off the
    // arrow (the arrow moves when the number grows a digit). The release
    // comes before its click has moved the position: the rewrite waits.
    auto* release = new EventHook(
        QEvent::MouseButtonRelease,
        [this](QEvent* event) {
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                QMetaObject::invokeMethod(this, &TForm1::udt0MouseUp, Qt::QueuedConnection);
            }
        },
        this);
    release->watch(udt0->upButton());
    release->watch(udt0->downButton());
}

// The menus and the timers are made after the pages.
void TForm1::connectMeasureSignals() {
    connect(mnuAutoH, &QAction::triggered, this, &TForm1::AutoHExecute);
    connect(mnuAutoV, &QAction::triggered, this, &TForm1::AutoVExecute);
    connect(Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
}

void TForm1::refreshTables() {
    StringGrid1->setTimeOrigin(m_document->timeOrigin() + 1);
    StringGrid1->refresh();
}

void TForm1::layoutMeasureTable() {
    layoutMeasureGrid(measureGrid, m_document->frameCount(), m_document->pointsPerFrame());
    const int lastFrame = std::max(0, m_document->frameCount() - 1);
    // As wide as the time of the frame after the last one.
    const QString lastTime =
        FormatTime(m_document->tFormat(), m_document->frameTime(lastFrame) +
                                              m_document->clip().period * m_document->timeScale());
    setMeasureColumnWidths(measureGrid, StringGrid1->font(), lastTime, xyDigits());
    refreshTables();
}

void TForm1::runClear(const ClearRequest& request) {
    if (request.showSelection) {
        measureGrid.setSelection(request.range);
        refreshTables();
    }
    if (request.ask && !MessageSeam::confirm(request.question, this)) {
        return;
    }
    saveRecoveryNow(); // what is about to go stays in the automatic copy
    const PointRange range = pointsOf(request.range);
    if (QUndoCommand* clear = clearPositions(m_document, range.firstFrame, range.lastFrame,
                                             range.firstPoint, range.lastPoint)) {
        pushChange(clear);
    }
    measureGrid.setCol(request.col);
    measureGrid.setRow(request.row);
    refreshTables();
}

int TForm1::xyDigits() const {
    return m_document->xyDigits();
}

QString TForm1::tFormat() const {
    return m_document->tFormat();
}

bool TForm1::tableauOccupe() const {
    return clipOpen() && m_document->hasPositions();
}

void TForm1::OptTraitt(bool enable) {
    for (const QString& name : kProcessingCommands) {
        setEnabledByName(this, name, enable);
    }
}

void TForm1::StringGrid1Click() {
    if (!clipOpen()) {
        return;
    }
    // The point of the column chosen becomes current; the row's frame is shown.
    m_document->setCurrentPoint((measureGrid.col() + 1) / 2);
    const int frame = measureGrid.row() - 1;
    // The frame on show needs no new showing (a step of no frame).
    if (frame >= 0 && frame < ClipInfo.frameCount && frame != currentFrame) {
        mpPositionner(frame);
    }
    Drawpoints();
    refreshTables();
}

void TForm1::StringGrid1MouseUp(int col, int row) {
    if (const std::optional<GridRect> selection = releaseSelection(measureGrid, col, row)) {
        measureGrid.setSelection(*selection);
        refreshTables();
    }
}

void TForm1::StringGrid1KeyUp(int key) {
    if (key != Qt::Key_Delete) {
        return;
    }
    runClear(deleteKeyClear(measureGrid));
}

void TForm1::Button0Click() {
    runClear(columnClear(measureGrid));
}

void TForm1::Button1Click() {
    runClear(rowClear(measureGrid));
}

void TForm1::Button2Click() {
    runClear(tableClear(measureGrid));
}

void TForm1::udFmt_tClick() {
    if (!clipOpen()) {
        return;
    }
    m_document->setTimeDecimals(udFmt_t->position());
}

void TForm1::udFmt_xyClick() {
    if (!clipOpen()) {
        return;
    }
    const int digits = udFmt_xy->position() + 1;
    m_document->setXyDigits(digits);
    tsEtalon->reformatDistance(digits);
}

// The views of the number of points per frame, after it changed.
void TForm1::nbPointsPlan(int n) {
    n = m_document->pointsPerFrame();
    udPointsPlan->setPosition(n);
    lblPointsPlan->setText(QString::number(n));
    chkBoxAutoH->setEnabled(n != 1);
    mnuAutoH->setEnabled(n != 1);
    udPointNumero->setRange(1, n);
    udPointNumero->setEnabled(n > 1);
    layoutMeasureTable();
    measureGrid.setCol(2 * m_document->currentPoint() - 1);
    ChgPointNumero(m_document->currentPoint());
    marksChanged();
    // The marks of points dropped from the table must not stay on show.
    Drawpoints();
    refreshTables();
}

void TForm1::udPointsPlanClick() {
    const int n = udPointsPlan->position();
    if (n == m_document->pointsPerFrame())
        return;
    if (!keepFewerPoints(n)) {
        udPointsPlan->setPosition(m_document->pointsPerFrame()); // the up-down goes back
        return;
    }
    pushChange(new ChangePointsPerFrame(m_document, n));
}

bool TForm1::keepFewerPoints(int n) {
    // Points that go with their positions: asked first, like the clearings;
    // what goes stays in the automatic copy.
    const std::optional<QString> question = fewerPointsQuestion(*m_document, n);
    if (!question)
        return true;
    if (!MessageSeam::confirm(*question, this))
        return false;
    saveRecoveryNow();
    return true;
}

void TForm1::udPointNumeroClick() {
    const int k = udPointNumero->position();
    m_document->setCurrentPoint(k);
    measureGrid.setCol(2 * m_document->currentPoint() - 1);
    refreshTables();
}

// The current point as the page shows it.
void TForm1::ChgPointNumero(int k) {
    k = std::clamp(k, 1, m_document->pointsPerFrame());
    udPointNumero->setPosition(k);
    const MarkStyle& style = m_document->styles().point(k);
    QPalette palette = lblPointNumero->palette();
    palette.setColor(QPalette::WindowText, style.colour);
    lblPointNumero->setPalette(palette);
    lblPointNumero->setText(QString::number(k));
    bbtnCouleurPoint->setIcon(markIcon(style.colour, style.shape));
    chkBoxPtDed->setChecked(style.drawn);
}

void TForm1::chkBoxAutoHClick() {
    mnuAutoH->setChecked(chkBoxAutoH->isChecked());
}

void TForm1::chkBoxAutoVClick() {
    mnuAutoV->setChecked(chkBoxAutoV->isChecked());
}

void TForm1::AutoHExecute() {
    // The item's own check has already been toggled by the trigger.
    chkBoxAutoH->setChecked(mnuAutoH->isChecked());
}

void TForm1::AutoVExecute() {
    chkBoxAutoV->setChecked(mnuAutoV->isChecked());
}

void TForm1::udt0Click() {
    lblt0->setText(QString::number(udt0->position()));
    ShowTimeOriginMark();
    StringGrid1->setTimeOrigin(udt0->position());
}

void TForm1::udt0MouseDown() {
    // A held arrow repeats its press: the timer counts from the first one,
    // or it would never tick.
    if (!Timer2->isActive()) {
        Timer2->start(500);
    }
}

void TForm1::Timer2Timer() {
    // Held down, the arrow moves faster and faster.
    if (udt0->increment() < udt0->maximum()) {
        udt0->setIncrement(udt0->increment() * 2);
    }
}

void TForm1::udt0MouseUp() {
    Timer2->stop();
    udt0->setIncrement(1);
    if (udt0->position() - 1 != m_document->timeOrigin())
        pushChange(new SetTimeOrigin(m_document, udt0->position() - 1));
    refreshTables();
}

// ---- What opening a clip does to the measurement side ----

void TForm1::layoutTablesForClip() {
    const int frames = ClipInfo.frameCount;
    lblt0->setEnabled(true);
    lblt0->setText(QStringLiteral("1"));
    udt0->setRange(1, std::max(1, frames));
    udt0->setPosition(1);
    udt0->setEnabled(true);
    udPointsPlan->setEnabled(true);
    udPointsPlan->setPosition(1);
    lblPointsPlan->setText(QStringLiteral("1"));
    chkBoxAutoH->setEnabled(false);
    mnuAutoH->setEnabled(false);
    udPointNumero->setRange(1, 1);
    udPointNumero->setEnabled(false);
    measureGrid.setCurrent(1, 1);
    layoutMeasureTable();
    StringGrid1->setEnabled(true);
    udFmt_t->setEnabled(true);
    udFmt_t->setPosition(m_document->timeDecimals());
    udFmt_xy->setEnabled(true);
    for (QWidget* w : {static_cast<QWidget*>(chkBoxAutoV), static_cast<QWidget*>(chkBoxPtDed),
                       static_cast<QWidget*>(chkBoxAxDed), static_cast<QWidget*>(bbtnCouleurAxes),
                       static_cast<QWidget*>(bbtnCible)}) {
        w->setEnabled(true);
    }
    bbtnCouleurPoint->setEnabled(true);
    setSurfaceCursor(pointStyle.cursorNumber());
    mnuPointages->menuAction()->setEnabled(true);
    popUpMnuPointeur->setEnabled(true);
    ChgPointNumero(1);
    chkBoxAxDed->setChecked(m_document->styles().axes.drawn);
    bbtnCouleurAxes->setIcon(axesIcon(m_document->styles().axes.colour));
    marksChanged();
    refreshTables();
}

void TForm1::enableMeasurementForClip() {
    // The position markers of the scale points.
    const char* red = "background: white; border: 1px solid rgb(255, 0, 0);";
    const char* blue = "background: white; border: 1px solid rgb(0, 0, 255);";
    indicX1->setStyleSheet(QString::fromLatin1(red));
    indicY1->setStyleSheet(QString::fromLatin1(red));
    indicX2->setStyleSheet(QString::fromLatin1(blue));
    indicY2->setStyleSheet(QString::fromLatin1(blue));
    moveScaleIndicators();
    for (QFrame* shape : {indicX1, indicY1, indicX2, indicY2}) {
        shape->show();
        shape->raise();
    }
    for (QWidget* w : {static_cast<QWidget*>(Button0), static_cast<QWidget*>(Button1),
                       static_cast<QWidget*>(Button2)}) {
        w->setEnabled(true);
    }
    tsEtalon->enableModes();
}

void TForm1::finishClipOpening() {
    tsEtalon->showPicture(0);
    OptTraitt(true);
}

int TForm1::timeOriginFrameNumber() const {
    return m_document->timeOrigin() + 1;
}

void TForm1::setTableRowsToCurrentFrame() {
    measureGrid.setRow(currentFrame + 1);
    refreshTables();
}

} // namespace traxilo
