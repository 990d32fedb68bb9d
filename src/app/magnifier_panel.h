#pragma once

#include <QFrame>
#include <QPoint>

class QAction;
class QLabel;
class QMenu;
class QToolButton;

namespace traxilo {

class CursorRegistry;

// The magnifier: a small panel floating over the clip area that shows the
// picture around the pointer three times enlarged, with a cross-hair. Its
// frame drags it; dropped, it goes to the nearest corner of the clip area,
// clear of the bars above and below the picture, and keeps to that corner
// when the area is resized. Its button and its menu item hide it.
class MagnifierPanel : public QFrame {
    Q_OBJECT
public:
    // `clipArea` is the area it floats over, between `topBar` and
    // `bottomBar`; `parent` is the window it is a child of.
    MagnifierPanel(QWidget* clipArea, const QWidget* topBar, const QWidget* bottomBar,
                   const CursorRegistry& cursors, QWidget* parent);

    void toggle(); // shown or hidden, as the tool button does
    // The centre to remember, relative to the clip area; its corner of the
    // area, as the area is now, is where place() puts the panel.
    void setCentre(QPoint centre);
    void place(); // in the corner of the clip area nearest to its centre
    // The surface around `pos`, three times enlarged.
    void showAround(const QImage& surface, QPoint pos);
    void setCrossHairColour(const QColor& colour);

signals:
    void shownChanged(bool shown);

private:
    void rememberCentre();

    QWidget* m_clipArea;
    const QWidget* m_topBar;
    const QWidget* m_bottomBar;
    QPoint m_centre;  // remembered centre, relative to the clip area
    int m_corner = 1; // a LoupeCorner, top right at first
    QLabel* loupeImg = nullptr;
    QFrame* loupeShpV = nullptr;
    QFrame* loupeShpH = nullptr;
};

} // namespace traxilo
