#pragma once

#include <QValidator>
#include <functional>

class QLineEdit;

namespace traxilo {

// Lets a number field take "," and "." alike as the decimal separator,
// typed or pasted: the one that is not the locale's becomes it before the
// field's text changes, so its change handling only ever sees the locale's.
// Every text is accepted: the field's own handling says what is wrong.
class DecimalSeparatorValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

void acceptBothDecimalSeparators(QLineEdit* field);

// Every number field the user types into follows one rule: while a text is
// not (yet) a valid value the field only turns red, since "0," or "5E-" are
// on the way to a number; once the user is done with it, a text still not
// valid is said in a box and the last valid value comes back. `committed`
// runs when the user is done: Return or Enter pressed in the field, or the
// focus gone to another widget of the same window (a message box or another
// window taking it is neither). The key goes on to the field as usual.
void onFieldCommitted(QLineEdit* field, std::function<void()> committed);

// White on red while the text is refused; the style's colours otherwise.
void showFieldRefused(QLineEdit* field, bool refused);

} // namespace traxilo
