#include "app/dialogs/display_size_dialog.h"

#include "app/dialogs/button_row.h"
#include "app/message_seam.h"
#include "app/number_field.h"
#include "app/up_down.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace traxilo {

TtailleImaBox::TtailleImaBox(DisplaySize& size, QWidget* parent) : QDialog(parent), m_size(size) {
    setObjectName(QStringLiteral("tailleImaBox"));
    setWindowTitle(Caption);
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    chkBxAdapter = new QCheckBox(QStringLiteral("Adapter"), this);
    chkBxAdapter->setObjectName(QStringLiteral("chkBxAdapter"));
    pnlPc = new QLineEdit(QStringLiteral("100%"), this);
    pnlPc->setObjectName(QStringLiteral("pnlPc"));
    pnlPc->setAlignment(Qt::AlignCenter);
    pnlPc->setFixedWidth(60);
    pnlPc->setMaxLength(12);
    udPc = new UpDown(this);
    udPc->setObjectName(QStringLiteral("udPc"));
    udPc->setRange(kMinDisplayPercent, kMaxDisplayPercent);
    udPc->setPosition(100);
    udPc->setWrap(false);
    lblRange = new QLabel(rangeText(kMaxDisplayPercent), this);
    lblRange->setObjectName(QStringLiteral("lblRange"));

    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    CancelBtn = new QPushButton(QStringLiteral("Annuler"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1800);

    auto* layout = new QVBoxLayout(this);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(chkBxAdapter);
    sizeRow->addSpacing(12);
    sizeRow->addWidget(pnlPc);
    sizeRow->addWidget(udPc);
    sizeRow->addWidget(lblRange);
    sizeRow->addStretch(1);
    layout->addLayout(sizeRow);
    addButtonRow(layout, OKBtn, CancelBtn);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(udPc, &UpDown::clicked, this, &TtailleImaBox::udPcClick);
    // The real presses and releases of the mouse: a held arrow repeats its
    // own pressed and released signals.
    udPc->upButton()->installEventFilter(this);
    udPc->downButton()->installEventFilter(this);
    connect(Timer1, &QTimer::timeout, this, &TtailleImaBox::Timer1Timer);
    connect(chkBxAdapter, &QCheckBox::toggled, this, &TtailleImaBox::chkBxAdapterClick);
    connect(pnlPc, &QLineEdit::editingFinished, this, &TtailleImaBox::pnlPcEdited);
    pnlPc->installEventFilter(this);
    // Red while the text is not a number; said once the field is left.
    connect(pnlPc, &QLineEdit::textEdited, this, [this](const QString& text) {
        showFieldRefused(pnlPc, !parsePercent(text, maxPercent()));
    });
    onFieldCommitted(pnlPc, [this] {
        if (!parsePercent(pnlPc->text(), maxPercent())) {
            MessageSeam::showWarning(percentWarning(maxPercent()), this);
            pnlPcEdited(); // the last valid percent comes back
        }
    });
    connect(OKBtn, &QPushButton::clicked, this, &TtailleImaBox::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TtailleImaBox::reject);
}

int TtailleImaBox::maxPercent() const {
    return m_size.clipSize.isValid() ? maxDisplayPercent(m_size.clipSize) : kMaxDisplayPercent;
}

int TtailleImaBox::position() const {
    return udPc->position();
}

void TtailleImaBox::setPosition(int percent) {
    udPc->setPosition(percent);
    pnlPc->setText(percentText(udPc->position()));
    showFieldRefused(pnlPc, false);
}

void TtailleImaBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TtailleImaBox::hideEvent(QHideEvent* event) {
    FormHide();
    QDialog::hideEvent(event);
}

void TtailleImaBox::FormShow() {
    Timer1->start();
    OKBtn->setDefault(false);
    OKBtn->setAutoDefault(false);
    CancelBtn->setDefault(true);
    CancelBtn->setFocus();
    accelerating = false;
    // A big clip cannot be shown as large as a small one.
    udPc->setRange(kMinDisplayPercent, maxPercent());
    lblRange->setText(rangeText(maxPercent()));
    setPosition(udPc->position());
    setWindowTitle(QStringLiteral("Taille du clip (actuellement %1%)").arg(m_size.displayPercent));
    chkBxAdapter->setChecked(m_size.fitRequested); // checking it fits
}

void TtailleImaBox::FormHide() {
    Timer1->stop();
    accelerating = false;
    udPc->setIncrement(1);
}

void TtailleImaBox::udPcClick() {
    pnlPc->setText(percentText(udPc->position()));
}

void TtailleImaBox::udPcMouseDown() {
    accelerating = true;
    chkBxAdapter->setChecked(false);
}

void TtailleImaBox::udPcMouseUp() {
    accelerating = false;
    udPc->setIncrement(1);
}

void TtailleImaBox::Timer1Timer() {
    if (accelerating) {
        udPc->setIncrement(nextHeldStep(udPc->increment()));
    }
}

void TtailleImaBox::chkBxAdapterClick() {
    if (!chkBxAdapter->isChecked()) {
        return;
    }
    setPosition(fitPercent(m_size.clipArea, m_size.clipSize, maxPercent()));
}

void TtailleImaBox::pnlPcEdited() {
    const std::optional<int> typed = parsePercent(pnlPc->text(), maxPercent());
    if (typed && *typed != udPc->position()) {
        chkBxAdapter->setChecked(false); // a size of one's own, not the fitted one
    }
    // Anything else than a number puts the last valid percent back.
    setPosition(typed.value_or(udPc->position()));
}

void TtailleImaBox::OKBtnClick() {
    pnlPcEdited();
    m_outcome = displaySizeOk(udPc->position(), m_size.displayPercent, m_size.resetTo100,
                              chkBxAdapter->isChecked());
    accept();
}

void TtailleImaBox::CancelBtnClick() {
    if (m_size.resetTo100) {
        setPosition(m_size.displayPercent);
    }
}

void TtailleImaBox::reject() {
    CancelBtnClick();
    m_outcome = DisplaySizeOk::Nothing;
    QDialog::reject();
}

bool TtailleImaBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pnlPc && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // A percent typed and confirmed with Enter is the user's choice,
            // as OK would take it ("Annuler" stays the default elsewhere).
            OKBtnClick();
            return true;
        }
    }
    if (watched == udPc->upButton() || watched == udPc->downButton()) {
        if (event->type() == QEvent::MouseButtonPress) {
            udPcMouseDown();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            // After the release the arrow's click still moves by the
            // increment of the hold; the step goes back to 1 after it.
            QMetaObject::invokeMethod(this, &TtailleImaBox::udPcMouseUp, Qt::QueuedConnection);
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace traxilo
