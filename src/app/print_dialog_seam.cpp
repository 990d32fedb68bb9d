#include "app/print_dialog_seam.h"

#include <QPrintDialog>
#include <QPrinter>

namespace traxilo {

namespace {
PrintDialogSeam::Answerer& answerer() {
    static PrintDialogSeam::Answerer instance;
    return instance;
}
} // namespace

bool PrintDialogSeam::exec(QPrinter& printer, QWidget* parent) {
    if (answerer())
        return answerer()(printer);
    QPrintDialog dialog(&printer, parent);
    // One page is printed: page ranges and copies of pages mean nothing here.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}

void PrintDialogSeam::setAnswerer(Answerer a) {
    answerer() = std::move(a);
}

bool PrintDialogSeam::hasAnswerer() {
    return static_cast<bool>(answerer());
}

} // namespace traxilo
