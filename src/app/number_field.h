#pragma once

#include <QValidator>

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

} // namespace traxilo
