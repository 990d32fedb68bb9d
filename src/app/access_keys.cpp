#include "app/access_keys.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QToolButton>
#include <functional>

namespace traxilo {

namespace {

// The character after a single "&", or a null character.
QChar accessKeyOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] != u'&')
            return text[i + 1].toLower();
        ++i; // "&&" is a plain ampersand
    }
    return {};
}

// Something whose caption can carry an access key.
struct Captioned {
    std::function<QString()> text;
    std::function<void(const QString&)> setText;
};

// Keys by hand are reserved first; each caption without one then takes its
// first letter or digit that no other has, one found on every keyboard if
// it can ("ê" only when nothing else is left).
void assignAmong(const QList<Captioned>& items) {
    QSet<QChar> taken;
    for (const Captioned& item : items) {
        if (const QChar key = accessKeyOf(item.text()); !key.isNull())
            taken.insert(key);
    }
    for (const Captioned& item : items) {
        const QString text = item.text();
        if (!accessKeyOf(text).isNull())
            continue;
        for (const bool plain : {true, false}) {
            qsizetype i = 0;
            for (; i < text.size(); ++i) {
                const QChar c = text[i].toLower();
                if (c.isLetterOrNumber() && (!plain || c.unicode() < 128) && !taken.contains(c))
                    break;
            }
            if (i < text.size()) {
                taken.insert(text[i].toLower());
                item.setText(text.left(i) + u'&' + text.mid(i));
                break;
            }
        }
    }
}

void assignAmong(const QList<QAction*>& actions) {
    QList<Captioned> items;
    for (QAction* action : actions) {
        if (action->isSeparator())
            continue;
        items.append({[action] { return action->text(); },
                      [action](const QString& text) { action->setText(text); }});
    }
    assignAmong(items);
    for (QAction* action : actions) {
        if (QMenu* sub = action->menu())
            assignAccessKeys(sub);
    }
}

Captioned captioned(QAbstractButton* button) {
    return {[button] { return button->text(); },
            [button](const QString& text) { button->setText(text); }};
}

} // namespace

void assignAccessKeys(QMenuBar* bar) {
    assignAmong(bar->actions());
}

void assignAccessKeys(QMenu* menu) {
    assignAmong(menu->actions());
}

void assignAccessKeys(QWidget* dialog) {
    QList<Captioned> pushButtons;
    QList<Captioned> choices;
    QList<Captioned> labels;
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        // Tool buttons are arrows and pictures, with no caption to speak of.
        if (button->text().isEmpty() || qobject_cast<QToolButton*>(button))
            continue;
        (qobject_cast<QPushButton*>(button) ? pushButtons : choices).append(captioned(button));
    }
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        // Only a label that names a field passes its key on.
        if (!label->buddy() || label->text().isEmpty() || label->textFormat() == Qt::RichText)
            continue;
        labels.append({[label] { return label->text(); },
                       [label](const QString& text) { label->setText(text); }});
    }
    assignAmong(pushButtons + labels + choices);
}

} // namespace traxilo
