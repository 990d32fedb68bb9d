#include "app/main_window.h"

#include "app/clip_area.h"
#include "app/dialogs/dialogs.h"
#include "app/dialogs/tracking_doubt_dialog.h"
#include "app/message_seam.h"
#include "app/pages/measures_page.h"
#include "app/paint_box.h"
#include "app/tracking_doubt_seam.h"
#include "app/tracking_progress.h"
#include "app/tracking_work.h"
#include "clip/clip_player.h"
#include "document/document_commands.h"
#include "document/measurement_document.h"
#include "geometry/display_size.h"
#include "geometry/pixel_conversion.h"

#include <QAction>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QUndoStack>
#include <cmath>

namespace traxilo {

using tracking::RunEnd;
using tracking::TrackedFrame;
using tracking::TrackingDoubt;
using tracking::TrackingRun;

namespace {

// Hands the picture's mouse and keys to the tracking while it leads: the
// window's own handlers would record a point or step the clip.
class SurfaceHook : public QObject {
public:
    SurfaceHook(std::function<bool(QEvent*)> filter, QObject* parent)
        : QObject(parent), m_filter(std::move(filter)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return m_filter(event) || QObject::eventFilter(watched, event);
    }

private:
    std::function<bool(QEvent*)> m_filter;
};

// A circle a user can see on any picture: dark under, the point's colour over.
void drawCircle(QPainter& painter, QPointF centre, double radius, const QColor& colour,
                Qt::PenStyle style) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 170), 3, style));
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(QPen(colour, 1, style));
    painter.drawEllipse(centre, radius, radius);
    const double arm = std::min(4.0, radius / 2);
    painter.drawLine(centre - QPointF(arm, 0), centre + QPointF(arm, 0));
    painter.drawLine(centre - QPointF(0, arm), centre + QPointF(0, arm));
}

QString pointName(int point, int count) {
    return count > 1 ? QStringLiteral("du point %1 ").arg(point) : QString();
}

} // namespace

void TForm1::connectTrackingSignals() {
    m_tracking = new TrackingWork(this);
    pnlSuivi = new TrackingProgress(StatusBar1);
    StatusBar1->addPermanentWidget(pnlSuivi, 1);
    pnlSuivi->hide();
    // The page's button says "..." as the menu does: a question follows.
    mnuSuiviAuto->setIconText(mnuSuiviAuto->text());
    tsMesures->setTrackingAction(mnuSuiviAuto);
    connect(mnuSuiviAuto, &QAction::triggered, this, &TForm1::mnuSuiviAutoClick);
    connect(pnlSuivi, &TrackingProgress::stopClicked, this, &TForm1::escapeTracking);
    auto* hook =
        new SurfaceHook([this](QEvent* event) { return trackingSurfaceEvent(event); }, m_tracking);
    PaintBox1->installEventFilter(hook);
    connect(m_document, &MeasurementDocument::clipOpened, this, [this] {
        // Whatever was under way belonged to the clip before.
        if (m_tracking->stage != TrackingStage::Off) {
            m_tracking->changes.clear();
            endTracking();
        }
        mnuSuiviAuto->setEnabled(true);
    });
}

void TForm1::mnuSuiviAutoClick() {
    if (!clipOpen() || m_tracking->stage != TrackingStage::Off)
        return;
    if (MediaPlayer1->mode() == ClipPlayer::Mode::Playing)
        mpPositionner(std::min(MediaPlayer1->position(), MediaPlayer1->length() - 1));
    // The objects are not chosen yet: a small disc in the middle stands in
    // for them, so that a clip of one frame or the last frame is refused now.
    const QSize picture = m_document->pictureSize();
    tracking::RunSetup setup;
    setup.firstFrame = currentFrame;
    setup.step = tsMesures->frameStep();
    setup.objects = {{QPointF(picture.width() / 2.0, picture.height() / 2.0), 3}};
    const QString problem =
        TrackingRun::setupProblem(setup, m_document->frameCount(), m_document->pictureSize());
    if (!problem.isEmpty()) {
        MessageSeam::showWarning(problem, this);
        return;
    }
    TrackingWork& t = *m_tracking;
    t.stage = TrackingStage::Choosing;
    t.pointCount = m_document->pointsPerFrame();
    t.objects.clear();
    t.pressed.reset();
    t.changes.clear();
    lockForTracking(true);
    pnlSuivi->hideBar();
    showTrackingPrompt();
    showTrackingDecoration();
    PaintBox1->setFocus();
}

