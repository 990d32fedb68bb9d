#include "app/graphs/graph_widget.h"

#include "analysis/fit_text.h"
#include "app/file_dialog_seam.h"
#include "app/graphs/plot_canvas.h"
#include "app/message_seam.h"
#include "app/tool_icons.h"
#include "app/widget_style.h"
#include "common/number_format.h"
#include "export/file_output.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace traxilo {

namespace {

const QColor kCurveColours[2] = {QColor(0, 80, 200), QColor(210, 80, 0)};
const QColor kModelColour(0, 130, 0);
const QColor kErrorColour(190, 0, 0);
constexpr int kNoChoice = -1;
constexpr int kResidualHeight = 80;
// Pictures for the clipboard and PNG files; PDF pages get their own size.
const QSize kPictureSize(1200, 900);
// Everything exported is laid out at this width, then scaled to the target.
constexpr double kLayoutWidth = 800;

int encode(GraphChoice choice) {
    return choice.point * kQuantityCount + int(choice.quantity);
}

GraphChoice decode(int code) {
    return {Quantity(code % kQuantityCount), code / kQuantityCount};
}

const Series* seriesOf(const GraphData& data, GraphChoice choice) {
    if (choice.point < 0 || choice.point >= int(data.points.size()))
        return nullptr;
    return &data.points[choice.point][choice.quantity];
}

// Samples enough for a smooth curve, a sine's many periods included.
std::vector<QPointF> modelCurve(const FitResult& fit, double from, double to) {
    int samples = 300;
    if (fit.model == FitModel::Sine || fit.model == FitModel::DampedSine) {
        const double omega = fit.parameters[fit.model == FitModel::Sine ? 1 : 2];
        samples = std::clamp(int(20 * omega * (to - from) / (2 * std::numbers::pi)), 300, 4000);
    }
    std::vector<QPointF> points;
    points.reserve(samples + 1);
    for (int i = 0; i <= samples; ++i) {
        const double x = from + (to - from) * i / samples;
        points.emplace_back(x, fit.valueAt(x));
    }
    return points;
}

} // namespace

