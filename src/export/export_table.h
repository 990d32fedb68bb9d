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
    QStringList units;             // N units: "s", "m", "m/s", "m/s²"
    std::vector<QStringList> rows; // N cells each
    int tableRows = 0;             // the frames of the clip
    int columnCount() const { return int(names.size()); }
    // Column c's unit; "s" for the time and "m" when none is given.
    QString unit(int c) const;
};

// The velocities and accelerations ("vx", "vy", "ax", "ay" of each point, in
// that order, after the positions) come only when the user asks for them:
// the files written without them stay as they were.
enum class ExportColumns { Positions, WithDerivatives };

// Velocities and accelerations are written like the positions, empty where
// the five frames around a row are not all recorded.
ExportTable readExportTable(const MeasurementDocument& document,
                            ExportColumns columns = ExportColumns::Positions);

} // namespace traxilo
