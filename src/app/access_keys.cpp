#include "app/access_keys.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSet>

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

void assignAmong(const QList<QAction*>& actions) {
    QSet<QChar> taken;
    for (const QAction* action : actions) {
        if (const QChar key = accessKeyOf(action->text()); !key.isNull())
            taken.insert(key);
    }
    for (QAction* action : actions) {
        if (action->isSeparator() || !accessKeyOf(action->text()).isNull())
            continue;
        const QString text = action->text();
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i].toLower();
            if (c.isLetterOrNumber() && !taken.contains(c)) {
                taken.insert(c);
                action->setText(text.left(i) + u'&' + text.mid(i));
                break;
            }
        }
    }
    for (QAction* action : actions) {
        if (QMenu* sub = action->menu())
            assignAccessKeys(sub);
    }
}

} // namespace

void assignAccessKeys(QMenuBar* bar) {
    assignAmong(bar->actions());
}

void assignAccessKeys(QMenu* menu) {
    assignAmong(menu->actions());
}

} // namespace traxilo