GraphWidget::GraphWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("GraphWidget"));

    m_ordinate1 = named(new QComboBox(this), "cbOrdonnee1");
    m_ordinate2 = named(new QComboBox(this), "cbOrdonnee2");
    m_abscissa = named(new QComboBox(this), "cbAbscisse");
    for (QComboBox* box : {m_ordinate1, m_ordinate2, m_abscissa})
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_ordinate1->setToolTip(QStringLiteral("Grandeur portée en ordonnée"));
    m_ordinate2->setToolTip(QStringLiteral("Seconde grandeur en ordonnée (facultative)"));
    m_abscissa->setToolTip(QStringLiteral("Grandeur portée en abscisse"));

    m_plot = named(new PlotCanvas(this), "grapheCourbes");
    m_plot->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_residuals = named(new PlotCanvas(this), "grapheResidus");
    m_residuals->setFixedHeight(kResidualHeight);
    m_residuals->hide();

    m_modelChoice = named(new QComboBox(this), "cbModele");
    for (int m = 0; m < kFitModelCount; ++m)
        m_modelChoice->addItem(fitModelName(FitModel(m)), m);
    m_modelChoice->setCurrentIndex(int(FitModel::Parabola));
    m_curveChoice = named(new QComboBox(this), "cbCourbeModelisee");
    m_curveChoice->setToolTip(QStringLiteral("Courbe à modéliser"));
    m_curveChoice->hide();
    m_fitButton = named(new QPushButton(QStringLiteral("Modéliser"), this), "btnModeliser");
    m_fitButton->setToolTip(QStringLiteral(
        "Ajuste le modèle choisi à la courbe, sur la plage choisie en glissant sur le graphe"));
    m_clearButton = named(new QPushButton(QStringLiteral("Effacer"), this), "btnEffacerModele");
    m_clearButton->setToolTip(QStringLiteral("Retire le modèle du graphe"));
    m_wholeRange = named(new QPushButton(QStringLiteral("Toute la plage"), this), "btnToutePlage");
    m_wholeRange->setToolTip(QStringLiteral("Modélise sur tous les points"));

    m_results = named(new QLabel(this), "lblModele");
    m_results->setWordWrap(true);
    m_results->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_results->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto toolButton = [this](const char* name, const QString& text, const QString& tip) {
        auto* button = named(new QToolButton(this), name);
        button->setText(text);
        button->setToolTip(tip);
        button->setFocusPolicy(Qt::NoFocus);
        return button;
    };
    m_copy = toolButton("btnCopierGraphe", QStringLiteral("Copier"),
                        QStringLiteral("Copie le graphe dans le presse-papiers"));
    m_copy->setIcon(toolIcon(ToolIcon::CopyGraph));
    m_copy->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_png = toolButton("btnGraphePNG", QStringLiteral("PNG..."),
                       QStringLiteral("Enregistre le graphe en image PNG"));
    m_pdf = toolButton("btnGraphePDF", QStringLiteral("PDF..."),
                       QStringLiteral("Enregistre le graphe en document PDF"));

    // Narrow enough for the page beside "Mesures" (about 410 pixels).
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    auto* choices = new QHBoxLayout;
    choices->addWidget(m_ordinate1);
    choices->addWidget(m_ordinate2);
    choices->addWidget(new QLabel(QStringLiteral("selon"), this));
    choices->addWidget(m_abscissa);
    choices->addStretch();
    layout->addLayout(choices);
    layout->addWidget(m_plot, 1);
    layout->addWidget(m_residuals);
    auto* model = new QHBoxLayout;
    model->addWidget(m_modelChoice);
    model->addWidget(m_curveChoice);
    model->addWidget(m_fitButton);
    model->addWidget(m_clearButton);
    model->addStretch();
    layout->addLayout(model);
    layout->addWidget(m_results);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_wholeRange);
    bottom->addStretch();
    bottom->addWidget(m_copy);
    bottom->addWidget(m_png);
    bottom->addWidget(m_pdf);
    layout->addLayout(bottom);

    connect(m_abscissa, &QComboBox::currentIndexChanged, this, [this] { choicesChanged(true); });
    connect(m_ordinate1, &QComboBox::currentIndexChanged, this, [this] { choicesChanged(false); });
    connect(m_ordinate2, &QComboBox::currentIndexChanged, this, [this] { choicesChanged(false); });
    connect(m_curveChoice, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_updating && m_model)
            fitModel();
    });
    connect(m_fitButton, &QPushButton::clicked, this, &GraphWidget::fitModel);
    connect(m_clearButton, &QPushButton::clicked, this, &GraphWidget::clearModel);
    connect(m_wholeRange, &QPushButton::clicked, this, &GraphWidget::useWholeRange);
    connect(m_copy, &QToolButton::clicked, this, &GraphWidget::copyToClipboard);
    connect(m_png, &QToolButton::clicked, this, &GraphWidget::saveAsPng);
    connect(m_pdf, &QToolButton::clicked, this, &GraphWidget::saveAsPdf);
    for (PlotCanvas* canvas : {m_plot, m_residuals}) {
        const bool residuals = canvas == m_residuals;
        connect(canvas, &PlotCanvas::markerClicked, this, [this, canvas](int set, int index) {
            emit frameClicked(canvas->content().markers[set].frames[index]);
        });
        connect(canvas, &PlotCanvas::markerHovered, this,
                [this, residuals](int set, int index, QPoint pos) {
                    showTooltip(residuals, set, index, pos);
                });
        connect(canvas, &PlotCanvas::rangeDragged, this, &GraphWidget::rangeDragged);
    }

    rebuildChoices();
    refreshPlots();
    refreshResults();
}

void GraphWidget::setData(GraphData data) {
    const bool newPoints = int(data.points.size()) != m_pointCount || data.metres != m_data.metres;
    m_data = std::move(data);
    if (newPoints)
        rebuildChoices(); // rebuilds the curves as the choices change
    rebuildCurves();
    refit();
    refreshPlots();
    refreshResults();
}

