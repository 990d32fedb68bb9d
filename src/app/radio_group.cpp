#include "app/radio_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <algorithm>

namespace traxilo {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns,
                       QWidget* parent)
    : QGroupBox(caption, parent), m_group(new QButtonGroup(this)) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 4, 8, 4);
    columns = std::max(1, columns);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items.at(i), this);
        m_group->addButton(button, i);
        m_buttons.append(button);
        grid->addWidget(button, i / columns, i % columns);
    }
    connect(m_group, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

int RadioGroup::itemIndex() const {
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    if (QAbstractButton* chosen = m_group->button(index)) {
        chosen->setChecked(true);
        return;
    }
    // An exclusive group never lets its checked button go by itself.
    m_group->setExclusive(false);
    for (QRadioButton* button : m_buttons) {
        button->setChecked(false);
    }
    m_group->setExclusive(true);
}

QRadioButton* RadioGroup::button(int index) const {
    return index >= 0 && index < m_buttons.size() ? m_buttons.at(index) : nullptr;
}

} // namespace traxilo
