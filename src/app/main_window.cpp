#include "app/main_window.h"

#include "app/clip_area.h"

#include "app/magnifier_panel.h"

#include "app/pages/measures_page.h"

#include "app/access_keys.h"
#include "app/dialogs/dialogs.h"
#include "app/dialogs/print_dialog.h"
#include "app/hint_style.h"
#include "app/hint_tracker.h"
#include "app/message_seam.h"
#include "app/paint_box.h"
#include "app/settings_place.h"
#include "app/string_grid.h"
#include "app/up_down.h"
#include "clip/clip_player.h"
#include "clip/file_utils.h"
#include "document/measurement_document.h"
#include "geometry/scale_steps.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <algorithm>

namespace traxilo {

TForm1::TForm1(QWidget* parent)
    : QMainWindow(parent), m_document(new MeasurementDocument(this)),
      m_hints(new HintTracker(this)) {
    setObjectName(QStringLiteral("Form1"));
    m_document->setObjectName(QStringLiteral("document"));
    buildLayout();
    buildMenus();
    buildPopupMenus();
    connectSignals();
    FormCreate();
    // The dialogs come after the window's own creation, as at program entry.
    createDialogs();
    buildSessionCommands();
    connectDocumentSignals();
    setUpKeyboard();
}

// The window shows the document: each kind of change redraws what shows it,
// whether it comes from a command, "Annuler" or a session being opened.
void TForm1::connectDocumentSignals() {
    MeasurementDocument* d = m_document;
    connect(d, &MeasurementDocument::positionsChanged, this, [this] {
        if (!m_drawingNewMark) {
            marksChanged();
            Drawpoints();
        }
    });
    connect(d, &MeasurementDocument::calibrationChanged, this, [this] {
        showCalibrationChange();
        dialogs->dlgImprimer->proposeScaleAnew();
    });
    connect(d, &MeasurementDocument::timeOriginChanged, this, &TForm1::ShowTimeOriginMark);
    connect(d, &MeasurementDocument::timesChanged, this, &TForm1::applyFrameTimes);
    connect(d, &MeasurementDocument::pointsPerFrameChanged, this, [this] {
        mnuAutoH->setEnabled(m_document->pointsPerFrame() != 1);
        marksChanged();
        // The marks of points dropped from the table must not stay on show.
        Drawpoints();
    });
    connect(d, &MeasurementDocument::stylesChanged, this, &TForm1::showStyles);
    connect(d, &MeasurementDocument::xyDigitsChanged, this, &TForm1::showPointerReadouts);
    connect(d, &MeasurementDocument::clipOpened, this,
            [this] { dialogs->dlgImprimer->proposeScaleAnew(); });
}

void TForm1::setUpKeyboard() {
    // Buttons act on a click and never keep the focus: Space or Enter must
    // not fire whichever button was last reached.
    for (QToolButton* button : findChildren<QToolButton*>()) {
        button->setFocusPolicy(Qt::NoFocus);
    }
    assignAccessKeys(menuBar());
    assignAccessKeys(PopupMenu1);
    assignAccessKeys(PopupMenu3);
    // The picture takes the keys that step the clip, and so does the table.
    PaintBox1->setFocusPolicy(Qt::StrongFocus);
    PaintBox1->installEventFilter(this);
    tsMesures->table()->installEventFilter(this);
    PaintBox1->setFocus();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    // 1. Flags and precision.
    redrawPending = false;

    // 2. Not necessarily the executable's folder: from the build tree,
    // txconfig.txt is looked up where the program was started from.
    StartupFolder = QDir::currentPath();

    // 3. Caption, shown also in the empty clip panel.
    setWindowTitle(Caption);
    pnl1->showCaption(Caption);

    // 4. Pointing mode.
    setActivePage(tsMesures);

    // 5. Hints.
    connect(m_hints, &HintTracker::hintChanged, this, &TForm1::DisplayHint, Qt::UniqueConnection);
    m_hints->install();
    m_hints->setHidePause(4000);
    HintStyle::install();
    QPalette tips = QToolTip::palette();
    tips.setColor(QPalette::ToolTipBase, QColor(0, 255, 255));
    tips.setColor(QPalette::ToolTipText, QColor(0, 0, 0));
    QToolTip::setPalette(tips);

    // 6. Help (its pages are compiled into the program): the topic of the
    // pages until a clip is opened.
    PageControl1HelpContext = 210;

    // 7. Restored size; the program opens the window maximised.
    currentFrame = -1;
    LastWindowWidth = 620;
    LastPanelWidth = 410;
    resize(620, 465);

    // 8. Cursors, under their numbers.
    cursors.registerStandardCursors();

    // 9. Pointer.
    pointStyle = PointStyle();

    // 10. Scale.
    initEchelle();

    // 11. Settings file: read, then rewritten in the current layout. An
    // installed program keeps it in the user's configuration folder.
    const SettingsPlace settings =
        chooseSettingsPlace(StartupFolder, QCoreApplication::applicationDirPath());
    config = ConfigFile(settings.folder, settings.defaultClipsFolder);
    config.loadAtStartup();
}

void TForm1::connectSignals() {
    connect(mnuQuitter, &QAction::triggered, this, &TForm1::mnuQuitterClick);
    connect(bbtnQuitter, &QToolButton::clicked, this, &TForm1::mnuQuitterClick);
    connect(Aide2, &QAction::triggered, this, &TForm1::Aide2Click);
    connect(Aide3, &QAction::triggered, this, &TForm1::Aide3Click);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
        if (!m_settingPage) {
            PageControl1Change();
        }
    });
    connect(popUpMnuModeAcquerir, &QAction::triggered, this, &TForm1::popUpMnuModeAcquerirClick);
    connect(popUpMnuModeEtalonner, &QAction::triggered, this, &TForm1::popUpMnuModeEtalonnerClick);
    connect(popUpMnuModeProClip, &QAction::triggered, this, &TForm1::popUpMnuModeProClipClick);
    connect(Splitter1, &QSplitter::splitterMoved, this, &TForm1::Splitter1Moved);
    connect(PaintBox1, &PaintBox::mouseDown, this, &TForm1::PaintBox1MouseDown);
    connect(PaintBox1, &PaintBox::mouseMove, this, &TForm1::PaintBox1MouseMove);
    connect(PaintBox1, &PaintBox::mouseUp, this, &TForm1::PaintBox1MouseUp);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(Timer3, &QTimer::timeout, this, &TForm1::Timer3Timer);
    Timer1->start();
    Timer3->start();
    connectClipSignals();
    connectTimingSignals();
    connectCalibrationSignals();
    connectMeasureSignals();
    connectExportSignals();
    connectDisplaySizeSignals();
    connectAppearanceSignals();
    connectMagnifierSignals();
    connectHelpSignals();
    connectTrackingSignals();
    connectGraphSignals();
}