void GraphWidget::rebuildChoices() {
    const int points = std::max(1, int(m_data.points.size()));
    const GraphChoice oldAbscissa = abscissa();
    const std::vector<GraphChoice> oldOrdinates = ordinates();
    const bool first = m_abscissa->count() == 0;
    m_pointCount = int(m_data.points.size());

    m_updating = true;
    m_abscissa->clear();
    m_ordinate1->clear();
    m_ordinate2->clear();
    m_ordinate2->addItem(QStringLiteral("(aucune)"), kNoChoice);
    m_abscissa->addItem(quantityLabel(Quantity::T, 0, points, m_data.metres),
                        encode({Quantity::T, 0}));
    for (int p = 0; p < points; ++p)
        for (int q = 1; q < kQuantityCount; ++q) {
            const GraphChoice choice{Quantity(q), p};
            const QString label = quantityLabel(choice.quantity, p, points, m_data.metres);
            m_abscissa->addItem(label, encode(choice));
            m_ordinate1->addItem(label, encode(choice));
            m_ordinate2->addItem(label, encode(choice));
        }
    m_updating = false;

    if (first) {
        setAbscissa({Quantity::T, 0});
        setOrdinates({Quantity::Y, 0}, std::nullopt);
    } else {
        setAbscissa(oldAbscissa);
        setOrdinates(oldOrdinates.front(), oldOrdinates.size() > 1
                                               ? std::optional<GraphChoice>(oldOrdinates[1])
                                               : std::nullopt);
    }
}

GraphChoice GraphWidget::abscissa() const {
    const QVariant code = m_abscissa->currentData();
    return code.isValid() ? decode(code.toInt()) : GraphChoice{Quantity::T, 0};
}

std::vector<GraphChoice> GraphWidget::ordinates() const {
    std::vector<GraphChoice> list;
    const QVariant first = m_ordinate1->currentData();
    list.push_back(first.isValid() ? decode(first.toInt()) : GraphChoice{Quantity::Y, 0});
    const QVariant second = m_ordinate2->currentData();
    if (second.isValid() && second.toInt() != kNoChoice)
        list.push_back(decode(second.toInt()));
    return list;
}

void GraphWidget::setAbscissa(GraphChoice choice) {
    const int index = m_abscissa->findData(encode(choice));
    m_abscissa->setCurrentIndex(index >= 0 ? index : 0);
}

void GraphWidget::setOrdinates(GraphChoice first, std::optional<GraphChoice> second) {
    m_updating = true; // one change, not two
    const int a = m_ordinate1->findData(encode(first));
    m_ordinate1->setCurrentIndex(a >= 0 ? a : std::min(1, m_ordinate1->count() - 1));
    const int b = second ? m_ordinate2->findData(encode(*second)) : 0;
    m_ordinate2->setCurrentIndex(b >= 0 ? b : 0);
    m_updating = false;
    choicesChanged(false);
}

void GraphWidget::choicesChanged(bool abscissaChanged) {
    if (m_updating)
        return;
    // A model belongs to one curve against one abscissa; a range is in
    // units of the abscissa.
    if (abscissaChanged)
        m_range.reset();
    m_model.reset();
    m_updating = true;
    m_curveChoice->clear();
    for (const GraphChoice& choice : ordinates())
        m_curveChoice->addItem(choiceName(choice));
    m_curveChoice->setVisible(m_curveChoice->count() > 1);
    m_updating = false;
    rebuildCurves();
    refit();
    refreshPlots();
    refreshResults();
}

void GraphWidget::rebuildCurves() {
    m_curves.clear();
    const Series* x = seriesOf(m_data, abscissa());
    for (const GraphChoice& choice : ordinates()) {
        Curve curve;
        curve.choice = choice;
        if (const Series* y = seriesOf(m_data, choice); x && y)
            curve.points = pairSeries(*x, *y);
        m_curves.push_back(std::move(curve));
    }
}

int GraphWidget::fittedCurve() const {
    return std::clamp(m_curveChoice->currentIndex(), 0, std::max(0, int(m_curves.size()) - 1));
}

void GraphWidget::fitModel() {
    m_model = FitModel(m_modelChoice->currentData().toInt());
    m_modelCurve = fittedCurve();
    refit();
    refreshPlots();
    refreshResults();
}

void GraphWidget::clearModel() {
    m_model.reset();
    refit();
    refreshPlots();
    refreshResults();
}

void GraphWidget::useWholeRange() {
    m_range.reset();
    refit();
    refreshPlots();
    refreshResults();
}

