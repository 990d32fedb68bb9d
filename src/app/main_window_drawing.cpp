#include "app/main_window.h"

#include "app/pages/calibration_page.h"

#include "app/color_dialog_seam.h"
#include "app/paint_box.h"
#include "app/tool_icons.h"
#include "app/up_down.h"
#include "document/document_commands.h"
#include "document/measurement_document.h"
#include "pointing/drawing.h"
#include "pointing/style_table.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

namespace traxilo {

DrawOptions TForm1::drawOptions() const {
    DrawOptions options;
    options.displayWidth = displaySize.displayWidth;
    options.displayHeight = displaySize.displayHeight;
    options.displayFactor = displaySize.displayFactor;
    options.markSize = markSize();
    options.withScaleSegment = m_scaleSegmentShown;
    options.firstScalePointChecked = tsEtalon && tsEtalon->firstScalePoint();
    options.outlined = true; // a white mark must show on a light picture too
    return options;
}

// Marks live on a cached transparent layer: drawing every mark of a long
// trajectory costs tens of milliseconds, laying the layer over a frame one
// or two. The layer is rebuilt only after marksChanged.

void TForm1::marksChanged() {
    m_marksValid = false;
}

void TForm1::reDraw(int frame) {
    if (!clipOpen() || frame < 0) {
        return;
    }
    marksChanged();
    // Showing the frame replaces the surface image: the marks are gone.
    mpPositionner(frame);
    Drawpoints();
}

void TForm1::Drawpoints() {
    if (!clipOpen()) {
        return;
    }
    QImage& surface = PaintBox1->image();
    if (surface.isNull()) {
        return;
    }
    const bool alreadyMarked = surface.cacheKey() == m_markedKey;
    if (alreadyMarked && m_marksValid) {
        return; // nothing changed since the marks were laid on this frame
    }
    if (alreadyMarked && m_cleanFrame.size() == surface.size()) {
        surface = m_cleanFrame; // the frame was not shown anew: start from it unmarked
    } else {
        if (surface.format() != QImage::Format_RGB32 &&
            surface.format() != QImage::Format_ARGB32_Premultiplied) {
            surface = surface.convertToFormat(QImage::Format_RGB32);
        }
        m_cleanFrame = surface; // shared until the marks are painted
    }
    if (!m_marksValid || m_marks.size() != surface.size()) {
        m_marks = renderOverlay(surface.size(), m_document->marks(), m_document->styles(),
                                calibration(), drawOptions());
        m_marksValid = true;
    }
    compositeOverlay(surface, m_marks);
    m_markedKey = surface.cacheKey();
    PaintBox1->update();
}

int TForm1::markSize() const {
    return m_document->markSize();
}

void TForm1::drawNewMark(int point, QPointF pixel) {
    if (!clipOpen()) {
        return;
    }
    const QPoint shown = toDisplayPixel(pixel, displaySize.displayFactor);
    const int x = shown.x();
    const int y = shown.y();
    const MarkStyle style = m_document->styles().point(point);
    QRect box; // what the mark changed on the layer
    if (m_marksValid && style.drawn) {
        box = addOutlinedMark(m_marks, style.colour, markSize(), x, y, style.shape);
    }
    // A frame shown without its marks gets them all first.
    Drawpoints();
    QImage& surface = PaintBox1->image();
    if (surface.isNull()) {
        return;
    }
    {
        QPainter painter(&surface);
        if (!box.isEmpty()) {
            painter.drawImage(box.topLeft(), m_marks, box); // as the layer has it, edge included
        } else {
            DrawMark(painter, style.colour, markSize(), x, y, style.shape);
        }
    }
    m_markedKey = surface.cacheKey();
    PaintBox1->update();
}

void TForm1::drawScaleSegmentNow() {
    // The segment is part of the layer while scale editing is on.
    marksChanged();
    Drawpoints();
}

void TForm1::CouleurAxesExecute() {
    if (!clipOpen()) {
        return;
    }
    const QColor current = m_document->styles().axes.colour;
    if (const std::optional<QColor> colour = ColorDialogSeam::getColor(current, this)) {
        PointStyles styles = m_document->styles();
        styles.axes.colour = *colour;
        if (!(styles == m_document->styles()))
            pushChange(new ChangeStyles(m_document, QStringLiteral("la couleur des axes"), styles,
                                        m_document->markSize()));
    }
    reDraw(currentFrame); // also after Cancel
}

// What the window shows of the styles, after they changed.
void TForm1::showStyles() {
    const int r = m_document->markSize();
    mnuTaille[r]->setChecked(true);
    lblTaillePoints->setText(QString::number(r + 1));
    udTaillePoints->setPosition(r);
    marksChanged();
    reDraw(currentFrame);
}

} // namespace traxilo