void TForm1::createDialogs() {
    dialogs = std::make_unique<Dialogs>(config, *m_document, pointStyle, displaySize, this);
    connectDialogSignals();
}

void TForm1::setActivePage(QWidget* page) {
    // A page chosen by the program does not run PageControl1Change: callers
    // run it themselves when they want it.
    const bool wasSetting = m_settingPage;
    m_settingPage = true;
    PageControl1->setCurrentWidget(page);
    m_settingPage = wasSetting;
}

void TForm1::FormResize() {
    // 1-2. The clip's path fits in what is left of the tool bar. The room kept
    // on the right is at least what the separator and "Quitter" need: with
    // less, the tool bar moves that button into its overflow menu.
    const int rightRoom = std::max(34, toolBarRightOf(lblNomAvi));
    const int labelWidth = std::max(0, ToolBar1->width() - toolBarLeftOf(lblNomAvi) - rightRoom);
    lblNomAvi->setFixedWidth(labelWidth);
    lblNomAvi->setText(FitPath(OpenDialog1FileName, lblNomAvi->fontMetrics(), labelWidth));

    // 3-4. The clip area keeps its share of the window. The "+ 1" widens it
    // by a pixel even when the width did not change.
    if (LastWindowWidth > 0) {
        const int panelWidth = width() * LastPanelWidth / LastWindowWidth + 1;
        setPanelWidth(panelWidth);
    }
    LastPanelWidth = pnl1->width();
    LastWindowWidth = width();

    // 5.
    mnuImaAdapter->setEnabled(true);
    displaySize.fitRequested = true;
}