void GraphWidget::rangeDragged(double from, double to) {
    m_range = std::make_pair(from, to);
    refit();
    refreshPlots();
    refreshResults();
}

void GraphWidget::refit() {
    m_fit = FitResult();
    m_fitted.clear();
    if (!m_model || m_modelCurve >= int(m_curves.size()))
        return;
    std::vector<double> x;
    std::vector<double> y;
    for (const PlotPoint& p : m_curves[m_modelCurve].points)
        if (!m_range || (p.x >= m_range->first && p.x <= m_range->second)) {
            m_fitted.push_back(p);
            x.push_back(p.x);
            y.push_back(p.y);
        }
    m_fit = fitCurve(*m_model, x, y);
}

void GraphWidget::setCurrentFrame(int frame) {
    m_currentFrame = frame;
    refreshPlots();
}

int GraphWidget::plottedPointCount() const {
    int count = 0;
    for (const Curve& curve : m_curves)
        count += int(curve.points.size());
    return count;
}

const FitResult* GraphWidget::fit() const {
    return m_model && m_fit.ok() ? &m_fit : nullptr;
}

QString GraphWidget::resultText() const {
    return m_results->text();
}

QString GraphWidget::choiceName(GraphChoice choice) const {
    return quantityName(choice.quantity, choice.point, std::max(1, m_pointCount));
}

QString GraphWidget::choiceLabel(GraphChoice choice) const {
    return quantityLabel(choice.quantity, choice.point, std::max(1, m_pointCount), m_data.metres);
}

QString GraphWidget::valueText(Quantity quantity, double value) const {
    if (quantity == Quantity::T) {
        const QString t = FormatTime(m_data.timePattern, value);
        return (t.isEmpty() ? FormatFixed(3, value) : t) + QStringLiteral(" s");
    }
    return FormatSci(std::max(0, m_data.xyDigits - 1), value).trimmed() + QLatin1Char(' ') +
           quantityUnit(quantity, m_data.metres).text();
}

PlotContent GraphWidget::mainContent() const {
    PlotContent content;
    const GraphChoice x = abscissa();
    content.xTitle = choiceLabel(x);
    content.emptyText = QStringLiteral("Aucune mesure à tracer");
    // Two ordinates share the left scale when they have the same unit.
    const PhysicalUnit firstUnit =
        m_curves.empty() ? PhysicalUnit()
                         : quantityUnit(m_curves.front().choice.quantity, m_data.metres);
    QStringList leftNames;
    for (int c = 0; c < int(m_curves.size()); ++c) {
        const Curve& curve = m_curves[c];
        PlotMarkers markers;
        markers.colour = kCurveColours[c % 2];
        markers.axis = quantityUnit(curve.choice.quantity, m_data.metres) == firstUnit ? 0 : 1;
        markers.points.reserve(curve.points.size());
        markers.frames.reserve(curve.points.size());
        for (const PlotPoint& p : curve.points) {
            markers.points.emplace_back(p.x, p.y);
            markers.frames.push_back(p.frame);
        }
        if (markers.axis == 0) {
            leftNames << choiceName(curve.choice);
        } else {
            content.yTitles[1] = choiceLabel(curve.choice);
            content.yTitleColours[1] = markers.colour;
        }
        content.markers.push_back(std::move(markers));
    }
    if (!leftNames.isEmpty()) {
        content.yTitles[0] =
            QStringLiteral("%1 (%2)").arg(leftNames.join(QStringLiteral(", ")), firstUnit.text());
        content.yTitleColours[0] = leftNames.size() == 1 ? kCurveColours[0] : QColor();
    }
    if (fit() && !m_fitted.empty()) {
        const auto [lo, hi] =
            std::minmax_element(m_fitted.begin(), m_fitted.end(),
                                [](const PlotPoint& a, const PlotPoint& b) { return a.x < b.x; });
        content.lines.push_back(
            {modelCurve(m_fit, lo->x, hi->x), kModelColour, content.markers[m_modelCurve].axis});
    }
    content.band = m_range;
    content.highlightedFrame = m_currentFrame;
    if (const Series* xs = seriesOf(m_data, x)) {
        const auto it = std::find_if(xs->begin(), xs->end(),
                                     [this](const Sample& s) { return s.frame == m_currentFrame; });
        if (it != xs->end())
            content.cursor = it->value;
    }
    return content;
}

