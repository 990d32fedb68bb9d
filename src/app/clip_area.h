#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QScrollArea;
class QToolBar;
class QToolButton;

namespace traxilo {

class CursorRegistry;
class PaintBox;
struct PointerReadouts;

// The left part of the window: the coordinate bar, the clip's picture in its
// panel (which the user drags about inside a scroll box), the markers of the
// scale points in the panel's margins, and the navigation bar with the frame
// number. The window decides what is shown; this lays it out and says when
// a navigation button is clicked.
class ClipArea : public QWidget {
    Q_OBJECT
public:
    // The navigation buttons, by the tags the window knows them by.
    enum Navigation { Play = 2, First = 3, Last = 4, Previous = 5, Next = 6 };

    ClipArea(const CursorRegistry& cursors, QWidget* parent);

    PaintBox* surface() const { return PaintBox1; } // the picture, clicked and drawn on
    const QWidget* coordinateBar() const;
    const QWidget* navigationBar() const;
    QSize pictureRoom() const; // inside the scroll box's frame

    void showCaption(const QString& caption); // in the empty panel, before any clip
    // A clip opened at its own size: the panel holds the picture and can be
    // dragged about.
    void showOpenedClip(QSize picture);
    void fitPanelTo(QSize picture);  // the panel around a picture of this size
    void setSurfaceSize(QSize size); // the picture inside the panel's border
    void moveToCorner();             // the panel and the scroll box back to the top left

    // The coordinate bar.
    void showReadouts(const PointerReadouts& readouts);
    void showMetres(const QString& x, const QString& y);
    // Metres at 1 m per pixel mean nothing: the bar says why instead.
    void showScaleUndefined(bool undefined);
    void setCoordinateHint(const QString& hint);

    // The markers of the scale points, at their display pixels.
    void placeScaleMarkers(QPoint p1, QPoint p2);
    void showScaleMarkers();

    // The navigation bar.
    void showFrameNumber(int number, int count);
    void showTimeOriginMark(bool shown);
    void showCaptureRate(const QString& text); // beside the frame number
    void enableNavigation(bool forward, bool back);
    bool navigationEnabled(Navigation button) const;

signals:
    void navigationClicked(int button); // a Navigation
    void panelDragStarted();
    void coordinateBarHovered();

private:
    void buildCoordinateBar();
    void buildPicture();
    void buildNavigationBar();
    QToolButton* button(Navigation button) const;

    QToolBar* tbCoord = nullptr;
    QLabel* lblXPixels = nullptr;
    QLabel* lblYPixels = nullptr;
    QLabel* lblXMetres = nullptr;
    QLabel* lblYMetres = nullptr;
    QLabel* lblUMetres = nullptr;
    QLabel* lblEchelle = nullptr; // "échelle non définie" until the clip is calibrated
    QScrollArea* ScrollBox1 = nullptr;
    QLabel* pnl1AVI = nullptr; // the panel's caption is the label's text
    PaintBox* PaintBox1 = nullptr;
    QFrame* indicX1 = nullptr;
    QFrame* indicY1 = nullptr;
    QFrame* indicX2 = nullptr;
    QFrame* indicY2 = nullptr;
    QToolBar* ToolBar2 = nullptr;
    QToolButton* m_buttons[5] = {}; // bbtnPlay, bbtnDeb, bbtnFin, bbtnPre, bbtnSui
    QLabel* lblNoImage2 = nullptr;
    QLabel* lblNoImage4 = nullptr;
    QLabel* lblNoImage5 = nullptr;
    QLabel* lblCadence = nullptr;
    const CursorRegistry& m_cursors;
    bool m_draggable = false; // once a clip is open
};

} // namespace traxilo
