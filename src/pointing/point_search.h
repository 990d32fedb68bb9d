#pragma once

#include "pointing/measure_tables.h"

#include <QPoint>
#include <QString>
#include <vector>

namespace traxilo {

// A recorded point found under a right click: its table row (the frame
// number shown to the user), the time text of that row, and its number.
struct PointMatch {
    int row = 0;
    QString time;
    int point = 0;
    bool operator==(const PointMatch&) const = default;
};

// Every recorded point whose drawn mark, at mark size r, covers `pixel`
// (its box of 2r + 1 pixels around the point), by increasing row and within
// a row by increasing point number. Points whose marks are hidden are not
// found: there is nothing under the mouse.
std::vector<PointMatch> pointsAt(const MeasureTables& tables, QPoint pixel, int markSize);

} // namespace traxilo
