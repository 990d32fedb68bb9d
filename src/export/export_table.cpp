#include "export/export_table.h"

#include "analysis/kinematics.h"
#include "common/number_format.h"
#include "document/measurement_document.h"
#include "export/document_kinematics.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace traxilo {

namespace {

constexpr Quantity kDerivatives[] = {Quantity::Vx, Quantity::Vy, Quantity::Ax, Quantity::Ay};

// Below this size a velocity or an acceleration is what is left of a zero
// after rounding (positions that cancel give "-1,04E-13"): a billionth of the
// positions' size over the shortest frame interval, once per order.
double roundingResidue(const PointKinematics& point, Quantity q) {
    const bool alongX = q == Quantity::Vx || q == Quantity::Ax;
    double size = 0;
    for (const Sample& s : point[alongX ? Quantity::X : Quantity::Y])
        size = std::max(size, std::fabs(s.value));
    double interval = 0;
    const Series& times = point[Quantity::T];
    for (size_t i = 1; i < times.size(); ++i)
        if (const double dt = times[i].t - times[i - 1].t;
            dt > 0 && (interval == 0 || dt < interval))
            interval = dt;
    if (interval == 0)
        return 0;
    const bool acceleration = q == Quantity::Ax || q == Quantity::Ay;
    return 1e-9 * size / (acceleration ? interval * interval : interval);
}

} // namespace

QString ExportTable::unit(int c) const {
    if (c < units.size())
        return units.at(c);
    return c == 0 ? QStringLiteral("s") : QStringLiteral("m");
}

ExportTable readExportTable(const MeasurementDocument& document, ExportColumns columns) {
    ExportTable table;
    table.names = document.variableNames();
    table.units << QStringLiteral("s");
    for (int c = 1; c < table.names.size(); ++c)
        table.units << QStringLiteral("m");
    table.tableRows = document.frameCount();
    const int points = document.pointsPerFrame();
    const int positionColumns = table.columnCount();

    // Each derivative's cells by frame.
    std::vector<std::map<int, QString>> derivativeCells;
    if (columns == ExportColumns::WithDerivatives) {
        const std::vector<PointKinematics> kinematics = readKinematics(document);
        for (int k = 0; k < points; ++k)
            for (Quantity q : kDerivatives) {
                table.names << quantityName(q, k, points);
                table.units << quantityUnit(q).text();
                const double residue = roundingResidue(kinematics[size_t(k)], q);
                std::map<int, QString>& cells = derivativeCells.emplace_back();
                for (const Sample& s : kinematics[size_t(k)][q])
                    cells[s.frame] = FormatSci(document.xyDigits() - 1,
                                               std::fabs(s.value) <= residue ? 0 : s.value);
            }
    }

    // Frames before the time origin have no time and are never exported.
    for (int f = document.timeOrigin(); f < document.frameCount(); ++f) {
        QStringList cells{document.timeText(f)};
        for (int k = 1; k <= points; ++k) {
            if (!document.position(f, k))
                break;
            cells << document.xText(f, k) << document.yText(f, k);
        }
        if (cells.size() != positionColumns || cells.first().trimmed().isEmpty())
            continue;
        for (const std::map<int, QString>& column : derivativeCells) {
            const auto found = column.find(f);
            cells << (found == column.end() ? QString() : found->second);
        }
        table.rows.push_back(cells);
    }
    return table;
}

} // namespace traxilo
