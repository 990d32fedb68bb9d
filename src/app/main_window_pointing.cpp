#include "app/main_window.h"

namespace traxilo {

// Mouse events of the pointing surface PaintBox1, in surface pixels.

void TForm1::PaintBox1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                QPoint pos) {
    Q_UNUSED(button);
    Q_UNUSED(modifiers);
    Q_UNUSED(pos);
}

void TForm1::PaintBox1MouseMove(Qt::KeyboardModifiers modifiers, QPoint pos) {
    Q_UNUSED(modifiers);
    Q_UNUSED(pos);
}

void TForm1::PaintBox1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos) {
    Q_UNUSED(button);
    Q_UNUSED(modifiers);
    Q_UNUSED(pos);
}

} // namespace traxilo
