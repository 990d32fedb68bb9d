#include "app/dialogs/about_box.h"

#include "app/tool_icons.h"
#include "app/widget_style.h"
#include "clip/library_versions.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtGlobal>

namespace traxilo {

QString librariesText() {
    QStringList lines;
    // The version of the Qt loaded, which may be newer than the one built on.
    lines << QStringLiteral("Qt %1 — GNU LGPL version 3").arg(QString::fromLatin1(qVersion()));
    for (const LibraryVersion& library : videoLibraries()) {
        lines << QStringLiteral("FFmpeg %1 %2 — %3")
                     .arg(library.name, library.version, library.licence);
    }
    return lines.join(QLatin1Char('\n'));
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(Caption);
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    imgIcone = named(new QLabel(this), "imgIcone");
    imgIcone->setPixmap(programIcon().pixmap(64, 64));
    lblTitre = named(new QLabel(this), "lblTitre");
    QFont big = lblTitre->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lblTitre->setFont(big);
    auto* purpose =
        new QLabel(QStringLiteral("Pointage de vidéos pour l'enseignement de la physique"), this);
    auto* uses = new QLabel(QStringLiteral("Bibliothèques utilisées :"), this);
    lblLibrairies = named(new QLabel(this), "lblLibrairies");
    lblLibrairies->setTextInteractionFlags(Qt::TextSelectableByMouse);
    OKButton = named(new QPushButton(QStringLiteral("OK"), this), "OKButton");
    OKButton->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    auto* head = new QHBoxLayout;
    head->addWidget(imgIcone);
    auto* titles = new QVBoxLayout;
    titles->addWidget(lblTitre);
    titles->addWidget(purpose);
    head->addLayout(titles, 1);
    layout->addLayout(head);
    layout->addSpacing(8);
    layout->addWidget(uses);
    layout->addWidget(lblLibrairies);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OKButton, &QPushButton::clicked, this, &TAboutBox::accept);
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TAboutBox::FormShow() {
    lblTitre->setText(Title);
    lblLibrairies->setText(librariesText());
}

} // namespace traxilo
