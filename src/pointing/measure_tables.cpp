#include "pointing/measure_tables.h"

#include "common/number_format.h"
#include "geometry/pixel_conversion.h"
#include "pointing/grid_routines.h"
#include "pointing/style_table.h"

#include <algorithm>
#include <cmath>

namespace traxilo {

namespace {
constexpr int kMaxPoints = 9;
}

MeasureTables::MeasureTables()
    : PixelTable(3, 2, 1, 1), MeasureTable(3, 2, 1, 1), StyleTable(makeStyleTable()) {
    MeasureTable.setDefaultColWidth(44);
    MeasureTable.setDefaultRowHeight(22);
}

void MeasureTables::openClip(int frameCount, long double period) {
    silentClear = true;
    applyClear(tableClear());

    m_frameCount = std::max(0, frameCount);
    m_period = period;
    m_times.clear();
    m_timeScale = 1;
    m_points = 1;
    m_current = 1;
    m_t0 = 1;
    m_tFormat = TimePattern(3);
    const int rows = m_frameCount + 1;

    SetGridSize(PixelTable, 3, rows);
    WriteXYHeaders(PixelTable, QString(), 1);
    PixelTable.setCell(0, 0, QStringLiteral("t"));
    for (int r = 1; r <= m_frameCount; ++r)
        PixelTable.setCell(0, r, QString::number(r - 1));
    PixelTable.setRow(1);

    SetGridSize(MeasureTable, 3, rows);
    setXYWidths();
    WriteXYHeaders(MeasureTable, QStringLiteral("(m)"), 1);
    setColumn0Width(FormatTime(m_tFormat, static_cast<long double>(m_frameCount) * m_period));
    MeasureTable.setCell(0, 0, QStringLiteral("t(s)"));
    for (int r = 1; r <= m_frameCount; ++r)
        MeasureTable.setCell(0, r, timeText(r));
    MeasureTable.setRow(1);

    setStyleColumns(StyleTable, 1);
}

void MeasureTables::nbPointsPlan(int n) {
    n = std::clamp(n, 1, kMaxPoints);
    m_points = n;
    m_current = std::clamp(m_current, 1, n);
    setStyleColumns(StyleTable, n);
    for (TextGrid* grid : {&PixelTable, &MeasureTable})
        grid->setColCount(2 * n + 1);
    for (int c = 2; c <= n; ++c) {
        MeasureTable.setColWidth(2 * c - 1, MeasureTable.colWidth(1));
        MeasureTable.setColWidth(2 * c, MeasureTable.colWidth(2));
    }
    PixelTable.setCol(2 * n - 1);
    MeasureTable.setCol(2 * n - 1);
    WriteXYHeaders(MeasureTable, QStringLiteral("(m)"), n);
    WriteXYHeaders(PixelTable, QString(), n);
}

std::optional<QString> MeasureTables::fewerPointsQuestion(int n) const {
    n = std::clamp(n, 1, kMaxPoints);
    bool recorded = false;
    for (int j = n + 1; j <= m_points && !recorded; ++j) {
        for (int r = 1; r <= m_frameCount && !recorded; ++r)
            recorded = !PixelTable.isEmpty(2 * j - 1, r);
    }
    if (!recorded)
        return std::nullopt;
    const QString perFrame =
        n == 1 ? QStringLiteral("1 point par image") : QStringLiteral("%1 points par image").arg(n);
    const QString dropped = m_points == n + 1
                                ? QStringLiteral("du point n° %1").arg(n + 1)
                                : QStringLiteral("des points n° %1 à %2").arg(n + 1).arg(m_points);
    return QStringLiteral("Passer à %1 efface\rles mesures %2 :\r\rconfirmez-vous cette demande ?")
        .arg(perFrame, dropped);
}

void MeasureTables::ChgPointNumero(int k) {
    m_current = std::clamp(k, 1, m_points);
}

void MeasureTables::choosePoint(int k) {
    ChgPointNumero(k);
    PixelTable.setCol(2 * m_current - 1);
    MeasureTable.setCol(2 * m_current - 1);
}

void MeasureTables::ActualGrid(const Calibration& calibration) {
    if (!clipOpen())
        return;
    const int digits = m_xyDigits - 1;
    for (int r = 1; r <= m_frameCount; ++r) {
        if (r >= m_t0)
            MeasureTable.setCell(0, r, timeText(r));
        for (int j = 1; j <= m_points; ++j) {
            bool okX = false;
            const int X = PixelTable.cell(2 * j - 1, r).toInt(&okX);
            if (!okX)
                continue;
            bool okY = false;
            const int Y = PixelTable.cell(2 * j, r).toInt(&okY);
            const FramePosition p = convertPixel(calibration, X, okY ? Y : calibration.Yo);
            MeasureTable.setCell(2 * j - 1, r, FormatSci(digits, p.x));
            // A y erased on its own (the go-to list's Delete) stays erased
            // instead of stopping the recomputation half-way.
            MeasureTable.setCell(2 * j, r, okY ? FormatSci(digits, p.y) : QString());
        }
    }
}

QString MeasureTables::timeText(int row) const {
    if (row < m_t0 || row > m_frameCount)
        return {};
    return FormatTime(m_tFormat, timeOf(row));
}

long double MeasureTables::timeOf(int row) const {
    const long double t = m_times.empty() ? static_cast<long double>(row - m_t0) * m_period
                                          : m_times[row - 1] - m_times[m_t0 - 1];
    return m_timeScale == 1 ? t : t * m_timeScale;
}

void MeasureTables::setFrameTimes(std::vector<long double> times, long double scale) {
    if (!clipOpen())
        return;
    m_times = int(times.size()) == m_frameCount ? std::move(times) : std::vector<long double>();
    m_timeScale = scale > 0 ? scale : 1;
    // The column is as wide as the time of the frame after the last one.
    const long double last = m_times.empty() ? static_cast<long double>(m_frameCount) * m_period
                                             : m_times.back() + m_period;
    setColumn0Width(FormatTime(m_tFormat, m_timeScale == 1 ? last : last * m_timeScale));
    for (int r = 1; r <= m_frameCount; ++r)
        MeasureTable.setCell(0, r, timeText(r));
}

void MeasureTables::setTimeOrigin(int t0) {
    if (!clipOpen())
        return;
    m_t0 = std::clamp(t0, 1, m_frameCount);
    for (int r = 1; r <= m_frameCount; ++r) {
        PixelTable.setCell(0, r, r < m_t0 ? QString() : QString::number(r - m_t0));
        MeasureTable.setCell(0, r, timeText(r));
    }
}

void MeasureTables::setTimeDecimals(int decimals, const Calibration& calibration) {
    if (!clipOpen())
        return;
    m_tFormat = TimePattern(decimals);
    const std::optional<long double> last = ParseNumber(MeasureTable.cell(0, m_frameCount));
    const long double lastTime =
        last.value_or(static_cast<long double>(m_frameCount - m_t0) * m_period);
    setColumn0Width(FormatTime(m_tFormat, lastTime));
    ActualGrid(calibration);
}

std::optional<QString> MeasureTables::setXYDigits(int digits, const Calibration& calibration,
                                                  const QString& distanceText) {
    if (!clipOpen())
        return std::nullopt;
    m_xyDigits = std::clamp(digits, 1, 5);
    setXYWidths();
    ActualGrid(calibration);
    const std::optional<long double> d = ParseNumber(distanceText);
    if (!d)
        return std::nullopt;
    // The field's text is the calibration distance: fewer digits must not
    // round it, or showing less would change every length measured.
    const QString text = FormatSci(m_xyDigits - 1, *d);
    const std::optional<long double> shown = ParseNumber(text);
    if (!shown || std::fabs(*shown - *d) > 1e-12L * std::fabs(*d))
        return std::nullopt;
    return text;
}

// A column is as wide as its longest value with one digit to spare, and never
// narrower than its header between the cell margins: with no decimal of t,
// "t(s)" is wider than the times.
void MeasureTables::setColumn0Width(const QString& lastTime) {
    const int values = columnWidthFor(gridFont, lastTime + QLatin1Char('0'));
    const int header = columnWidthFor(gridFont, QStringLiteral("t(s)")) + 2 * kTimeCellMargin;
    MeasureTable.setColWidth(0, std::max(values, header));
}

void MeasureTables::setXYWidths() {
    // "x9(m)" is the widest header any point can have.
    const int w = std::max(columnWidthFor(gridFont, FormatSci(m_xyDigits, 0)),
                           columnWidthFor(gridFont, QStringLiteral("x9(m)")) + 2 * kXYCellMargin);
    for (int c = 1; c <= 2 * m_points; ++c)
        MeasureTable.setColWidth(c, w);
}

bool MeasureTables::tableauOccupe() const {
    if (!clipOpen())
        return false;
    for (int r = 1; r <= m_frameCount; ++r)
        for (int c = 1; c <= m_points; ++c)
            if (!PixelTable.isEmpty(2 * c - 1, r))
                return true;
    return false;
}

std::optional<GridRect> MeasureTables::releaseSelection(int col, int row) const {
    const int n = lastDataCol();
    const int R = lastRow();
    if (col < 0 || row < 0 || col > n || row > R)
        return std::nullopt;
    if (col == 0 && row == 0)
        return GridRect{1, 1, n, R};
    if (row == 0) {
        const int k = (col + 1) / 2;
        return GridRect{2 * k - 1, 1, 2 * k, R};
    }
    if (col == 0)
        return GridRect{1, row, n, row};
    return GridRect{col, row, col, row};
}

int MeasureTables::cellChosen() {
    ChgPointNumero((MeasureTable.col() + 1) / 2);
    PixelTable.setRow(MeasureTable.row());
    PixelTable.setCol(MeasureTable.col());
    return MeasureTable.row() - 1;
}

void MeasureTables::alignPixelTable() {
    PixelTable.setRow(MeasureTable.row());
    PixelTable.setCol(MeasureTable.col());
    PixelTable.setTopRow(MeasureTable.topRow());
    PixelTable.setLeftCol(MeasureTable.leftCol());
}

GridRect MeasureTables::wholePoints(GridRect range) const {
    range.left = ((range.left - 1) / 2) * 2 + 1;
    range.right = ((range.right + 1) / 2) * 2;
    return range;
}

ClearRequest MeasureTables::deleteKeyClear() const {
    ClearRequest q;
    q.range = wholePoints(MeasureTable.selection());
    q.question = kClearRangeQuestion;
    q.showSelection = false;
    q.col = q.range.left;
    q.row = q.range.top;
    return q;
}

ClearRequest MeasureTables::gotoDeleteClear() const {
    // Whole points, like the table's own Delete key: an x is never left
    // without its y.
    ClearRequest q = deleteKeyClear();
    q.ask = false;
    q.question.clear();
    return q;
}

ClearRequest MeasureTables::columnClear() const {
    ClearRequest q;
    const int left = ((PixelTable.col() - 1) / 2) * 2 + 1;
    q.range = {left, 1, left + 1, lastRow()};
    q.question = kClearColumnQuestion;
    q.col = left;
    q.row = 1;
    return q;
}

ClearRequest MeasureTables::rowClear() const {
    ClearRequest q;
    const int row = PixelTable.row();
    q.range = {1, row, lastDataCol(), row};
    q.question = kClearRowQuestion;
    q.col = 1;
    q.row = row;
    return q;
}

ClearRequest MeasureTables::tableClear() const {
    ClearRequest q;
    q.range = {1, 1, lastDataCol(), lastRow()};
    q.question = kClearTableQuestion;
    q.ask = !silentClear;
    q.col = 1;
    q.row = 1;
    q.redrawFrame = 0;
    q.endsSilentClear = true;
    return q;
}

void MeasureTables::applyClear(const ClearRequest& request) {
    ClearGridRange(PixelTable, request.range, request.col, request.row);
    ClearGridRange(MeasureTable, request.range, request.col, request.row);
    if (request.endsSilentClear)
        silentClear = false;
}

} // namespace traxilo
