#pragma once

#include <QProxyStyle>

namespace traxilo {

// The application style with the program's hint timing: a tooltip shows
// after the pointer has rested 400 ms on a control.
class HintStyle : public QProxyStyle {
    Q_OBJECT
public:
    static constexpr int HintPause = 400;

    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;

    // Installs the style on the application once.
    static void install();
};

} // namespace traxilo
