#include "export/export_table.h"

#include "pointing/measure_tables.h"

#include <algorithm>

namespace traxilo {

ExportTable readExportTable(const MeasureTables& tables) {
    return readExportTable(tables.PixelTable, tables.MeasureTable, tables.timeOrigin());
}

ExportTable readExportTable(const TextGrid& pixelTable, const TextGrid& measureTable,
                            int timeOrigin) {
    const TextGrid& names = pixelTable;
    const TextGrid& values = measureTable;
    ExportTable table;
    const int columns = values.colCount();
    for (int c = 0; c < columns; ++c)
        table.names.append(names.cell(c, 0));
    table.tableRows = values.rowCount() - 1;
    // Rows before the time origin have no time and are never exported.
    for (int r = std::max(1, timeOrigin); r <= table.tableRows; ++r) {
        QStringList cells;
        for (int c = 0; c < columns; ++c) {
            const QString cell = values.cell(c, r);
            // Blanks alone would leave a hole in a line of values.
            if (cell.trimmed().isEmpty())
                break;
            cells.append(cell);
        }
        if (cells.size() == columns)
            table.rows.push_back(cells);
    }
    return table;
}

} // namespace traxilo
