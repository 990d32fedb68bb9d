#include "export/export_table.h"

#include "analysis/kinematics.h"
#include "common/number_format.h"
#include "document/measurement_document.h"
#include "export/document_kinematics.h"

#include <map>

namespace traxilo {

namespace {

constexpr Quantity kDerivatives[] = {Quantity::Vx, Quantity::Vy, Quantity::Ax, Quantity::Ay};

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
                std::map<int, QString>& cells = derivativeCells.emplace_back();
                for (const Sample& s : kinematics[size_t(k)][q])
                    cells[s.frame] = FormatSci(document.xyDigits() - 1, s.value);
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
