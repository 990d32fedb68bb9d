#pragma once

#include <QCursor>
#include <QImage>
#include <QList>
#include <QMap>
#include <QPoint>
#include <QString>
#include <vector>

namespace traxilo {

// The program's own cursors, registered under fixed numbers. Every cursor
// change of the program names one of these numbers: pointing cursors are
// colour code x 100 + shape code (102 = small black target).
class CursorRegistry {
public:
    struct Entry {
        int number;
        QString name;
        QPoint hotSpot;
    };
    static const std::vector<Entry>& standardEntries(); // the twenty, in registration order
    static constexpr int Size = 32;

    // The picture of a standard cursor as ARGB: opaque black or white pixels
    // on a transparent background. Null for an unknown number.
    static QImage standardImage(int number);

    void registerStandardCursors();
    void registerCursor(int number, const QCursor& cursor);

    bool contains(int number) const { return m_cursors.contains(number); }
    QCursor cursor(int number) const; // the arrow for a number never registered
    QList<int> numbers() const { return m_order; }

    // A two-colour cursor (bitmap and mask) from an ARGB picture.
    static QCursor fromImage(const QImage& image, QPoint hotSpot);

private:
    QMap<int, QCursor> m_cursors;
    QList<int> m_order;
};

} // namespace traxilo