PlotContent GraphWidget::residualContent(const PlotContent& main) const {
    PlotContent content;
    content.zeroLine = true;
    const PlotFrame mainFrame = layoutPlot(QRectF(0, 0, 100, 100), main, {});
    content.xRange = std::make_pair(mainFrame.xMin, mainFrame.xMax);
    if (m_modelCurve < int(m_curves.size()))
        content.caption =
            QStringLiteral("résidus (%1)")
                .arg(quantityUnit(m_curves[m_modelCurve].choice.quantity, m_data.metres).text());
    PlotMarkers markers;
    markers.colour = kCurveColours[m_modelCurve % 2];
    if (fit())
        for (size_t i = 0; i < m_fitted.size() && i < m_fit.residuals.size(); ++i) {
            markers.points.emplace_back(m_fitted[i].x, m_fit.residuals[i]);
            markers.frames.push_back(m_fitted[i].frame);
        }
    content.markers.push_back(std::move(markers));
    content.band = m_range;
    content.cursor = main.cursor;
    content.highlightedFrame = m_currentFrame;
    return content;
}

void GraphWidget::refreshPlots() {
    const PlotContent main = mainContent();
    const bool residuals = fit() != nullptr;
    PlotMargins margins = plotMargins(main, m_plot->font());
    if (residuals) {
        PlotContent below = residualContent(main);
        margins = margins.united(plotMargins(below, m_residuals->font()));
        m_residuals->setContent(std::move(below));
    }
    m_plot->setMargins(margins);
    m_residuals->setMargins(margins);
    m_plot->setContent(main);
    m_residuals->setVisible(residuals);
}

QStringList GraphWidget::resultLines() const {
    QStringList lines;
    if (!m_model || m_modelCurve >= int(m_curves.size()))
        return lines;
    const GraphChoice y = m_curves[m_modelCurve].choice;
    const GraphChoice x = abscissa();
    lines << fitModelName(*m_model) + QStringLiteral(" : ") +
                 fitFormula(*m_model, choiceName(y), choiceName(x));
    if (!m_fit.ok()) {
        lines << m_fit.error;
        return lines;
    }
    if (x.quantity == Quantity::T && y.quantity == Quantity::Y && m_data.metres)
        if (const auto g = gravityFromParabola(m_fit, m_data.yUp))
            lines << gravityText(*g, m_data.rulerPixels
                                         ? scaleRelativeUncertainty(*m_data.rulerPixels)
                                         : std::nullopt);
    lines << fitResultLines(m_fit, quantityUnit(x.quantity, m_data.metres),
                            quantityUnit(y.quantity, m_data.metres));
    const auto [lo, hi] =
        std::minmax_element(m_fitted.begin(), m_fitted.end(),
                            [](const PlotPoint& a, const PlotPoint& b) { return a.x < b.x; });
    lines << QStringLiteral("%1 points, %2 de %3 à %4")
                 .arg(m_fitted.size())
                 .arg(choiceName(x), valueText(x.quantity, lo->x), valueText(x.quantity, hi->x));
    return lines;
}

void GraphWidget::refreshResults() {
    const QStringList lines = resultLines();
    QPalette palette = m_results->palette();
    palette.setColor(QPalette::WindowText,
                     m_model && !m_fit.ok() ? kErrorColour
                                            : QApplication::palette().color(QPalette::WindowText));
    m_results->setPalette(palette);
    m_results->setText(lines.join(QLatin1Char('\n')));
    m_results->setVisible(!lines.isEmpty());
    m_clearButton->setEnabled(m_model.has_value());
}

