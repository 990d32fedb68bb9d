#include "app/main_window.h"

#include "app/pages/measures_page.h"

#include "app/magnifier_panel.h"

#include "app/dialogs/dialogs.h"
#include "app/dialogs/point_appearance_dialog.h"
#include "app/dialogs/pointer_dialog.h"
#include "app/hint_tracker.h"
#include "app/message_seam.h"
#include "app/paint_box.h"
#include "app/up_down.h"
#include "document/document_commands.h"
#include "document/measurement_document.h"
#include "pointing/style_table.h"
#include "pointing/table_selection.h"

#include <QUndoStack>

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QToolButton>
#include <QWidgetAction>

namespace traxilo {

namespace {

// Closes the open menus, as choosing an ordinary item does.
void closeMenus() {
    for (int guard = 0; guard < 8; ++guard) {
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup) {
            return;
        }
        popup->close();
    }
}

QIcon swatch(const QColor& colour) {
    QPixmap pixmap(12, 12);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

} // namespace

// The nine items of each palette in three columns of three, with a bar
// between the columns: a menu lists its items in one column, so the columns
// are a widget of buttons standing for the items.
void TForm1::buildQuickConfigurations() {
    const char* lightNames[9] = {"mnuFdCl1point",  "mnuFdCl2points", "mnuFdCl3points",
                                 "mnuFdCl4points", "mnuFdCl5points", "mnuFdCl6points",
                                 "mnuFdCl7points", "mnuFdCl8points", "mnuFdCl9points"};
    const char* darkNames[9] = {"mnuFdSo1Point",  "mnuFdSo2points", "mnuFdSo3points",
                                "mnuFdSo4points", "mnuFdSo5points", "mnuFdSo6points",
                                "mnuFdSo7points", "mnuFdSo8points", "mnuFdSo9points"};
    struct Palette {
        QMenu* menu;
        QAction** items;
        const char** names;
        int firstTag;
        Background background;
        QString hint;
    };
    const Palette palettes[2] = {
        {mnuFondClair, mnuFdCl, lightNames, 1, Background::Light,
         QStringLiteral("Utiliser une configuration adaptée à fond clair.")},
        {mnuFondSombre, mnuFdSo, darkNames, 21, Background::Dark,
         QStringLiteral("Utiliser une configuration adaptée à un fond sombre.")},
    };
    for (const Palette& palette : palettes) {
        auto* grid = new QWidget(palette.menu);
        grid->setObjectName(palette.menu->objectName() + QStringLiteral("Columns"));
        auto* layout = new QGridLayout(grid);
        layout->setContentsMargins(4, 4, 4, 4);
        layout->setHorizontalSpacing(4);
        layout->setVerticalSpacing(0);
        for (int i = 0; i < 9; ++i) {
            const QString caption =
                i == 0 ? QStringLiteral("1 point") : QStringLiteral("%1 points").arg(i + 1);
            QAction* action = new QAction(caption, this);
            action->setObjectName(QString::fromLatin1(palette.names[i]));
            action->setCheckable(true);
            action->setProperty("tag", palette.firstTag + i);
            // The colour the item gives its last point.
            action->setIcon(swatch(paletteColour(palette.background, i + 1)));
            if (i < 4) {
                HintTracker::setHint(action, palette.hint);
            }
            palette.items[i] = action;
            auto* button = new QToolButton(grid);
            button->setDefaultAction(action);
            button->setAutoRaise(true);
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
            button->setFocusPolicy(Qt::NoFocus);
            layout->addWidget(button, i % 3, (i / 3) * 2);
            connect(action, &QAction::triggered, this, [this, action] {
                mnuFdCl2pointsClick(action->property("tag").toInt());
                closeMenus();
            });
        }
        for (int bar = 0; bar < 2; ++bar) {
            auto* line = new QFrame(grid);
            line->setFrameShape(QFrame::VLine);
            line->setFrameShadow(QFrame::Sunken);
            layout->addWidget(line, 0, bar * 2 + 1, 3, 1);
        }
        auto* columns = new QWidgetAction(palette.menu);
        columns->setDefaultWidget(grid);
        palette.menu->addAction(columns);
        palette.menu->menuAction()->setCheckable(true);
    }
}

void TForm1::connectAppearanceSignals() {
    for (QAction* shape : {mnuGrandeCible, mnuPetiteCible, mnuCroix}) {
        connect(shape, &QAction::triggered, this,
                [this, shape] { mnuPetiteCibleClick(shape->property("tag").toInt()); });
    }
    for (QAction* colour : {mnuCouleurNoir, mnuCouleurBlanc}) {
        connect(colour, &QAction::triggered, this,
                [this, colour] { mnuCouleurNoirClick(colour->property("tag").toInt()); });
    }
    for (QAction* size : mnuTaille) {
        connect(size, &QAction::triggered, this,
                [this, size] { mnuTaille1Click(size->property("tag").toInt()); });
    }
    connect(udTaillePoints, &UpDown::clicked, this, &TForm1::udTaillePointsClick);
    connect(bbtnCible, &QToolButton::clicked, this, &TForm1::bbtnCibleClick);
    connect(popUpMnuPointeur, &QAction::triggered, this, &TForm1::bbtnCibleClick);
}

void TForm1::setSurfaceCursor(int number) {
    surfaceCursor = number;
    PaintBox1->setCursor(cursors.cursor(number));
}

void TForm1::Curseur() {
    const int number = pointStyle.Curseur(surfaceCursor);
    // The magnifier's cross-hair takes the pointer's colour.
    const QColor hair = pointStyle.colourChoice == 0 ? Qt::black : Qt::white;
    loupePnl->setCrossHairColour(hair);
    QAction* colours[2] = {mnuCouleurNoir, mnuCouleurBlanc};
    colours[std::clamp(pointStyle.colourChoice, 0, 1)]->setChecked(true);
    if (pointStyle.shapeChoiceEnabled) {
        QAction* shapes[3] = {mnuGrandeCible, mnuPetiteCible, mnuCroix};
        shapes[std::clamp(pointStyle.shapeChoice, 0, 2)]->setChecked(true);
    }
    setSurfaceCursor(number);
}

void TForm1::mnuPetiteCibleClick(int tag) {
    pointStyle.shapeChoice = std::clamp(tag, 0, 2);
    Curseur();
}

void TForm1::mnuCouleurNoirClick(int tag) {
    pointStyle.colourChoice = std::clamp(tag, 0, 1);
    Curseur();
}

void TForm1::mnuTaille1Click(int tag) {
    setMarkSize(std::clamp(tag - 1, 0, 4));
}

void TForm1::udTaillePointsClick() {
    if (!clipOpen()) {
        return;
    }
    setMarkSize(udTaillePoints->position());
}

void TForm1::setMarkSize(int r) {
    if (r == m_document->markSize()) {
        showStyles(); // the menu item and the arrows say so again
        return;
    }
    if (!clipOpen()) {
        m_document->setStyles(m_document->styles(), r);
        return;
    }
    pushChange(new ChangeStyles(m_document, QStringLiteral("la taille des points"),
                                m_document->styles(), r));
}

void TForm1::mnuFdCl2pointsClick(int tag) {
    const std::optional<QuickConfiguration> configuration = quickConfiguration(tag);
    if (!configuration) {
        return;
    }
    if (!keepFewerPoints(configuration->points)) {
        // Nothing changes: the item chosen takes back its check mark.
        for (int i = 0; i < 9; ++i) {
            for (QAction* item : {mnuFdCl[i], mnuFdSo[i]}) {
                if (item->property("tag").toInt() == tag) {
                    item->setChecked(!item->isChecked());
                }
            }
        }
        return;
    }
    // One choice across both palettes.
    for (int i = 0; i < 9; ++i) {
        mnuFdCl[i]->setChecked(mnuFdCl[i]->property("tag").toInt() == tag);
        mnuFdSo[i]->setChecked(mnuFdSo[i]->property("tag").toInt() == tag);
    }
    const bool light = configuration->background == Background::Light;
    mnuFondClair->menuAction()->setChecked(light);
    mnuFondSombre->menuAction()->setChecked(!light);

    const int n = configuration->points;
    const PointStyles styles = applyQuickConfiguration(m_document->styles(), *configuration);
    if (!clipOpen()) {
        m_document->setStyles(styles, m_document->markSize());
        m_document->setPointsPerFrame(n);
        return;
    }
    // The colours and the number of points: one step of "Annuler".
    undoStack->beginMacro(QStringLiteral("la configuration rapide"));
    pushChange(new ChangeStyles(m_document, QStringLiteral("les couleurs des points"), styles,
                                m_document->markSize()));
    if (n != m_document->pointsPerFrame())
        pushChange(new ChangePointsPerFrame(m_document, n));
    undoStack->endMacro();
    // The table moves to the last point's column, which makes it current.
    tsMesures->selectPoint(n);
}

void TForm1::bbtnCibleClick() {
    if (dialogs->dlgPointeur->exec() == QDialog::Accepted) {
        Curseur();
    }
}

void TForm1::bbtnCouleurPointClick() {
    TaspectPointBox& box = *dialogs->aspectPointBox;
    const int point = m_document->currentPoint();
    box.setStyle(point, m_document->styles().point(point));
    if (box.exec() != QDialog::Accepted) {
        return;
    }
    PointStyles styles = m_document->styles();
    styles.point(point) = box.chosenStyle();
    if (!(styles == m_document->styles()))
        pushChange(new ChangeStyles(m_document, QStringLiteral("l'aspect du point"), styles,
                                    m_document->markSize()));
}

} // namespace traxilo
