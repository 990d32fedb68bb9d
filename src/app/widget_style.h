#pragma once

#include <QColor>
#include <QPalette>
#include <QString>
#include <QWidget>

namespace traxilo {

// Gives a widget its design name, which tests and the style find it by.
template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// Paints a widget's own background in a plain colour.
inline void fillBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace traxilo
