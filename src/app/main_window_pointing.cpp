#include "app/main_window.h"

#include "app/hint_tracker.h"
#include "app/paint_box.h"
#include "app/up_down.h"
#include "geometry/pixel_conversion.h"
#include "pointing/recording.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolBar>

namespace traxilo {

namespace {

// A left click in pointing mode: the current point on the frame shown,
// then the automatic advance.
void recordAt(TForm1& w, QPoint pos) {
    ClickContext context;
    context.X = pos.x();
    context.Y = pos.y();
    context.displayWidth = w.displaySize.displayWidth;
    context.displayHeight = w.displaySize.displayHeight;
    context.currentFrame = w.currentFrame;
    context.autoH = w.chkBoxAutoH->isChecked(); // read even while disabled
    context.autoV = w.chkBoxAutoV->isChecked();
    context.step = w.frameStep();
    const RecordPlan plan = recordPoint(w.tables, w.Calibration, context);
    if (!plan.recorded) {
        return;
    }
    if (plan.refilled) {
        // The old mark of this point must vanish.
        w.marksChanged();
    }
    if (plan.nextFrame) {
        w.mpPositionner(*plan.nextFrame);
        w.Drawpoints();
        if (plan.mark == MarkUpdate::DrawNewMark) {
            w.drawNewMark(plan.point, pos.x(), pos.y());
        }
    } else if (plan.mark == MarkUpdate::Redraw) {
        w.reDraw(w.currentFrame);
    } else if (plan.mark == MarkUpdate::DrawNewMark) {
        w.drawNewMark(plan.point, pos.x(), pos.y());
    }
    applyRecordPlan(w.tables, plan);
    w.ChgPointNumero(w.tables.currentPoint());
    w.refreshTables();
}

} // namespace

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
    refreshCoordinateLine();
    if (loupePnl->isVisible()) {
        loupe(pos.x(), pos.y());
    }
}

void TForm1::refreshCoordinateLine() {
    // The pointer's last position read in the frame as it is now: after an
    // origin, a scale or an undone change, not as it was when it moved.
    if (!clipOpen() || !m_pointerSeen) {
        return;
    }
    const PointerReadouts readouts =
        pointerReadouts(Calibration, lastMousePos.x(), lastMousePos.y(), xyDigits());
    lblXPixels->setText(readouts.xPixels);
    lblYPixels->setText(readouts.yPixels);
    lblXMetres->setText(readouts.xMetres);
    lblYMetres->setText(readouts.yMetres);
}

void TForm1::PaintBox1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos) {
    Q_UNUSED(modifiers);
    if (!clipOpen() || !insideDisplayedPicture(pos.x(), pos.y(), displaySize.displayWidth,
                                               displaySize.displayHeight)) {
        return;
    }
    if (button == Qt::LeftButton) {
        if (rbChxOrig->isChecked()) {
            recordChange(QStringLiteral("l'origine des axes"), [&] { originClick(pos); });
        } else if (rbEtalonSimu->isChecked()) {
            recordChange(QStringLiteral("le point d'étalonnage"), [&] { scalePointClick(pos); });
        } else {
            recordChange(QStringLiteral("le pointage"), [&] { recordAt(*this, pos); });
        }
    } else if (button == Qt::RightButton) {
        searchPointsAt(pos);
    }
}

void TForm1::tbCoordMouseMove() {
    if (!clipOpen()) {
        return;
    }
    HintTracker::setHint(tbCoord, coordinateHint(lblSHori->text(), lblSVert->text()));
}

} // namespace traxilo
