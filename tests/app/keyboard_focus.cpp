// The keyboard as a user meets it: buttons never keep the focus (Space must
// not open the clip dialog after a click on "Image suivante"), the picture
// and the table take the keys that step the clip, the picture has them after
// each opening, and the menus and the dialogs have their Alt access keys.
#include "app/main_window.h"
#include "app/paint_box.h"
#include "app/string_grid.h"
#include "clip/clip_player.h"
#include "support/clip_opening.h"
#include "support/measure_window.h"
#include "support/modal_driver.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace traxilo;
using namespace traxilo::test;

namespace {

ClipPlayer::Mode playerMode(const TForm1& w) {
    return required<ClipPlayer>(w, "MediaPlayer1")->mode();
}

} // namespace

class KeyboardFocus : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { m_fixture.reset(); }
    void spaceAfterANavigationButtonPlays();
    void keysOverThePicture_data();
    void keysOverThePicture();
    void keysOverTheTable_data();
    void keysOverTheTable();
    void menusHaveAccessKeys();
    void pictureHasTheKeysAfterAnOpening();
    void dialogsHaveAccessKeys();

private:
    TForm1& w() { return *m_fixture->window; }
    // A key to whatever has the focus, as the keyboard sends it.
    void press(int key) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(key)); }
    std::unique_ptr<MainWindowFixture> m_fixture;
};

void KeyboardFocus::init() {
    m_fixture.reset(); // its seams go before the new window's come (a failed init skips cleanup)
    m_fixture = std::make_unique<MainWindowFixture>();
    QVERIFY(m_fixture->isValid());
    const OpenedClip clip = openGeneratedClip(*m_fixture, smallClipSpec(12), "keys.avi");
    QVERIFY2(clip.ok(), qPrintable(clip.error));
    QApplication::setActiveWindow(&w());
    QVERIFY(QTest::qWaitForWindowActive(&w()));
}

void KeyboardFocus::spaceAfterANavigationButtonPlays() {
    const int dialogs = m_fixture->seams.fileRequests().size();
    for (const char* bar : {"ToolBar1", "ToolBar2"}) {
        for (QToolButton* button : required<QToolBar>(w(), bar)->findChildren<QToolButton*>())
            QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    }
    QTest::mouseClick(required<QToolButton>(w(), "bbtnSui"), Qt::LeftButton);
    QCOMPARE(frameShown(w()), 1);
    QVERIFY(QApplication::focusWidget() != nullptr);
    QVERIFY(!qobject_cast<QToolButton*>(QApplication::focusWidget()));
    press(Qt::Key_Space);
    QCOMPARE(m_fixture->seams.fileRequests().size(), dialogs); // no clip dialog
    QCOMPARE(playerMode(w()), ClipPlayer::Mode::Playing);
    press(Qt::Key_Space);
    QCOMPARE(playerMode(w()), ClipPlayer::Mode::Stopped);
    QTRY_COMPARE(frameShown(w()), required<ClipPlayer>(w(), "MediaPlayer1")->position());
    QCOMPARE(shownFrame(w()), frameShown(w()));
}

void KeyboardFocus::keysOverThePicture_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected"); // from frame 5 of 12
    QTest::newRow("Right") << int(Qt::Key_Right) << 6;
    QTest::newRow("Page Down") << int(Qt::Key_PageDown) << 6;
    QTest::newRow("Left") << int(Qt::Key_Left) << 4;
    QTest::newRow("Page Up") << int(Qt::Key_PageUp) << 4;
    QTest::newRow("Home") << int(Qt::Key_Home) << 0;
    QTest::newRow("End") << int(Qt::Key_End) << 11;
}

void KeyboardFocus::keysOverThePicture() {
    QFETCH(int, key);
    QFETCH(int, expected);
    showFrame(w(), 4);
    clickSurface(w(), QPoint(30, 40)); // records, and moves on to frame 5
    QCOMPARE(frameShown(w()), 5);
    QCOMPARE(QApplication::focusWidget(), required<QWidget>(w(), "PaintBox1"));
    QTest::mouseClick(required<QToolButton>(w(), "bbtnPre"), Qt::LeftButton); // keeps nothing
    QTest::mouseClick(required<QToolButton>(w(), "bbtnSui"), Qt::LeftButton);
    press(key);
    QCOMPARE(frameShown(w()), expected);
    QCOMPARE(shownFrame(w()), expected);
    QCOMPARE(labelText(w(), "lblNoImage2"), QString::number(expected + 1));
}

void KeyboardFocus::keysOverTheTable_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected"); // from frame 5 of 12
    QTest::newRow("Page Down") << int(Qt::Key_PageDown) << 6;
    QTest::newRow("Page Up") << int(Qt::Key_PageUp) << 4;
    QTest::newRow("Down") << int(Qt::Key_Down) << 6;
    QTest::newRow("Home") << int(Qt::Key_Home) << 0;
    QTest::newRow("End") << int(Qt::Key_End) << 11;
    QTest::newRow("Right moves to y, same frame") << int(Qt::Key_Right) << 5;
}

