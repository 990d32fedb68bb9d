#include "app/hint_tracker.h"

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QStatusTipEvent>
#include <QToolTip>
#include <QWidget>

namespace traxilo {

namespace {
QString tooltipText(const QString& hint) {
    QString text = HintTracker::shortHint(hint);
    text.replace(QChar(u'\r'), QChar(u'\n'));
    return text;
}
} // namespace

HintTracker::HintTracker(QObject* parent) : QObject(parent) {}

HintTracker::~HintTracker() {
    if (qApp) {
        qApp->removeEventFilter(this);
    }
}

QString HintTracker::shortHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(QChar(u'|'));
    return bar < 0 ? hint : hint.left(bar);
}

QString HintTracker::longHint(const QString& hint) {
    const qsizetype bar = hint.indexOf(QChar(u'|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void HintTracker::setHint(QWidget* widget, const QString& hint) {
    widget->setStatusTip(hint);
    widget->setToolTip(tooltipText(hint));
}

void HintTracker::setHint(QAction* action, const QString& hint) {
    action->setStatusTip(hint);
    action->setToolTip(tooltipText(hint));
}

QString HintTracker::hint(const QWidget* widget) {
    return widget->statusTip();
}

void HintTracker::install() {
    qApp->installEventFilter(this);
}

void HintTracker::showHint(const QString& hint) {
    if (hint == m_current) {
        return;
    }
    m_current = hint;
    emit hintChanged(hint);
}

void HintTracker::setTooltipsEnabled(bool enabled) {
    m_tooltips = enabled;
    if (!enabled) {
        QToolTip::hideText();
    }
}

bool HintTracker::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        showHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true; // the status bar is written by the hint handler only
    }
    if (event->type() == QEvent::ToolTip && watched->isWidgetType()) {
        if (!m_tooltips) {
            QToolTip::hideText();
            return true;
        }
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->toolTip().isEmpty()) {
            return false; // Qt passes it on to the parent
        }
        const auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), widget->toolTip(), widget, QRect(), m_hidePause);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace traxilo
