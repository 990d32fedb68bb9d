#include "app/dialogs/regressi_path_dialog.h"

#include "app/config_file.h"
#include "app/dialogs/button_row.h"
#include "app/file_dialog_seam.h"
#include "app/hint_tracker.h"
#include "app/message_seam.h"
#include "app/radio_group.h"
#include "app/widget_style.h"
#include "export/regressi_launch.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace traxilo {

TaccesregBox::TaccesregBox(ConfigFile& config, QWidget* parent)
    : QDialog(parent), m_config(config) {
    setObjectName(QStringLiteral("accesregBox"));
    setWindowTitle(Caption);
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    edRegPath = named(new QLineEdit(this), "edRegPath");
    edRegPath->setMinimumWidth(360);
    HintTracker::setHint(edRegPath, QStringLiteral("|Chemin d'accès à Regressi"));
    btnParcourir = named(new QPushButton(QStringLiteral("Parcourir..."), this), "btnParcourir");
    btnParcourir->setAutoDefault(false);
    HintTracker::setHint(btnParcourir, QStringLiteral("|Définir le chemin d'accès à Regressi"));
    rgRegVersion =
        named(new RadioGroup(QStringLiteral(" Version "),
                             {QStringLiteral(" Regressi Windows"), QStringLiteral(" Regressi DOS")},
                             2, this),
              "rgRegVersion");
    HintTracker::setHint(rgRegVersion,
                         QStringLiteral("|Choisir la version de Regressi (Windows OU DOS)"));
    OKBtn = named(new QPushButton(QStringLiteral("OK"), this), "OKBtn");
    OKBtn->setDefault(true);
    HintTracker::setHint(OKBtn, QStringLiteral("|Valider les choix concernant Regressi"));
    CancelBtn = named(new QPushButton(QStringLiteral("Annuler"), this), "CancelBtn");
    CancelBtn->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(edRegPath, 1);
    pathRow->addWidget(btnParcourir);
    layout->addLayout(pathRow);
    layout->addWidget(rgRegVersion);
    addButtonRow(layout, OKBtn, CancelBtn);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnParcourir, &QPushButton::clicked, this, &TaccesregBox::btnParcourirClick);
    connect(rgRegVersion, &RadioGroup::itemClicked, this, &TaccesregBox::rgRegVersionClick);
    // A path typed or pasted is checked by OK, once a version is chosen.
    connect(edRegPath, &QLineEdit::textEdited, this,
            [this] { OKBtn->setEnabled(rgRegVersion->itemIndex() >= 0); });
    connect(OKBtn, &QPushButton::clicked, this, &TaccesregBox::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TaccesregBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TaccesregBox::FormShow() {
    m_outcome = Outcome::Cancelled;
    OKBtn->setEnabled(false);
    const std::optional<RegressiFormat> format =
        regressiFormatFromVersion(m_config.regressiVersion());
    rgRegVersion->setItemIndex(!format ? -1 : *format == RegressiFormat::Windows ? 0 : 1);
    const QString path = m_config.regressiPath();
    const bool present = QFileInfo(path).isFile();
    edRegPath->setText(present ? path : QString());
    OKBtn->setEnabled(present && format.has_value());
}

void TaccesregBox::btnParcourirClick() {
    QString start = QFileInfo(edRegPath->text()).absolutePath();
    if (edRegPath->text().isEmpty() || !QFileInfo(start).isDir())
        start = QDir::homePath();
    const std::optional<QString> chosen = FileDialogSeam::getOpenFileName(
        this, Caption, start,
        {QStringLiteral("Regressi (éxécutable) (*.exe)"), QStringLiteral("Tous les fichiers (*)")});
    if (chosen && !chosen->isEmpty())
        edRegPath->setText(QDir::toNativeSeparators(QFileInfo(*chosen).absoluteFilePath()));
}

void TaccesregBox::rgRegVersionClick() {
    OKBtn->setEnabled(true);
}

void TaccesregBox::OKBtnClick() {
    const QString path = typedProgramPath(edRegPath->text());
    if (const std::optional<QString> problem = programPathProblem(path)) {
        MessageSeam::showError(*problem, this);
        edRegPath->setFocus();
        edRegPath->selectAll();
        return;
    }
    const RegressiFormat format =
        rgRegVersion->itemIndex() == 0 ? RegressiFormat::Windows : RegressiFormat::Dos;
    // Kept whole: the launch runs from any working folder.
    m_config.setRegressi(
        regressiVersionText(format),
        QDir::toNativeSeparators(QFileInfo(QDir::fromNativeSeparators(path)).absoluteFilePath()));
    m_outcome = m_config.save() ? Outcome::Saved : Outcome::SaveFailed;
    accept();
}

} // namespace traxilo
