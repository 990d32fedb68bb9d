#include "export/export_table.h"

#include "document/measurement_document.h"

namespace traxilo {

ExportTable readExportTable(const MeasurementDocument& document) {
    ExportTable table;
    table.names = document.variableNames();
    table.tableRows = document.frameCount();
    const int points = document.pointsPerFrame();
    // Frames before the time origin have no time and are never exported.
    for (int f = document.timeOrigin(); f < document.frameCount(); ++f) {
        QStringList cells{document.timeText(f)};
        for (int k = 1; k <= points; ++k) {
            if (!document.position(f, k))
                break;
            cells << document.xText(f, k) << document.yText(f, k);
        }
        if (cells.size() == table.columnCount() && !cells.first().trimmed().isEmpty())
            table.rows.push_back(cells);
    }
    return table;
}

} // namespace traxilo