void TForm1::lockForTracking(bool on) {
    // The run writes into the document and shows its frames: nothing else
    // may change them meanwhile. "Arrêter" and Escape stay.
    menuBar()->setEnabled(!on);
    ToolBar1->setEnabled(!on);
    PageControl1->setEnabled(!on);
    mnuAnnuler->setEnabled(!on && undoStack->canUndo());
    mnuRetablir->setEnabled(!on && undoStack->canRedo());
    if (on)
        pnl1->enableNavigation(false, false);
    else
        SetNavButtons();
    pnlSuivi->setVisible(on);
    // The status bar may be hidden (help in the status bar off): the run's
    // progress shows all the same.
    StatusBar1->setFixedHeight(on ? std::max(19, pnlSuivi->sizeHint().height())
                                  : (Aide2->isChecked() ? 19 : 0));
}

void TForm1::showTrackingPrompt() {
    const TrackingWork& t = *m_tracking;
    QString text;
    switch (t.stage) {
    case TrackingStage::Choosing: {
        const int point = int(t.objects.size()) + 1;
        text = QStringLiteral("Suivi automatique : cliquez au centre de l'objet %1à suivre "
                              "et tirez jusqu'à son bord")
                   .arg(pointName(point, t.pointCount));
        if (t.pressed)
            text += QStringLiteral(" (rayon %1 pixels)").arg(std::lround(t.radius));
        text += QStringLiteral(" ; Échap : annuler");
        break;
    }
    case TrackingStage::Running:
    case TrackingStage::Asking:
        text = QStringLiteral("Suivi automatique en cours ; Échap : arrêter");
        break;
    case TrackingStage::Placing: {
        int point = 1;
        int inDoubt = 0;
        for (int i = 0; i < t.doubt.matches.size(); ++i) {
            if (t.doubt.matches[i].accepted())
                continue;
            if (inDoubt++ == t.placed.size()) {
                point = i + 1;
                break;
            }
        }
        text = QStringLiteral("Cliquez au centre de l'objet %1sur cette image ; Échap : arrêter")
                   .arg(pointName(point, t.pointCount));
        break;
    }
    case TrackingStage::Off:
        break;
    }
    pnlSuivi->showPrompt(text);
}

// The discs chosen and the one being dragged out, or the candidates of a
// doubtful frame, dashed: on screen only, over the picture and its marks.
void TForm1::showTrackingDecoration() {
    const TrackingWork& t = *m_tracking;
    struct Disc {
        QPointF centre;
        double radius;
        QColor colour;
        Qt::PenStyle style;
    };
    std::vector<Disc> discs;
    const double f = double(displaySize.displayFactor);
    // Pixel i of the picture covers [i, i + 1): its middle is half a pixel on.
    auto shown = [f](QPointF p) { return p * f + QPointF(0.5, 0.5); };
    auto colour = [this](int point) { return m_document->styles().point(point).colour; };
    if (t.stage == TrackingStage::Choosing) {
        for (int i = 0; i < t.objects.size(); ++i)
            discs.push_back({shown(t.objects[i].centre), t.objects[i].radius * f, colour(i + 1),
                             Qt::SolidLine});
        if (t.pressed)
            discs.push_back({shown(*t.pressed), t.radius * f, colour(int(t.objects.size()) + 1),
                             Qt::SolidLine});
    } else if (t.stage == TrackingStage::Asking || t.stage == TrackingStage::Placing) {
        for (int i = 0; i < t.doubt.matches.size() && i < t.objects.size(); ++i) {
            const tracking::Match& m = t.doubt.matches[i];
            if (!m.accepted() && m.hasCandidate())
                discs.push_back(
                    {shown(m.position), t.objects[i].radius * f, colour(i + 1), Qt::DashLine});
        }
    }
    if (discs.empty()) {
        PaintBox1->setDecoration({});
        return;
    }
    PaintBox1->setDecoration([discs](QPainter& painter) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        for (const Disc& d : discs)
            drawCircle(painter, d.centre, d.radius, d.colour, d.style);
    });
}

