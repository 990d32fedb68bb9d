#include "app/pages/graphs_page.h"

#include "app/widget_style.h"
#include "document/measurement_document.h"
#include "export/document_kinematics.h"

#include <QVBoxLayout>

namespace traxilo {

GraphData graphDataFor(const MeasurementDocument& document) {
    GraphData data;
    data.points = readKinematics(document);
    data.yUp = document.calibration().signY > 0;
    data.metres = document.calibration().scaleDefined;
    data.rulerPixels = scaleRulerPixels(document);
    data.xyDigits = document.xyDigits();
    if (const QString pattern = document.tFormat(); !pattern.isEmpty())
        data.timePattern = pattern;
    return data;
}

GraphsPage::GraphsPage(const MeasurementDocument& document, QWidget* parent)
    : QWidget(parent), m_document(document) {
    setObjectName(QStringLiteral("tsGraphes"));
    m_graph = new GraphWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_graph);
    connect(m_graph, &GraphWidget::frameClicked, this, &GraphsPage::frameClicked);

    // What the graphs are made of; the styles and the current point are not.
    const MeasurementDocument* d = &document;
    connect(d, &MeasurementDocument::clipOpened, this, &GraphsPage::documentChanged);
    connect(d, &MeasurementDocument::positionsChanged, this, &GraphsPage::documentChanged);
    connect(d, &MeasurementDocument::calibrationChanged, this, &GraphsPage::documentChanged);
    connect(d, &MeasurementDocument::timeOriginChanged, this, &GraphsPage::documentChanged);
    connect(d, &MeasurementDocument::timesChanged, this, &GraphsPage::documentChanged);
    connect(d, &MeasurementDocument::pointsPerFrameChanged, this, &GraphsPage::documentChanged);
    connect(d, &MeasurementDocument::xyDigitsChanged, this, &GraphsPage::documentChanged);
}

void GraphsPage::setCurrentFrame(int frame) {
    m_graph->setCurrentFrame(frame);
}

void GraphsPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_stale)
        refresh();
}

void GraphsPage::documentChanged() {
    // A hidden page is read again when it comes on show, not at every click
    // on the picture.
    m_stale = true;
    if (isVisible())
        refresh();
}

void GraphsPage::refresh() {
    m_stale = false;
    m_graph->setData(graphDataFor(m_document));
}

} // namespace traxilo
