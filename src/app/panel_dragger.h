#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

class QWidget;

namespace traxilo {

// Lets the user drag a panel about inside its parent with any mouse button
// pressed on the panel itself (not on its children). The parent grows to
// keep the panel whole, so a scroll area around it can reach every part; or,
// with setKeepInsideParent, the panel stays within the parent as it is.
class PanelDragger : public QObject {
    Q_OBJECT
public:
    explicit PanelDragger(QWidget* panel);

    // Dragging only while this says yes (a clip is open).
    void setEnabledWhen(std::function<bool()> predicate) { m_enabled = std::move(predicate); }

    bool isDragging() const { return m_dragging; }
    void setKeepInsideParent(bool keep) { m_keepInside = keep; }

    // Resizes the parent to just cover the panel.
    static void fitParentTo(QWidget* panel);

signals:
    void hovered();      // the mouse moves over the panel, no drag under way
    void dragStarted();  // a button was pressed on the panel
    void dragFinished(); // the button was released

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_panel;
    std::function<bool()> m_enabled;
    bool m_dragging = false;
    bool m_keepInside = false;
    QPoint m_grabGlobal; // mouse position when the drag started, screen pixels
    QPoint m_grabPos;    // panel position then, parent pixels
};

} // namespace traxilo
