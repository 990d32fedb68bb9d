#include "app/dialogs/goto_dialog.h"

#include "app/design_colours.h"
#include "app/widget_style.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace traxilo {

TalleraDlg::TalleraDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("alleraDlg"));
    setWindowTitle(Caption);
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    fillBackground(this, kAqua);

    auto* panel = named(new QFrame(this), "Panel1");
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setFixedHeight(137);
    stringGridAller = named(new QTableWidget(0, 3, panel), "stringGridAller");
    stringGridAller->setHorizontalHeaderLabels(
        {QStringLiteral("image n°"), QStringLiteral("t (s)"), QStringLiteral("point n°")});
    stringGridAller->verticalHeader()->hide();
    stringGridAller->setColumnWidth(0, 80);
    stringGridAller->setColumnWidth(1, 80);
    stringGridAller->setColumnWidth(2, 72);
    stringGridAller->setEditTriggers(QAbstractItemView::NoEditTriggers);
    stringGridAller->setSelectionBehavior(QAbstractItemView::SelectRows);
    stringGridAller->setSelectionMode(QAbstractItemView::SingleSelection);
    stringGridAller->horizontalHeader()->setHighlightSections(false);
    stringGridAller->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background: rgb(%1, %2, %3); color: black; }")
            .arg(kLightBlue.red())
            .arg(kLightBlue.green())
            .arg(kLightBlue.blue()));
    stringGridAller->verticalHeader()->setDefaultSectionSize(18);
    QFont courier(QStringLiteral("Courier"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setFixedPitch(true);
    courier.setPixelSize(13);
    stringGridAller->setFont(courier);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    panelLayout->addWidget(stringGridAller);

    fermerBtn = named(new QPushButton(QStringLiteral("Fermer"), this), "fermerBtn");
    fermerBtn->setAutoDefault(false);
    Label1 =
        named(new QLabel(QStringLiteral("Cliquez sur le numéro de l'image à atteindre..."), this),
              "Label1");
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    fillBackground(Label1, kYellow);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(panel);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(fermerBtn);
    bottom->addWidget(Label1, 1);
    layout->addLayout(bottom);
    setFixedSize(257, 211);

    // A click on a line, or the arrow keys moving onto one.
    connect(stringGridAller, &QTableWidget::cellClicked, this, &TalleraDlg::stringGridAllerClick);
    connect(stringGridAller, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previousRow, int) {
                if (row != previousRow) {
                    stringGridAllerClick();
                }
            });
    stringGridAller->installEventFilter(this);
    connect(fermerBtn, &QPushButton::clicked, this, &TalleraDlg::reject);
}

void TalleraDlg::setMatches(const std::vector<PointMatch>& matches) {
    m_matches = matches;
    const QSignalBlocker quiet(stringGridAller);
    stringGridAller->clearContents();
    stringGridAller->setRowCount(int(matches.size()));
    for (int i = 0; i < int(matches.size()); ++i) {
        const PointMatch& m = matches[size_t(i)];
        const QString cells[3] = {QString::number(m.row), m.time, QString::number(m.point)};
        for (int c = 0; c < 3; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            stringGridAller->setItem(i, c, item);
        }
    }
    stringGridAller->setCurrentCell(-1, -1);
}

void TalleraDlg::stringGridAllerClick() {
    const int line = stringGridAller->currentRow();
    if (line < 0 || line >= int(m_matches.size())) {
        return;
    }
    const PointMatch& m = m_matches[size_t(line)];
    emit lineChosen(m.row, m.point);
}

void TalleraDlg::stringGridAllerKeyUp(int key) {
    if (key == Qt::Key_Delete) {
        emit deletePressed();
    }
}

bool TalleraDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == stringGridAller && event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            stringGridAllerKeyUp(key->key());
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace traxilo
