#pragma once

#include <functional>

class QPrinter;
class QWidget;

namespace traxilo {

// Qt's print dialog (printer choice and settings, printing to a PDF file),
// through one place so that tests can answer it by setting up the printer
// themselves.
class PrintDialogSeam {
public:
    // Returns true when the user confirmed; the printer then holds the choices.
    using Answerer = std::function<bool(QPrinter& printer)>;

    static bool exec(QPrinter& printer, QWidget* parent = nullptr);

    // An empty answerer puts back the real dialog.
    static void setAnswerer(Answerer answerer);
    static bool hasAnswerer();
};

} // namespace traxilo