bool TForm1::trackingSurfaceEvent(QEvent* event) {
    TrackingWork& t = *m_tracking;
    if (t.stage == TrackingStage::Off)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint pos = mouse->position().toPoint();
        // A press off the picture is no choice: nothing happens.
        if (t.stage == TrackingStage::Choosing && mouse->button() == Qt::LeftButton &&
            insideDisplayedPicture(pos.x(), pos.y(), displaySize.displayWidth,
                                   displaySize.displayHeight)) {
            // Converted once: the disc is kept in pixels of the picture at 100 %.
            t.pressed = toPicturePixel(pos, displaySize.displayFactor);
            t.radius = 0;
            showTrackingPrompt();
            showTrackingDecoration();
        }
        return true;
    }
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (t.stage == TrackingStage::Choosing && t.pressed) {
            const QPointF edge =
                toPicturePixel(mouse->position().toPoint(), displaySize.displayFactor);
            t.radius = std::hypot(edge.x() - t.pressed->x(), edge.y() - t.pressed->y());
            showTrackingPrompt();
            showTrackingDecoration();
        }
        return false; // the read-outs and the magnifier follow the pointer as ever
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return true;
        const QPoint pos = mouse->position().toPoint();
        if (t.stage == TrackingStage::Choosing && t.pressed)
            chooseTrackedObject(toPicturePixel(pos, displaySize.displayFactor));
        else if (t.stage == TrackingStage::Placing &&
                 insideDisplayedPicture(pos.x(), pos.y(), displaySize.displayWidth,
                                        displaySize.displayHeight))
            placeTrackedObject(toPicturePixel(pos, displaySize.displayFactor));
        return true;
    }
    case QEvent::KeyPress:
        // The keys that step the clip wait for the end of the tracking.
        return static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape;
    default:
        return false;
    }
}

void TForm1::chooseTrackedObject(QPointF edge) {
    TrackingWork& t = *m_tracking;
    const QPointF centre = *t.pressed;
    const double radius = std::hypot(edge.x() - centre.x(), edge.y() - centre.y());
    t.pressed.reset();
    const QString problem = tracking::objectProblem(m_document->pictureSize(), centre, radius);
    if (!problem.isEmpty()) {
        showTrackingDecoration();
        MessageSeam::showWarning(problem, this);
        showTrackingPrompt(); // the same object, again
        return;
    }
    t.objects.push_back({centre, radius});
    showTrackingDecoration();
    if (t.objects.size() < t.pointCount) {
        showTrackingPrompt();
        return;
    }
    startTrackingRun();
}

void TForm1::startTrackingRun() {
    TrackingWork& t = *m_tracking;
    tracking::RunSetup setup;
    setup.clipPath = m_document->clip().path;
    setup.firstFrame = currentFrame;
    setup.step = tsMesures->frameStep();
    setup.objects = t.objects;
    const QString problem =
        TrackingRun::setupProblem(setup, m_document->frameCount(), m_document->pictureSize());
    if (!problem.isEmpty()) {
        MessageSeam::showWarning(problem, this);
        endTracking();
        return;
    }
    t.firstFrame = setup.firstFrame;
    t.step = setup.step;
    // The centres shown are clicks by hand on the first frame, undone with the run.
    for (int i = 0; i < t.objects.size(); ++i)
        t.changes.push_back({t.firstFrame, i + 1, m_document->position(t.firstFrame, i + 1),
                             PointPosition{t.objects[i].centre, false}});
    m_document->applyPositions(t.changes, true);
    t.stage = TrackingStage::Running;
    showTrackingPrompt();
    showTrackingDecoration();
    TrackingWork::Handlers handlers;
    handlers.started = [this](int frames) { pnlSuivi->showRange(frames); };
    handlers.frameTracked = [this](const TrackedFrame& frame) { trackingFrameShown(frame); };
    handlers.doubtful = [this](const TrackingDoubt& doubt) { trackingDoubtful(doubt); };
    handlers.finished = [this](const RunEnd& end) { trackingFinished(end); };
    t.launch(setup, handlers);
}

void TForm1::showTrackedPicture(int frame, const QImage& picture) {
    if (!picture.isNull()) {
        // The run's picture is the upright frame at 100 %: shown at the
        // size the player would show it, without decoding it again.
        const QSize size = MediaPlayer1->displayRect().size();
        PaintBox1->setImage(picture.size() == size ? picture
                                                   : picture.scaled(size, Qt::IgnoreAspectRatio,
                                                                    Qt::SmoothTransformation));
    }
    currentFrame = frame;
    pnl1->showFrameNumber(frame + 1, MediaPlayer1->length());
    ShowTimeOriginMark();
}

void TForm1::showTrackingProgress(int frame) {
    // Last: the bar paints at once, and with it the frame and its marks.
    pnlSuivi->showDone((frame - m_tracking->firstFrame) / std::max(1, m_tracking->step));
}

void TForm1::trackingFrameShown(const TrackedFrame& frame) {
    TrackingWork& t = *m_tracking;
    if (t.stage == TrackingStage::Off || t.stage == TrackingStage::Choosing)
        return;
    showTrackedPicture(frame.frame, frame.picture);
    const std::vector<PositionChange> changes = trackedChanges(*m_document, frame);
    t.changes.insert(t.changes.end(), changes.begin(), changes.end());
    // Into the document at once, so that the marks and the table follow;
    // the whole run becomes one step of "Annuler" at its end.
    m_document->applyPositions(changes, true);
    Drawpoints();
    setTableRowsToCurrentFrame();
    showTrackingProgress(frame.frame);
}

