#include "app/main_window.h"

#include "app/clip_area.h"

#include "app/message_seam.h"
#include "app/pages/calibration_page.h"
#include "app/pages/measures_page.h"
#include "app/paint_box.h"
#include "document/document_commands.h"
#include "document/measurement_document.h"

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QShortcut>
#include <QTabWidget>
#include <QToolButton>

namespace traxilo {

namespace {

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

// The "Mesures" page shows the document and says what the user chose on it;
// the window decides what changes and pushes the commands. The menus are
// made after the pages.
void TForm1::connectMeasureSignals() {
    MeasuresPage* page = tsMesures;
    connect(page, &MeasuresPage::cellChosen, this, &TForm1::StringGrid1Click);
    connect(page, &MeasuresPage::clearing, this, [this](const PointRange& range) {
        saveRecoveryNow(); // what is about to go stays in the automatic copy
        if (QUndoCommand* clear = clearPositions(m_document, range.firstFrame, range.lastFrame,
                                                 range.firstPoint, range.lastPoint)) {
            pushChange(clear);
        }
    });
    connect(page, &MeasuresPage::timeDecimalsChosen, this, [this](int decimals) {
        if (clipOpen())
            m_document->setTimeDecimals(decimals);
    });
    connect(page, &MeasuresPage::xyDigitsChosen, this, [this](int digits) {
        if (!clipOpen())
            return;
        m_document->setXyDigits(digits);
        tsEtalon->reformatDistance(digits);
    });
    connect(page, &MeasuresPage::pointsPerFrameChosen, this, [this](int n) {
        if (!keepFewerPoints(n)) {
            tsMesures->showPointsPerFrame(); // the up-down goes back
            return;
        }
        pushChange(new ChangePointsPerFrame(m_document, n));
        // The table moves to the last point's column, which makes it current.
        tsMesures->selectPoint(n);
    });
    connect(page, &MeasuresPage::currentPointChosen, m_document,
            &MeasurementDocument::setCurrentPoint);
    connect(page, &MeasuresPage::timeOriginChosen, this,
            [this](int frame) { pushChange(new SetTimeOrigin(m_document, frame)); });
    connect(page, &MeasuresPage::stylesChosen, this,
            [this](const QString& what, const PointStyles& styles) {
                if (clipOpen())
                    pushChange(new ChangeStyles(m_document, what, styles, markSize()));
            });
    connect(page, &MeasuresPage::axesColourClicked, this, &TForm1::CouleurAxesExecute);
    connect(page, &MeasuresPage::pointAspectClicked, this, &TForm1::bbtnCouleurPointClick);
    // The box and the menu item of each automatic advance say the same.
    connect(page, &MeasuresPage::autoHClicked, mnuAutoH, &QAction::setChecked);
    connect(page, &MeasuresPage::autoVClicked, mnuAutoV, &QAction::setChecked);
    connect(mnuAutoH, &QAction::triggered, page, &MeasuresPage::setAutoH);
    connect(mnuAutoV, &QAction::triggered, page, &MeasuresPage::setAutoV);
    // Button1 is the window's cancel button while the "Mesures" tab is shown.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        if (escapeTracking())
            return;
        if (PageControl1->currentWidget() == tsMesures) {
            tsMesures->pressCancel();
        }
    });
}

int TForm1::xyDigits() const {
    return m_document->xyDigits();
}

bool TForm1::tableauOccupe() const {
    return clipOpen() && m_document->hasPositions();
}

void TForm1::OptTraitt(bool enable) {
    for (const QString& name : kProcessingCommands) {
        setEnabledByName(this, name, enable);
    }
}

void TForm1::StringGrid1Click(int col, int row) {
    if (!clipOpen()) {
        return;
    }
    // The point of the column chosen becomes current; the row's frame is shown.
    m_document->setCurrentPoint((col + 1) / 2);
    const int frame = row - 1;
    // The frame on show needs no new showing (a step of no frame).
    if (frame >= 0 && frame < ClipInfo.frameCount && frame != currentFrame) {
        mpPositionner(frame);
    }
    Drawpoints();
    tsMesures->refresh();
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

// ---- What opening a clip does to the measurement side ----

void TForm1::layoutTablesForClip() {
    tsMesures->showNewClip();
    mnuAutoH->setEnabled(false);
    bbtnCible->setEnabled(true);
    setSurfaceCursor(pointStyle.cursorNumber());
    mnuPointages->menuAction()->setEnabled(true);
    popUpMnuPointeur->setEnabled(true);
    marksChanged();
}

void TForm1::enableMeasurementForClip() {
    // The position markers of the scale points.
    moveScaleIndicators();
    pnl1->showScaleMarkers();
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
    tsMesures->showFrameRow(currentFrame);
}

} // namespace traxilo
