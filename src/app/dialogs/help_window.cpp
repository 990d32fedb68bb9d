#include "app/dialogs/help_window.h"

#include "app/widget_style.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace traxilo {

namespace {
const QString kPages = QStringLiteral("qrc:/help/");
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(Caption);
    setModal(false);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMinMaxButtonsHint);
    resize(720, 620);

    btnSommaire = named(new QPushButton(QStringLiteral("Sommaire"), this), "btnSommaire");
    btnPrecedent = named(new QPushButton(QStringLiteral("< Précédent"), this), "btnPrecedent");
    btnSuivant = named(new QPushButton(QStringLiteral("Suivant >"), this), "btnSuivant");
    for (QPushButton* b : {btnSommaire, btnPrecedent, btnSuivant}) {
        b->setAutoDefault(false);
    }
    btnPrecedent->setEnabled(false);
    btnSuivant->setEnabled(false);
    helpBrowser = named(new QTextBrowser(this), "helpBrowser");
    helpBrowser->setOpenExternalLinks(true);
    helpBrowser->setSearchPaths({QStringLiteral(":/help")});

    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnSommaire);
    buttons->addWidget(btnPrecedent);
    buttons->addWidget(btnSuivant);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    layout->addWidget(helpBrowser, 1);

    connect(btnSommaire, &QPushButton::clicked, this, [this] { showTopic(ContentsTopic); });
    connect(btnPrecedent, &QPushButton::clicked, helpBrowser, &QTextBrowser::backward);
    connect(btnSuivant, &QPushButton::clicked, helpBrowser, &QTextBrowser::forward);
    connect(helpBrowser, &QTextBrowser::backwardAvailable, btnPrecedent, &QWidget::setEnabled);
    connect(helpBrowser, &QTextBrowser::forwardAvailable, btnSuivant, &QWidget::setEnabled);
}

bool HelpWindow::hasTopic(int topic) {
    return topic > 0 && QFile::exists(QStringLiteral(":/help/%1.html").arg(topic));
}

QUrl HelpWindow::topicUrl(int topic) {
    return QUrl(kPages + QStringLiteral("%1.html").arg(hasTopic(topic) ? topic : ContentsTopic));
}

void HelpWindow::showTopic(int topic) {
    helpBrowser->setSource(topicUrl(topic));
    show();
    raise();
    activateWindow();
}

int HelpWindow::currentTopic() const {
    const QString file = helpBrowser->source().fileName();
    if (!file.endsWith(QStringLiteral(".html"))) {
        return 0;
    }
    bool ok = false;
    const int topic = file.chopped(5).toInt(&ok);
    return ok ? topic : 0;
}

} // namespace traxilo
