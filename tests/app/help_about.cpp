// Help and about: every help command opens its topic in the help window, an
// unknown topic shows the contents, the pages link only to pages that exist;
// the about box names the program and the libraries it runs on; every button
// has a picture, ours when no icon theme has one.
#include "app/dialogs/about_box.h"
#include "app/dialogs/help_window.h"
#include "app/main_window.h"
#include "app/tool_icons.h"
#include "clip/library_versions.h"
#include "support/measure_window.h"
#include "support/modal_driver.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>

using namespace traxilo;
using namespace traxilo::test;

class HelpAboutTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_fixture.reset(); }

    void helpCommands_data();
    void helpCommands();
    void helpFollowsTheWorkMode();
    void unknownTopicShowsTheContents();
    void pagesLinkOnlyToPages();
    void helpMenuUnderTheButtons();
    void aboutBox();
    void everyButtonHasAPicture();

private:
    TForm1& w() { return *m_fixture->window; }
    HelpWindow& help() { return *child<HelpWindow>(w(), "HelpWindow"); }
    QToolButton* button(const char* name) { return child<QToolButton>(w(), name); }
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void HelpAboutTest::init() {
    m_fixture.reset(); // its seams go before the new window's come (a failed init skips cleanup)
    m_fixture = std::make_unique<MainWindowFixture>();
    QVERIFY(m_fixture->isValid());
}

void HelpAboutTest::helpCommands_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("topic");
    const char* main[6] = {"SommaireDelAide1",   "CommentEtalonner1",
                           "CommentPointer1",    "CommentExploiterLesDonnees1",
                           "AideSurLesBoutons1", "AideDesMenus1"};
    const char* popup[6] = {"SommaireDelAide2",           "CommentEtalonner2", "CommentPointer2",
                            "CommentExploiterLesDonnes2", "AideDesBoutons2",   "Aidedesmenus2"};
    const int topics[6] = {1, 220, 230, 240, 300, 350};
    for (int i = 0; i < 6; ++i) {
        QTest::newRow(main[i]) << main[i] << topics[i];
        QTest::newRow(popup[i]) << popup[i] << topics[i];
    }
    QTest::newRow("help button at start") << "BitBtn1" << 210;
    QTest::newRow("clip's menu without a clip") << "popUpMnuAide" << 1;
}

void HelpAboutTest::helpCommands() {
    QFETCH(QString, command);
    QFETCH(int, topic);
    if (auto* button = w().findChild<QToolButton*>(command)) {
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        w().findChild<QAction*>(command)->trigger();
    }
    QVERIFY(help().isVisible());
    QCOMPARE(help().currentTopic(), topic);
    // A page of ours, in French, with its title.
    QVERIFY(!help().helpBrowser->documentTitle().isEmpty());
    QVERIFY(help().helpBrowser->toPlainText().contains(QStringLiteral(" le ")));
}

void HelpAboutTest::helpFollowsTheWorkMode() {
    const OpenedClip clip =
        openGeneratedClip(*m_fixture, smallClipSpec(3), QStringLiteral("help_about.avi"));
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    QTest::mouseClick(button("BitBtn1"), Qt::LeftButton);
    QCOMPARE(help().currentTopic(), 230);
    trigger(w(), "popUpMnuModeEtalonner");
    QTest::mouseClick(button("BitBtn1"), Qt::LeftButton);
    QCOMPARE(help().currentTopic(), 220);
    trigger(w(), "popUpMnuAide");
    QCOMPARE(help().currentTopic(), 220);
    trigger(w(), "popUpMnuModeAcquerir");
    trigger(w(), "popUpMnuAide");
    QCOMPARE(help().currentTopic(), 230);
    // The properties page has no topic of its own: the item does nothing.
    help().hide();
    trigger(w(), "popUpMnuModeProClip");
    trigger(w(), "popUpMnuAide");
    QVERIFY(!help().isVisible());
}

void HelpAboutTest::unknownTopicShowsTheContents() {
    for (int topic : {999, 0, -5}) {
        help().showTopic(topic);
        QCOMPARE(help().currentTopic(), 1);
    }
    help().showTopic(240);
    QTest::mouseClick(help().btnSommaire, Qt::LeftButton);
    QCOMPARE(help().currentTopic(), 1);
    QVERIFY(help().btnPrecedent->isEnabled());
    QTest::mouseClick(help().btnPrecedent, Qt::LeftButton);
    QCOMPARE(help().currentTopic(), 240);
}

