#pragma once

#include <QWidget>

class QToolButton;

namespace traxilo {

// A pair of arrow buttons holding an integer position between a minimum
// and a maximum, without a text field (the program shows the value in a
// label of its own). The up arrow increases the position.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    int position() const { return m_position; }
    void setPosition(int position); // kept within the range; emits nothing
    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    void setRange(int minimum, int maximum);
    void setWrap(bool wrap) { m_wrap = wrap; }
    bool wrap() const { return m_wrap; }
    void setIncrement(int increment) { m_increment = increment; }
    int increment() const { return m_increment; }

    // As a click on an arrow: moves by the increment, then emits clicked.
    void stepBy(bool up);

    QToolButton* upButton() const { return m_up; }
    QToolButton* downButton() const { return m_down; }

signals:
    void clicked(bool up);
    void arrowPressed();
    void arrowReleased();

private:
    void keepStandardColours();

    QToolButton* m_up;
    QToolButton* m_down;
    int m_position = 0;
    int m_min = 0;
    int m_max = 100;
    int m_increment = 1;
    bool m_wrap = false;
};

} // namespace traxilo
