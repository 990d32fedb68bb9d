#include "app/main_window.h"

#include "app/clip_area.h"

#include "app/magnifier_panel.h"

#include "app/pages/measures_page.h"

#include "app/pages/calibration_page.h"

#include "app/hint_tracker.h"
#include "app/paint_box.h"
#include "app/up_down.h"
#include "document/document_commands.h"
#include "document/measurement_document.h"
#include "geometry/pixel_conversion.h"
#include "pointing/recording.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolBar>
#include <QToolButton>

namespace traxilo {

// A left click in pointing mode: the current point on the frame shown,
// then the automatic advance.
void TForm1::recordAt(QPointF pixel) {
    MeasurementDocument& d = *m_document;
    ClickContext context;
    context.pixel = pixel;
    context.picture = d.pictureSize();
    context.frameCount = d.frameCount();
    context.currentFrame = currentFrame;
    context.pointsPerFrame = d.pointsPerFrame();
    context.currentPoint = d.currentPoint();
    context.alreadyRecorded = bool(d.position(currentFrame, d.currentPoint()));
    context.autoH = tsMesures->autoH(); // read even while disabled
    context.autoV = tsMesures->autoV();
    context.step = tsMesures->frameStep();
    const RecordPlan plan = planRecording(context);
    if (!plan.recorded) {
        return;
    }
    // The new mark goes onto the layer as it is; an older mark of the same
    // point must vanish, which needs the whole layer again.
    m_drawingNewMark = plan.mark == MarkUpdate::DrawNewMark;
    pushChange(recordPosition(&d, plan.row - 1, plan.point, PointPosition{pixel}));
    m_drawingNewMark = false;
    if (plan.nextFrame) {
        mpPositionner(*plan.nextFrame);
        Drawpoints();
        if (plan.mark == MarkUpdate::DrawNewMark) {
            drawNewMark(plan.point, pixel);
        }
    } else if (plan.mark == MarkUpdate::Redraw) {
        reDraw(currentFrame);
    } else if (plan.mark == MarkUpdate::DrawNewMark) {
        drawNewMark(plan.point, pixel);
    }
    tsMesures->showRecordPlan(plan);
    if (plan.newPoint)
        d.setCurrentPoint(*plan.newPoint);
    tsMesures->refresh();
}

// The magnifier follows the pointer over the picture.
void TForm1::connectMagnifierSignals() {
    connect(loupeBtn, &QToolButton::clicked, loupePnl, &MagnifierPanel::toggle);
    connect(LoupePopupMnu, &QAction::triggered, loupePnl, &MagnifierPanel::toggle);
    connect(loupePnl, &MagnifierPanel::shownChanged, LoupePopupMnu, &QAction::setChecked);
}

// Refreshes the magnifier twice a second while it is shown: a playing clip
// or a redraw shows in it even while the mouse rests.
void TForm1::Timer3Timer() {
    if (loupePnl->isVisible()) {
        loupePnl->showAround(PaintBox1->image(), lastMousePos);
    }
}

// Mouse events of the pointing surface PaintBox1, in surface pixels.

void TForm1::PaintBox1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                QPoint pos) {
    Q_UNUSED(button);
    Q_UNUSED(modifiers);
    Q_UNUSED(pos);
}

void TForm1::PaintBox1MouseMove(Qt::KeyboardModifiers modifiers, QPoint pos) {
    Q_UNUSED(modifiers);
    if (!clipOpen()) {
        return;
    }
    lastMousePos = pos;
    m_pointerSeen = true;
    showPointerReadouts();
    if (loupePnl->isVisible()) {
        loupePnl->showAround(PaintBox1->image(), pos);
    }
}

void TForm1::PaintBox1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos) {
    Q_UNUSED(modifiers);
    if (!clipOpen() || !insideDisplayedPicture(pos.x(), pos.y(), displaySize.displayWidth,
                                               displaySize.displayHeight)) {
        return;
    }
    if (button == Qt::LeftButton) {
        // Converted once: every position is kept in pixels of the picture at 100 %.
        const QPointF pixel = toPicturePixel(pos, displaySize.displayFactor);
        if (tsEtalon->originMode()) {
            originClick(pixel);
        } else if (tsEtalon->scaleMode()) {
            scalePointClick(pixel);
        } else {
            recordAt(pixel);
        }
    } else if (button == Qt::RightButton) {
        searchPointsAt(pos);
    }
}

void TForm1::showPointerReadouts() {
    // The pointer's last position read in the frame as it is now: after an
    // origin, a scale or an undone change, not as it was when it moved.
    if (!clipOpen() || !m_pointerSeen) {
        return;
    }
    const QPointF pixel = toPicturePixel(lastMousePos, displaySize.displayFactor);
    const PointerReadouts readouts =
        pointerReadouts(calibration(), pixel.x(), pixel.y(), xyDigits());
    pnl1->showReadouts(readouts);
}

void TForm1::tbCoordMouseMove() {
    if (!clipOpen()) {
        return;
    }
    pnl1->setCoordinateHint(tsEtalon->coordinateHint());
}

} // namespace traxilo