void HelpAboutTest::pagesLinkOnlyToPages() {
    for (int topic : {1, 210, 220, 230, 240, 300, 350}) {
        QVERIFY2(HelpWindow::hasTopic(topic), qPrintable(QString::number(topic)));
    }
    const QRegularExpression link(QStringLiteral("href=\"([^\"#]+)"));
    const QStringList pages = QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")});
    QVERIFY(pages.size() >= 7);
    for (const QString& page : pages) {
        QFile file(QStringLiteral(":/help/") + page);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (auto m = link.globalMatch(html); m.hasNext();) {
            const QString target = m.next().captured(1);
            QVERIFY2(QFile::exists(QStringLiteral(":/help/") + target),
                     qPrintable(page + QStringLiteral(" -> ") + target));
        }
    }
}

void HelpAboutTest::helpMenuUnderTheButtons() {
    w().resize(900, 600);
    w().show();
    QVERIFY(QTest::qWaitForWindowExposed(&w()));
    QToolButton* arrow = button("BitBtn3");
    auto* menu = child<QMenu>(w(), "PopupMenu3");
    QTest::mousePress(arrow, Qt::RightButton);
    QVERIFY(menu->isVisible());
    const QPoint origin = arrow->mapToGlobal(QPoint(0, 0));
    QCOMPARE(menu->pos(),
             QPoint(origin.x() - button("BitBtn1")->width(), origin.y() + arrow->height()));
    menu->hide();
}

void HelpAboutTest::aboutBox() {
    auto* box = child<TAboutBox>(w(), "AboutBox");
    runModal(
        box, [this] { trigger(w(), "aPropos1"); },
        [box] {
            QCOMPARE(box->windowTitle(), QStringLiteral("A propos..."));
            QVERIFY(!(box->windowFlags() & Qt::WindowCloseButtonHint));
            QCOMPARE(box->lblTitre->text(), QStringLiteral("Traxilo v.2.7.30"));
            QVERIFY(!box->imgIcone->pixmap().isNull());
            const QString libraries = box->lblLibrairies->text();
            QVERIFY(libraries.contains(QStringLiteral("Qt ") + qVersion()));
            const std::vector<LibraryVersion> video = videoLibraries();
            QVERIFY(video.size() >= 3);
            for (const LibraryVersion& library : video) {
                QVERIFY(library.version.count(QLatin1Char('.')) == 2);
                QVERIFY(!library.licence.isEmpty());
                // In French, like the rest ("GPL version 2 ou ultérieure").
                QVERIFY2(!library.licence.contains(QLatin1String("or later")) &&
                             !library.licence.contains(QLatin1String("nonfree")),
                         qPrintable(library.licence));
                QVERIFY(libraries.contains(library.name + ' ' + library.version));
            }
            box->OKButton->click();
            QVERIFY(!box->isVisible());
        });
}

void HelpAboutTest::everyButtonHasAPicture() {
    for (const char* bar : {"ToolBar1", "ToolBar2"}) {
        for (QToolButton* button : child<QToolBar>(w(), bar)->findChildren<QToolButton*>()) {
            if (!button->objectName().startsWith(QLatin1String("bbtn"))) {
                continue; // the help menu's arrow, the bar's own buttons
            }
            QVERIFY2(!button->icon().pixmap(16, 16).isNull(), qPrintable(button->objectName()));
        }
    }
    // Without an icon theme, our own pictures, each a different one.
    const QString theme = QIcon::themeName();
    QIcon::setThemeName(QStringLiteral("no-such-theme"));
    QList<QImage> seen;
    for (int i = 0; i <= int(ToolIcon::ClearTable); ++i) {
        const QImage picture = toolIcon(ToolIcon(i)).pixmap(16, 16).toImage();
        QVERIFY(!picture.isNull());
        QVERIFY2(!seen.contains(picture), qPrintable(QString::number(i)));
        seen << picture;
    }
    QIcon::setThemeName(theme);
}

QTEST_MAIN(HelpAboutTest)
#include "help_about.moc"
