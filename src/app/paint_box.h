#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>

class QMenu;
class QPainter;

namespace traxilo {

// The pointing surface over the clip picture. It shows one image, the
// surface image: showing a frame replaces it, marks are drawn onto it, and
// the widget paints it as it is. Mouse events go out as signals with the
// position in surface pixels. The second click of a left double-click at the
// same place is not a click of its own: its release is not sent, so a
// double-click records one point, not the same point on two frames.
class PaintBox : public QWidget {
    Q_OBJECT
public:
    explicit PaintBox(QWidget* parent = nullptr);

    const QImage& image() const { return m_image; }
    QImage& image() { return m_image; } // draw marks here, then update()
    void setImage(const QImage& image);

    // Popped up after the right button's release, once the release has been
    // handled (the handler may enable items first).
    void setPopupMenu(QMenu* menu) { m_popup = menu; }
    QMenu* popupMenu() const { return m_popup; }

    // Drawn over the image on screen only (a shape being dragged out, a
    // candidate shown for a moment): the image and its marks stay as they are.
    void setDecoration(std::function<void(QPainter&)> paint);

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    void mouseMove(Qt::KeyboardModifiers modifiers, QPoint position);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPoint m_lastLeftRelease{-100, -100};
    bool m_secondOfDouble = false; // the press under way ends a double-click
    QImage m_image;
    QMenu* m_popup = nullptr;
    std::function<void(QPainter&)> m_decoration;
};

} // namespace traxilo
