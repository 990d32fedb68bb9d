#pragma once

#include "analysis/curve_fit.h"
#include "analysis/kinematics.h"
#include "app/graphs/plot_painter.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPainter;
class QPushButton;
class QToolButton;

namespace traxilo {

class PlotCanvas;

// Everything the graphs show, as plain numbers: the window passes the
// document's values, computeKinematics makes the series.
struct GraphData {
    std::vector<PointKinematics> points; // one per point of a frame
    bool yUp = true;                     // y grows upwards: g = −2a, else 2a
    bool metres = true; // lengths in metres; in picture pixels before the scale is set
    // Length in picture pixels of the ruler clicked for the scale, when the
    // user set one: the uncertainty it gives g is shown beside g.
    std::optional<double> rulerPixels;
    int xyDigits = 3;                              // significant digits of lengths in the tooltips
    QString timePattern = QStringLiteral("0.000"); // of times in the tooltips
};

// A quantity of a point, as chosen in the graph's lists.
struct GraphChoice {
    Quantity quantity = Quantity::T;
    int point = 0;
};

// The "Graphes" page: one or two ordinates against an abscissa, linked to the
// clip (a click on a marker names its frame; a cursor follows the frame
// shown), and "Modéliser": a model fitted over the whole curve or a range
// dragged across the plot, with its parameters, their uncertainties and the
// residuals. Drawn with QPainter, so the same picture goes to the screen,
// the clipboard, PNG, PDF and the printer.
class GraphWidget : public QWidget {
    Q_OBJECT
public:
    explicit GraphWidget(QWidget* parent = nullptr);

    void setData(GraphData data);

    GraphChoice abscissa() const;
    std::vector<GraphChoice> ordinates() const; // one or two
    void setAbscissa(GraphChoice choice);
    void setOrdinates(GraphChoice first, std::optional<GraphChoice> second);

    int plottedPointCount() const; // markers of every ordinate
    const FitResult* fit() const;  // the model shown, if any
    QString resultText() const;    // what the results panel says

    // The graph, its residuals and the results in `target`, on any paint
    // device; the proportions follow the target.
    void render(QPainter& painter, const QRectF& target) const;
    QImage renderImage(QSize size) const;

public slots:
    void setCurrentFrame(int frame); // the cursor and the ringed markers
    void fitModel();                 // "Modéliser" with the model chosen
    void clearModel();
    void useWholeRange();
    void copyToClipboard();
    void saveAsPng();
    void saveAsPdf();

signals:
    void frameClicked(int frame);

private:
    struct Curve {
        GraphChoice choice;
        std::vector<PlotPoint> points;
    };

    void rebuildChoices();
    void choicesChanged(bool abscissaChanged);
    void rebuildCurves();
    void refit();
    void refreshPlots();
    void refreshResults();
    void showTooltip(bool residuals, int set, int index, QPoint globalPos);
    void rangeDragged(double from, double to);
    QString choiceName(GraphChoice choice) const;
    QString choiceLabel(GraphChoice choice) const;
    QString valueText(Quantity quantity, double value) const;
    PlotContent mainContent() const;
    PlotContent residualContent(const PlotContent& main) const;
    QStringList resultLines() const;
    int fittedCurve() const;

    GraphData m_data;
    int m_pointCount = 0;
    std::vector<Curve> m_curves;
    std::optional<std::pair<double, double>> m_range;
    std::optional<FitModel> m_model; // a model is shown
    int m_modelCurve = 0;
    FitResult m_fit;
    std::vector<PlotPoint> m_fitted; // the points the model was fitted on
    int m_currentFrame = -1;
    bool m_updating = false;

    QComboBox* m_ordinate1 = nullptr;
    QComboBox* m_ordinate2 = nullptr;
    QComboBox* m_abscissa = nullptr;
    PlotCanvas* m_plot = nullptr;
    PlotCanvas* m_residuals = nullptr;
    QComboBox* m_modelChoice = nullptr;
    QComboBox* m_curveChoice = nullptr;
    QPushButton* m_fitButton = nullptr;
    QPushButton* m_clearButton = nullptr;
    QPushButton* m_wholeRange = nullptr;
    QLabel* m_results = nullptr;
    QToolButton* m_copy = nullptr;
    QToolButton* m_png = nullptr;
    QToolButton* m_pdf = nullptr;
};

} // namespace traxilo
