#include "app/up_down.h"

#include <QApplication>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace traxilo {

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* button : {m_up, m_down}) {
        button->setAutoRepeat(true);
        button->setFixedSize(15, 11);
        button->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(button);
        connect(button, &QToolButton::pressed, this, &UpDown::arrowPressed);
        connect(button, &QToolButton::released, this, &UpDown::arrowReleased);
    }
    keepStandardColours();
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    connect(m_up, &QToolButton::clicked, this, [this] { stepBy(true); });
    connect(m_down, &QToolButton::clicked, this, [this] { stepBy(false); });
}

void UpDown::keepStandardColours() {
    // The arrows keep the application's button colours whatever colours the
    // box around them takes (the point size box turns teal with light text,
    // which made the arrows vanish). Each role set by hand is no longer
    // inherited from the parent.
    const QPalette standard = QApplication::palette(m_up);
    QPalette own = standard;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (QPalette::ColorRole role :
             {QPalette::Window, QPalette::WindowText, QPalette::Button, QPalette::ButtonText,
              QPalette::Light, QPalette::Dark, QPalette::Mid, QPalette::Shadow}) {
            own.setColor(group, role, standard.color(group, role));
        }
    }
    m_up->setPalette(own);
    m_down->setPalette(own);
}

void UpDown::setPosition(int position) {
    m_position = std::clamp(position, m_min, m_max);
}

void UpDown::setRange(int minimum, int maximum) {
    m_min = minimum;
    m_max = std::max(minimum, maximum);
    setPosition(m_position);
}

void UpDown::stepBy(bool up) {
    const int next = m_position + (up ? m_increment : -m_increment);
    if (next > m_max) {
        m_position = m_wrap ? m_min : m_max;
    } else if (next < m_min) {
        m_position = m_wrap ? m_max : m_min;
    } else {
        m_position = next;
    }
    emit clicked(up);
}

} // namespace traxilo
