#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace traxilo {

class MeasureTables;
class TextGrid;

// The tables as every export reads them: the variable names of the pixel
// table's header ("t", "x", "y" or "t", "x1", "y1", "x2", ...), and the
// complete rows of the measure table from the time-origin row on, each cell
// as the table shows it. A row with an empty (or blank) cell is not complete.
struct ExportTable {
    QStringList names;             // N names; column 0 is the time
    std::vector<QStringList> rows; // N cells each
    int tableRows = 0;             // the table's rows below its header
    int columnCount() const { return int(names.size()); }
};

ExportTable readExportTable(const MeasureTables& tables);
// The same from the grids themselves: names from `pixelTable`'s header row,
// values from `measureTable`, rows from `timeOrigin` (1-based) on.
ExportTable readExportTable(const TextGrid& pixelTable, const TextGrid& measureTable,
                            int timeOrigin);

} // namespace traxilo