void GraphWidget::showTooltip(bool residuals, int set, int index, QPoint globalPos) {
    const PlotCanvas* canvas = residuals ? m_residuals : m_plot;
    const auto& markers = canvas->content().markers;
    if (set >= int(markers.size()) || index >= int(markers[set].points.size()))
        return;
    const int frame = markers[set].frames[index];
    const QPointF p = markers[set].points[index];
    const GraphChoice x = abscissa();
    QStringList lines;
    lines << QStringLiteral("Image %1").arg(frame + 1);
    if (x.quantity != Quantity::T && !m_data.points.empty()) {
        const Series& t = m_data.points.front()[Quantity::T];
        const auto it =
            std::find_if(t.begin(), t.end(), [frame](const Sample& s) { return s.frame == frame; });
        if (it != t.end())
            lines << QStringLiteral("t = ") + valueText(Quantity::T, it->value);
    }
    lines << choiceName(x) + QStringLiteral(" = ") + valueText(x.quantity, p.x());
    if (residuals) {
        const GraphChoice y = m_curves[m_modelCurve].choice;
        lines << QStringLiteral("résidu = ") + valueText(y.quantity, p.y());
    } else if (set < int(m_curves.size())) {
        const GraphChoice y = m_curves[set].choice;
        lines << choiceName(y) + QStringLiteral(" = ") + valueText(y.quantity, p.y());
    }
    QToolTip::showText(globalPos, lines.join(QLatin1Char('\n')), this);
}

void GraphWidget::render(QPainter& painter, const QRectF& target) const {
    const double scale = target.width() / kLayoutWidth;
    const QRectF page(0, 0, kLayoutWidth, target.height() / scale);
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(scale, scale);
    painter.fillRect(page, Qt::white);
    QFont font = this->font();
    font.setPixelSize(13);
    const QFontMetricsF metrics(font);

    const QStringList lines = resultLines();
    const double textHeight = lines.isEmpty() ? 0 : lines.size() * metrics.lineSpacing() + 8;
    const double plotsHeight = page.height() - textHeight;
    const double residualHeight = fit() ? std::round(plotsHeight * 0.22) : 0;
    const PlotContent main = mainContent();
    PlotMargins margins = plotMargins(main, font);
    std::optional<PlotContent> below;
    if (fit()) {
        below = residualContent(main);
        margins = margins.united(plotMargins(*below, font));
    }
    const QRectF mainRect(0, 0, page.width(), plotsHeight - residualHeight);
    drawPlot(painter, layoutPlot(mainRect, main, margins), main, font);
    if (below) {
        const QRectF belowRect(0, mainRect.bottom(), page.width(), residualHeight);
        drawPlot(painter, layoutPlot(belowRect, *below, margins), *below, font);
    }
    if (!lines.isEmpty()) {
        painter.setFont(font);
        painter.setPen(m_fit.ok() ? Qt::black : kErrorColour);
        painter.drawText(
            QRectF(margins.left, plotsHeight + 4, page.width() - margins.left - 4, textHeight),
            Qt::AlignLeft | Qt::AlignTop, lines.join(QLatin1Char('\n')));
    }
    painter.restore();
}

QImage GraphWidget::renderImage(QSize size) const {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    render(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

void GraphWidget::copyToClipboard() {
    QApplication::clipboard()->setImage(renderImage(kPictureSize));
}

void GraphWidget::saveAsPng() {
    const auto chosen =
        FileDialogSeam::getSaveFileName(this, QStringLiteral("Enregistrer le graphe en image PNG"),
                                        QString(), {QStringLiteral("images PNG (*.png)")},
                                        QStringLiteral("graphe.png"), QStringLiteral("png"));
    if (!chosen || chosen->isEmpty())
        return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    renderImage(kPictureSize).save(&buffer, "PNG");
    if (const auto error = saveBytes(*chosen, bytes))
        MessageSeam::showError(*error, this);
}

void GraphWidget::saveAsPdf() {
    const auto chosen = FileDialogSeam::getSaveFileName(
        this, QStringLiteral("Enregistrer le graphe en document PDF"), QString(),
        {QStringLiteral("documents PDF (*.pdf)")}, QStringLiteral("graphe.pdf"),
        QStringLiteral("pdf"));
    if (!chosen || chosen->isEmpty())
        return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Landscape);
        writer.setResolution(300);
        writer.setTitle(QStringLiteral("Graphe Traxilo"));
        QPainter painter(&writer);
        render(
            painter,
            QRectF(writer.pageLayout().paintRectPixels(writer.resolution()))
                .translated(-writer.pageLayout().paintRectPixels(writer.resolution()).topLeft()));
    }
    if (const auto error = saveBytes(*chosen, bytes))
        MessageSeam::showError(*error, this);
}

} // namespace traxilo
