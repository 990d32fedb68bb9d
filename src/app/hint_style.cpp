#include "app/hint_style.h"

#include <QApplication>

namespace traxilo {

int HintStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const {
    if (hint == SH_ToolTip_WakeUpDelay) {
        return HintPause;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void HintStyle::install() {
    if (!qobject_cast<HintStyle*>(QApplication::style())) {
        // By name: the proxy must not wrap the style the application deletes.
        QApplication::setStyle(new HintStyle(QApplication::style()->name()));
    }
}

} // namespace traxilo