void KeyboardFocus::keysOverTheTable() {
    QFETCH(int, key);
    QFETCH(int, expected);
    auto* grid = required<StringGrid>(w(), "StringGrid1");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(1, 6).center());
    QCOMPARE(frameShown(w()), 5);
    QCOMPARE(QApplication::focusWidget(), grid);
    press(key);
    QCOMPARE(frameShown(w()), expected);
    QCOMPARE(shownFrame(w()), expected);
    QCOMPARE(grid->grid()->row(), expected + 1);
    press(Qt::Key_Space);
    QCOMPARE(playerMode(w()),
             expected == 11 ? ClipPlayer::Mode::Stopped : ClipPlayer::Mode::Playing);
    if (playerMode(w()) == ClipPlayer::Mode::Playing)
        press(Qt::Key_Space); // and stops
}

void KeyboardFocus::menusHaveAccessKeys() {
    QSet<int> keys;
    for (QAction* top : w().menuBar()->actions()) {
        const QKeySequence key = QKeySequence::mnemonic(top->text());
        if (top->text() == QLatin1String("?"))
            continue; // no letter to take
        QVERIFY2(!key.isEmpty(), qPrintable(top->text()));
        QVERIFY2(!keys.contains(key[0].toCombined()), qPrintable(top->text()));
        keys.insert(key[0].toCombined());
        // Within each menu too, every item has its own key.
        QSet<int> inner;
        for (QAction* item : top->menu()->actions()) {
            if (item->isSeparator())
                continue;
            const QKeySequence itemKey = QKeySequence::mnemonic(item->text());
            QVERIFY2(!itemKey.isEmpty(), qPrintable(item->text()));
            QVERIFY2(!inner.contains(itemKey[0].toCombined()), qPrintable(item->text()));
            inner.insert(itemKey[0].toCombined());
        }
    }
    QCOMPARE(QKeySequence::mnemonic(required<QMenu>(w(), "mnuFichiers")->title()),
             QKeySequence(Qt::ALT | Qt::Key_F));
}

void KeyboardFocus::pictureHasTheKeysAfterAnOpening() {
    // The table had the keys; another clip is opened.
    auto* grid = required<StringGrid>(w(), "StringGrid1");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect(1, 3).center());
    QCOMPARE(QApplication::focusWidget(), grid);
    const OpenedClip other = openGeneratedClip(*m_fixture, smallClipSpec(8), "other.avi");
    QVERIFY2(other.ok(), qPrintable(other.error));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("PaintBox1"));
    press(Qt::Key_Right);
    QCOMPARE(shownFrame(w()), 1);
    QCOMPARE(labelText(w(), "lblNoImage2"), QStringLiteral("2"));
}

void KeyboardFocus::dialogsHaveAccessKeys() {
    const QList<QDialog*> dialogs = w().findChildren<QDialog*>(Qt::FindDirectChildrenOnly);
    QVERIFY(dialogs.size() >= 12);
    for (QDialog* dialog : dialogs) {
        // Every button and every label of a field has its own key.
        QStringList captions;
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
            if (!button->text().isEmpty() && !qobject_cast<QToolButton*>(button))
                captions << button->text();
        }
        for (QLabel* label : dialog->findChildren<QLabel*>()) {
            if (label->buddy())
                captions << label->text();
        }
        QSet<int> keys;
        for (const QString& caption : captions) {
            const QKeySequence key = QKeySequence::mnemonic(caption);
            const QString where = dialog->objectName() + QStringLiteral(": ") + caption;
            QVERIFY2(!key.isEmpty(), qPrintable(where));
            QVERIFY2(!keys.contains(key[0].toCombined()), qPrintable(where));
            keys.insert(key[0].toCombined());
        }
    }
    // The keys act: Alt+A is "Annuler" in the display size dialog.
    auto* sizeDialog = w().findChild<QDialog*>(QStringLiteral("tailleImaBox"));
    QVERIFY(sizeDialog);
    bool closed = false;
    runModal(
        sizeDialog, [this] { w().findChild<QAction*>(QStringLiteral("mnuImaAutre"))->trigger(); },
        [&] {
            // The offscreen platform does not activate a dialog by itself.
            QApplication::setActiveWindow(sizeDialog);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::AltModifier);
            QTRY_VERIFY(!sizeDialog->isVisible()); // the button shows its press first
            closed = true;
        });
    QVERIFY(closed);
    QCOMPARE(labelText(w(), "lblAdapt"), QStringLiteral("Adaptation : 100%"));
}

QTEST_MAIN(KeyboardFocus)
#include "keyboard_focus.moc"
