#pragma once

#include "app/hint_tracker.h"

#include <QColor>
#include <QPalette>
#include <QString>
#include <QToolBar>
#include <QToolButton>
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

// A tool bar that stays where the window puts it, with small icons.
inline QToolBar* fixedBar(QWidget* parent, const char* name) {
    auto* bar = named(new QToolBar(parent), name);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    return bar;
}

// A flat button at the end of `bar`.
inline QToolButton* toolButton(QToolBar* bar, const char* name, const QIcon& icon,
                               const QString& hint, bool enabled) {
    auto* button = named(new QToolButton(bar), name);
    button->setIcon(icon);
    button->setAutoRaise(true);
    button->setEnabled(enabled);
    HintTracker::setHint(button, hint);
    bar->addWidget(button);
    return button;
}

} // namespace traxilo
