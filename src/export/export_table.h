#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace traxilo {

class MeasurementDocument;

// The measurements as every export reads them: the variable names ("t",
// "x", "y" or "t", "x1", "y1", "x2", ...), and the complete rows from the
// time-origin frame on, each cell as the table shows it. A frame where some
// point has no position is not complete.
struct ExportTable {
    QStringList names;             // N names; column 0 is the time
    std::vector<QStringList> rows; // N cells each
    int tableRows = 0;             // the frames of the clip
    int columnCount() const { return int(names.size()); }
};

ExportTable readExportTable(const MeasurementDocument& document);

} // namespace traxilo
