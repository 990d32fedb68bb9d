#include "app/color_dialog_seam.h"

#include <QColorDialog>

namespace traxilo {

namespace {
ColorDialogSeam::Answerer& answerer() {
    static ColorDialogSeam::Answerer instance;
    return instance;
}
int s_requests = 0;
} // namespace

std::optional<QColor> ColorDialogSeam::getColor(const QColor& initial, QWidget* parent) {
    ++s_requests;
    if (answerer())
        return answerer()(initial);
    // Any colour may be chosen, without an alpha channel.
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen.toRgb();
}

void ColorDialogSeam::setAnswerer(Answerer a) {
    answerer() = std::move(a);
}

int ColorDialogSeam::requestCount() {
    return s_requests;
}

} // namespace traxilo
