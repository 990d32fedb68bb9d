#include "app/number_field.h"

#include "common/number_format.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>

namespace traxilo {

namespace {

class FieldCommitHook : public QObject {
public:
    FieldCommitHook(QLineEdit* field, std::function<void()> committed)
        : QObject(field), m_committed(std::move(committed)) {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                m_committed();
        } else if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                m_committed();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_committed;
};

} // namespace

QValidator::State DecimalSeparatorValidator::validate(QString& input, int& pos) const {
    Q_UNUSED(pos); // the text keeps its length: the caret stays
    if (const DecimalTextFix fix = normaliseDecimalText(input); fix.changed)
        input = fix.text;
    return Acceptable;
}

void acceptBothDecimalSeparators(QLineEdit* field) {
    field->setValidator(new DecimalSeparatorValidator(field));
}

void onFieldCommitted(QLineEdit* field, std::function<void()> committed) {
    new FieldCommitHook(field, std::move(committed));
}

void showFieldRefused(QLineEdit* field, bool refused) {
    QPalette palette = field->palette();
    const QPalette standard = field->style()->standardPalette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base,
                         refused ? QColor(255, 0, 0) : standard.color(group, QPalette::Base));
        palette.setColor(group, QPalette::Text,
                         refused ? QColor(255, 255, 255) : standard.color(group, QPalette::Text));
    }
    field->setPalette(palette);
}

} // namespace traxilo
