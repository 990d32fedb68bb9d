#pragma once

#include <QAbstractTableModel>

namespace traxilo {

class MeasurementDocument;

// The measurement table as the user reads it: one row per frame, the time in
// column 0, then the x and y of each point in metres, written as the
// document's digits say. Read-only: the measurements change through the
// document's commands.
class MeasurementTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // True for a position found by the tracker rather than clicked.
    static constexpr int AutomaticRole = Qt::UserRole + 1;

    explicit MeasurementTableModel(const MeasurementDocument* document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // "t(s)", "x(m)", "y(m)" or "x1(m)", "y1(m)", ...
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The cell's text: the time, or a point's x or y; empty when not recorded.
    QString text(int row, int column) const;

private:
    void valuesChanged();
    const MeasurementDocument* m_document;
};

} // namespace traxilo
