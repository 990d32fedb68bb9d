#include "app/number_field.h"

#include "common/number_format.h"

#include <QLineEdit>

namespace traxilo {

QValidator::State DecimalSeparatorValidator::validate(QString& input, int& pos) const {
    Q_UNUSED(pos); // the text keeps its length: the caret stays
    if (const DecimalTextFix fix = normaliseDecimalText(input); fix.changed)
        input = fix.text;
    return Acceptable;
}

void acceptBothDecimalSeparators(QLineEdit* field) {
    field->setValidator(new DecimalSeparatorValidator(field));
}

} // namespace traxilo
