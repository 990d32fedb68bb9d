#pragma once

#include "app/graphs/graph_widget.h"

#include <QWidget>

namespace traxilo {

class MeasurementDocument;

// What the graphs show of the document: every point's kinematics from the
// time origin on, the direction of y (the sign of g), the ruler of the scale
// (the uncertainty it gives g) and the way lengths and times are written.
GraphData graphDataFor(const MeasurementDocument& document);

// The "Graphes" page, beside "Mesures": the graphs of the document. It reads
// the document again when it changes, at once while the page is on show and
// otherwise when it comes on show. A click on a plotted point asks the window
// for its frame; the window tells it the frame shown, for the cursor.
class GraphsPage : public QWidget {
    Q_OBJECT
public:
    explicit GraphsPage(const MeasurementDocument& document, QWidget* parent = nullptr);

public slots:
    void setCurrentFrame(int frame);

signals:
    void frameClicked(int frame);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void documentChanged();
    void refresh();

    const MeasurementDocument& m_document;
    GraphWidget* m_graph = nullptr;
    bool m_stale = true;
};

} // namespace traxilo
