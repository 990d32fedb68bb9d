#include "app/dialogs/clips_folder_dialog.h"

#include "app/config_file.h"
#include "app/dialogs/button_row.h"
#include "app/file_dialog_seam.h"
#include "app/hint_tracker.h"

#include <QButtonGroup>
#include <QDir>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace traxilo {

TaccesClipsBox::TaccesClipsBox(ConfigFile& config, QWidget* parent)
    : QDialog(parent), m_config(config) {
    setObjectName(QStringLiteral("accesClipsBox"));
    setWindowTitle(Caption);
    setModal(true);
    // A fixed border and no title-bar buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    rb1 = new QRadioButton(QStringLiteral("Utiliser le dossier du dernier clip"), this);
    rb1->setObjectName(QStringLiteral("rb1"));
    rb1->setChecked(true);
    rb2 = new QRadioButton(QStringLiteral("Toujours utiliser le dossier suivant : "), this);
    rb2->setObjectName(QStringLiteral("rb2"));
    edClipsPath = new QLineEdit(this);
    edClipsPath->setObjectName(QStringLiteral("edClipsPath"));
    edClipsPath->setEnabled(false);
    edClipsPath->setMinimumWidth(320);
    btnParcourir = new QPushButton(QStringLiteral("Parcourir..."), this);
    btnParcourir->setObjectName(QStringLiteral("btnParcourir"));
    btnParcourir->setAutoDefault(false);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Annuler"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setAutoDefault(false);
    HintTracker::setHint(CancelBtn, QStringLiteral("|Annuler"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rb1);
    layout->addWidget(rb2);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(edClipsPath, 1);
    folderRow->addWidget(btnParcourir);
    layout->addLayout(folderRow);
    addButtonRow(layout, OKBtn, CancelBtn);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(rb1, &QRadioButton::clicked, this, &TaccesClipsBox::rb1Click);
    connect(rb2, &QRadioButton::clicked, this, &TaccesClipsBox::rb1Click);
    connect(btnParcourir, &QPushButton::clicked, this, &TaccesClipsBox::btnParcourirClick);
    connect(OKBtn, &QPushButton::clicked, this, &TaccesClipsBox::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TaccesClipsBox::reject);
}

void TaccesClipsBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TaccesClipsBox::FormShow() {
    // The file may have been edited outside since start-up.
    if (m_config.exists() && m_config.reread()) {
        const QString mode = m_config.ConfigLines[3];
        const bool follow = mode == QLatin1String("0");
        const bool fixed = mode == QLatin1String("1");
        // Any other value: neither is checked, and the user must pick one.
        rb1->setAutoExclusive(false);
        rb2->setAutoExclusive(false);
        rb1->setChecked(follow);
        rb2->setChecked(fixed);
        rb1->setAutoExclusive(true);
        rb2->setAutoExclusive(true);
        OKBtn->setEnabled(follow || fixed);
        CancelBtn->setEnabled(follow || fixed);
        edClipsPath->setText(m_config.ConfigLines[4]);
    }
    btnParcourir->setEnabled(rb2->isChecked());
}

void TaccesClipsBox::rb1Click() {
    OKBtn->setEnabled(true);
    CancelBtn->setEnabled(true);
    edClipsPath->setEnabled(rb2->isChecked());
    btnParcourir->setEnabled(rb2->isChecked());
}

void TaccesClipsBox::btnParcourirClick() {
    QString root = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!QDir(root).exists()) {
        root = QDir::homePath();
    }
    const std::optional<QString> folder = FileDialogSeam::getExistingDirectory(
        this, QStringLiteral("Choisissez un dossier..."), root);
    if (folder && !folder->isEmpty()) {
        edClipsPath->setText(*folder);
    }
}

void TaccesClipsBox::OKBtnClick() {
    m_config.ConfigLines[3] = rb1->isChecked() ? QStringLiteral("0") : QStringLiteral("1");
    m_config.ConfigLines[4] = edClipsPath->text(); // unchecked: the clip dialog copes
    if (m_config.exists()) {
        m_config.save();
    }
    accept();
}

void TaccesClipsBox::reject() {
    if (!CancelBtn->isEnabled()) {
        return;
    }
    QDialog::reject();
}

} // namespace traxilo
