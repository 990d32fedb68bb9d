#pragma once

#include <QColor>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace traxilo {

// The colour chooser of the main window, through one place so that tests
// can answer it. An empty optional means the user cancelled.
class ColorDialogSeam {
public:
    using Answerer = std::function<std::optional<QColor>(const QColor& initial)>;

    static std::optional<QColor> getColor(const QColor& initial, QWidget* parent = nullptr);

    // An empty answerer puts back the real dialog.
    static void setAnswerer(Answerer answerer);
    static int requestCount(); // how many times the chooser was opened
};

} // namespace traxilo