void TForm1::trackingDoubtful(const TrackingDoubt& doubt) {
    TrackingWork& t = *m_tracking;
    if (t.stage == TrackingStage::Off || t.stage == TrackingStage::Choosing)
        return;
    t.stage = TrackingStage::Asking;
    t.doubt = doubt;
    t.placed.clear();
    showTrackedPicture(doubt.frame, doubt.picture);
    Drawpoints();
    setTableRowsToCurrentFrame();
    showTrackingPrompt();
    showTrackingDecoration();
    showTrackingProgress(doubt.frame);

    bool hasCandidate = false;
    for (const tracking::Match& m : doubt.matches)
        hasCandidate = hasCandidate || (!m.accepted() && m.hasCandidate());
    // Beside the picture, over the pages: the candidate stays in sight.
    TrackingDoubtDialog& dialog = *dialogs->trackingDoubtDialog;
    dialog.adjustSize();
    const QPoint corner = PageControl1->mapToGlobal(QPoint(0, 0));
    dialog.move(corner.x() + std::max(0, PageControl1->width() - dialog.width()) / 2,
                corner.y() + std::max(0, PageControl1->height() - dialog.height() - 20));
    const TrackingDoubtDialog::Choice choice =
        TrackingDoubtSeam::ask(dialog, {doubt.frame, doubt.text, hasCandidate});
    if (t.stage != TrackingStage::Asking)
        return; // ended while the question was on show
    switch (choice) {
    case TrackingDoubtDialog::Choice::AcceptCandidate:
        t.stage = TrackingStage::Running;
        t.call(&TrackingRun::acceptCandidates);
        break;
    case TrackingDoubtDialog::Choice::PlaceObject:
        // The next clicks on the picture show the objects in doubt.
        t.stage = TrackingStage::Placing;
        PaintBox1->setFocus();
        break;
    case TrackingDoubtDialog::Choice::SkipFrame:
        t.stage = TrackingStage::Running;
        t.call(&TrackingRun::skipFrame);
        break;
    case TrackingDoubtDialog::Choice::Stop:
        t.stage = TrackingStage::Running;
        t.requestStop();
        break;
    }
    showTrackingPrompt();
    showTrackingDecoration();
}

void TForm1::placeTrackedObject(QPointF centre) {
    TrackingWork& t = *m_tracking;
    t.placed.push_back(centre);
    QVector<QPointF> centres;
    int next = 0;
    for (const tracking::Match& m : t.doubt.matches) {
        if (m.accepted())
            centres.push_back(m.position);
        else if (next < t.placed.size())
            centres.push_back(t.placed[next++]);
        else {
            showTrackingPrompt(); // the next object in doubt
            return;
        }
    }
    t.stage = TrackingStage::Running;
    showTrackingPrompt();
    showTrackingDecoration();
    t.placeObjects(centres);
}

void TForm1::trackingFinished(const RunEnd& end) {
    TrackingWork& t = *m_tracking;
    std::vector<PositionChange> changes = std::move(t.changes);
    t.changes.clear();
    endTracking();
    if (end.reason == RunEnd::Reason::Failed && end.lastTracked < 0) {
        // Nothing was tracked: the centres shown go too.
        m_document->applyPositions(changes, false);
        changes.clear();
    }
    if (!changes.empty()) {
        // Already in the document: the command sets the same values again,
        // and its undo takes the whole run back.
        pushChange(new ChangePositions(m_document, QStringLiteral("le suivi automatique"),
                                       std::move(changes)));
    }
    // The frame reached, as the player shows it.
    reDraw(currentFrame);
    setTableRowsToCurrentFrame();
    if (end.reason == RunEnd::Reason::Failed && !end.message.isEmpty())
        MessageSeam::showError(end.message, this);
}

void TForm1::endTracking() {
    TrackingWork& t = *m_tracking;
    t.stage = TrackingStage::Off;
    t.endThread();
    t.pressed.reset();
    t.objects.clear();
    t.doubt = TrackingDoubt();
    PaintBox1->setDecoration({});
    lockForTracking(false);
    mnuSuiviAuto->setEnabled(clipOpen());
}

bool TForm1::escapeTracking() {
    TrackingWork& t = *m_tracking;
    switch (t.stage) {
    case TrackingStage::Off:
        return false;
    case TrackingStage::Choosing:
        // Nothing was recorded yet.
        t.changes.clear();
        endTracking();
        return true;
    case TrackingStage::Running:
    case TrackingStage::Asking:
    case TrackingStage::Placing:
        // What was tracked stays: the run says it has ended, then its
        // positions become one step.
        t.requestStop();
        showTrackingPrompt();
        return true;
    }
    return false;
}

} // namespace traxilo