int TForm1::toolBarLeftOf(QWidget* widget) const {
    // From the size hints, not from the widgets' places: the tool bar may not
    // be laid out yet, and the label's place depends on the width it had (a
    // label too wide is pushed out of the bar).
    const QStyle* s = ToolBar1->style();
    const int spacing = s->pixelMetric(QStyle::PM_ToolBarItemSpacing, nullptr, ToolBar1);
    int left = s->pixelMetric(QStyle::PM_ToolBarFrameWidth, nullptr, ToolBar1) +
               s->pixelMetric(QStyle::PM_ToolBarItemMargin, nullptr, ToolBar1);
    for (QAction* action : ToolBar1->actions()) {
        QWidget* item = ToolBar1->widgetForAction(action);
        if (item == widget) {
            break;
        }
        if (item && action->isVisible()) {
            const int hinted =
                std::clamp(item->sizeHint().width(), item->minimumWidth(), item->maximumWidth());
            left += hinted + spacing;
        }
    }
    return left;
}

int TForm1::toolBarRightOf(QWidget* widget) const {
    // The width the items after `widget` take, with the spacing before each
    // and the bar's margin on the right, measured like toolBarLeftOf.
    const QStyle* s = ToolBar1->style();
    const int spacing = s->pixelMetric(QStyle::PM_ToolBarItemSpacing, nullptr, ToolBar1);
    int right = s->pixelMetric(QStyle::PM_ToolBarFrameWidth, nullptr, ToolBar1) +
                s->pixelMetric(QStyle::PM_ToolBarItemMargin, nullptr, ToolBar1);
    bool after = false;
    for (QAction* action : ToolBar1->actions()) {
        QWidget* item = ToolBar1->widgetForAction(action);
        if (item == widget) {
            after = true;
        } else if (after && item && action->isVisible()) {
            right += spacing + std::clamp(item->sizeHint().width(), item->minimumWidth(),
                                          item->maximumWidth());
        }
    }
    return right;
}

void TForm1::setPanelWidth(int panelWidth) {
    const int total = Splitter1->width() - Splitter1->handleWidth();
    panelWidth = std::clamp(panelWidth, pnl1->minimumWidth(),
                            std::max(pnl1->minimumWidth(), total - PageControl1->minimumWidth()));
    Splitter1->setSizes({panelWidth, std::max(0, total - panelWidth)});
}

void TForm1::Splitter1Moved() {
    mnuImaAdapter->setEnabled(true);
    displaySize.fitRequested = true;
    loupePnl->place();
}

void TForm1::FormPaint() {
    // The clip surface keeps its picture and marks between paints; the frame
    // is shown again only when the surface has lost it (a failed decode).
    if (clipOpen() && currentFrame >= 0 && MediaPlayer1->mode() != ClipPlayer::Mode::Playing &&
        PaintBox1->image().size() != MediaPlayer1->displayRect().size()) {
        mpPositionner(currentFrame);
    }
}

void TForm1::Timer1Timer() {
    if (!redrawPending) {
        return;
    }
    // Showing a frame would end a playback: the redraw waits for its end.
    if (clipOpen() && MediaPlayer1->mode() == ClipPlayer::Mode::Playing) {
        return;
    }
    reDraw(currentFrame);
    redrawPending = false;
}

void TForm1::mnuQuitterClick() {
    close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    // Every way of closing asks: the menu, the button, the close box.
    if (MessageSeam::confirm(QStringLiteral("Voulez-vous vraiment quitter ?"), this)) {
        endRecovery(); // the last copy, and this run ended normally
        event->accept();
    } else {
        event->ignore();
    }
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TForm1::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    FormPaint();
}

QString TForm1::statusText() const {
    return StatusBar1->currentMessage();
}

} // namespace traxilo
