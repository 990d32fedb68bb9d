#include "document/measurement_table_model.h"

#include "document/measurement_document.h"

namespace traxilo {

MeasurementTableModel::MeasurementTableModel(const MeasurementDocument* document, QObject* parent)
    : QAbstractTableModel(parent), m_document(document) {
    auto reset = [this] {
        beginResetModel();
        endResetModel();
    };
    connect(document, &MeasurementDocument::clipOpened, this, reset);
    connect(document, &MeasurementDocument::pointsPerFrameChanged, this, reset);
    connect(document, &MeasurementDocument::positionsChanged, this, [this](int first, int last) {
        emit dataChanged(index(first, 1), index(last, columnCount() - 1));
    });
    connect(document, &MeasurementDocument::calibrationChanged, this,
            &MeasurementTableModel::valuesChanged);
    connect(document, &MeasurementDocument::xyDigitsChanged, this,
            &MeasurementTableModel::valuesChanged);
    auto times = [this] { emit dataChanged(index(0, 0), index(rowCount() - 1, 0)); };
    connect(document, &MeasurementDocument::timeOriginChanged, this, times);
    connect(document, &MeasurementDocument::timesChanged, this, times);
}

void MeasurementTableModel::valuesChanged() {
    if (rowCount() > 0)
        emit dataChanged(index(0, 1), index(rowCount() - 1, columnCount() - 1));
}

int MeasurementTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_document->frameCount();
}

int MeasurementTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1 + 2 * m_document->pointsPerFrame();
}

QString MeasurementTableModel::text(int row, int column) const {
    if (column == 0)
        return m_document->timeText(row);
    const int point = (column + 1) / 2;
    return column % 2 == 1 ? m_document->xText(row, point) : m_document->yText(row, point);
}

QVariant MeasurementTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return text(index.row(), index.column());
    if (role == AutomaticRole && index.column() > 0) {
        const auto p = m_document->position(index.row(), (index.column() + 1) / 2);
        return p && p->automatic;
    }
    return {};
}

QVariant MeasurementTableModel::headerData(int section, Qt::Orientation orientation,
                                           int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    const QStringList names = m_document->variableNames();
    if (section < 0 || section >= names.size())
        return {};
    return names[section] + (section == 0 ? QStringLiteral("(s)") : QStringLiteral("(m)"));
}

} // namespace traxilo
