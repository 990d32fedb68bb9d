#pragma once

#include <QColor>
#include <QWidget>

namespace traxilo {

// A plain rectangle: a fill (or none) and an outline. Drawn inverting, it
// paints NOT(colour AND background) over what lies beneath it, so an aqua
// shape with a red outline shows red over grey and over the dialog.
class ShapeWidget : public QWidget {
    Q_OBJECT
public:
    explicit ShapeWidget(QWidget* parent = nullptr);

    QColor fillColour() const { return m_fill; }
    QColor outlineColour() const { return m_outline; }
    bool filled() const { return m_filled; }
    bool inverting() const { return m_inverting; }
    void setFillColour(const QColor& colour);
    void setOutlineColour(const QColor& colour);
    void setFilled(bool filled);
    void setInverting(bool inverting);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_fill = Qt::white;
    QColor m_outline = Qt::black;
    bool m_filled = true;
    bool m_inverting = false;
};

} // namespace traxilo
