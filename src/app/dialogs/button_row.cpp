#include "app/dialogs/button_row.h"

#include <QBoxLayout>
#include <QPushButton>

namespace traxilo {

void addButtonRow(QBoxLayout* layout, QPushButton* ok, QPushButton* cancel) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    layout->addLayout(row);
}

} // namespace traxilo
