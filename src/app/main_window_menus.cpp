#include "app/main_window.h"

#include "app/hint_tracker.h"
#include "app/paint_box.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace traxilo {

namespace {

QAction* item(QMenu* menu, const char* name, const QString& caption, const QString& hint = {}) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty()) {
        HintTracker::setHint(action, hint);
    }
    return action;
}

QAction* checkItem(QMenu* menu, const char* name, const QString& caption, bool checked,
                   const QString& hint = {}) {
    QAction* action = item(menu, name, caption, hint);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

QAction* radioItem(QMenu* menu, QActionGroup* group, const char* name, const QString& caption,
                   int tag, bool checked, const QString& hint = {}) {
    QAction* action = checkItem(menu, name, caption, checked, hint);
    action->setProperty("tag", tag);
    group->addAction(action);
    return action;
}

QMenu* submenu(QMenu* parent, const char* name, const QString& caption, const QString& hint = {}) {
    QMenu* menu = parent->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Item"));
    if (!hint.isEmpty()) {
        HintTracker::setHint(menu->menuAction(), hint);
    }
    return menu;
}

QMenu* topMenu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Item"));
    return menu;
}

// The six help items, in the main menu and in the help pop-up alike.
struct HelpItems {
    QAction* contents;
    QMenu* how;
    QAction* calibrate;
    QAction* point;
    QAction* useData;
    QAction* buttons;
    QAction* menus;
};

HelpItems helpItems(QMenu* menu, const char* const names[7]) {
    HelpItems items{};
    items.contents = item(menu, names[0], QStringLiteral("Sommaire de l'aide"));
    items.how = submenu(menu, names[1], QStringLiteral("Comment..."));
    items.calibrate = item(items.how, names[2], QStringLiteral("étalonner ?"));
    items.point = item(items.how, names[3], QStringLiteral("pointer ?"));
    items.useData = item(items.how, names[4], QStringLiteral("exploiter les données ?"));
    items.buttons = item(menu, names[5], QStringLiteral("Aide des boutons"));
    items.menus = item(menu, names[6], QStringLiteral("Aide des menus"));
    QAction* tagged[] = {items.contents, items.calibrate, items.point,
                         items.useData,  items.buttons,   items.menus};
    for (int tag = 0; tag < 6; ++tag) {
        tagged[tag]->setProperty("tag", tag);
    }
    return items;
}

} // namespace

void TForm1::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    // "Fichiers"
    mnuFichiers = topMenu(bar, "mnuFichiers", QStringLiteral("Fichiers"));
    mnuOuvrirClip = item(mnuFichiers, "mnuOuvrirClip", QStringLiteral("Ouvrir un clip vidéo..."),
                         QStringLiteral("|Ouvrir un clip vidéo (AVI, MP4, MOV, MKV, WebM...)"));
    mnuAccesClips = item(mnuFichiers, "mnuAccesClips", QStringLiteral("Accès aux clips..."));
    mnuMesures = submenu(mnuFichiers, "mnuMesures", QStringLiteral("Mesures"));
    mnuMesures->menuAction()->setEnabled(false);
    mnuCopierPP =
        submenu(mnuMesures, "mnuCopierPP", QStringLiteral("Copier dans le presse-papier"));
    mnuTableauPP = item(mnuCopierPP, "mnuTableauPP", QStringLiteral("Le tableau"));
    mnuGraphiquePP = item(mnuCopierPP, "mnuGraphiquePP", QStringLiteral("Le graphique"));
    mnuEnregFic = submenu(mnuMesures, "mnuEnregFic", QStringLiteral("Enregistrer dans un fichier"));
    mnuSaveRW3 = item(mnuEnregFic, "mnuSaveRW3", QStringLiteral("format Regressi Windows (*.rw3)"));
    mnuSaveRRR = item(mnuEnregFic, "mnuSaveRRR", QStringLiteral("format Regressi DOS (*.rrr)"));
    mnuSaveTXT = item(mnuEnregFic, "mnuSaveTXT", QStringLiteral("format Texte (*.txt)"));
    mnuImprimer = item(mnuMesures, "mnuImprimer", QStringLiteral("Imprimer"),
                       QStringLiteral("Imprimer le graphique (Axes et points seulement)"));
    mnuRegressi = submenu(mnuFichiers, "mnuRegressi", QStringLiteral("Regressi"));
    mnuRegPath = item(mnuRegressi, "mnuRegPath", QStringLiteral("Définir le chemin d'accès"),
                      QStringLiteral("Définir le chemin d'accès et la version (DOS ou Windows) "
                                     "de Regressi"));
    mnuRegExec = item(mnuRegressi, "mnuRegExec", QStringLiteral("Exécuter Regressi"));
    mnuRegExec->setEnabled(false);
    mnuFichiers->addSeparator();
    mnuQuitter = item(mnuFichiers, "mnuQuitter", QStringLiteral("Quitter"));

    // "Clip"
    mnuClip = topMenu(bar, "mnuClip", QStringLiteral("Clip"));
    mnuClip->menuAction()->setEnabled(false);
    mnuIma100 = item(mnuClip, "mnuIma100", QStringLiteral("100%"),
                     QStringLiteral("|Modifier la taille du clip : taille originale"));
    mnuImaAdapter =
        item(mnuClip, "mnuImaAdapter", QStringLiteral("Adapter"),
             QStringLiteral("|Modifier la taille du clip : taille adaptée à la zone d'affichage"));
    mnuImaAutre = item(mnuClip, "mnuImaAutre", QStringLiteral("Autre..."),
                       QStringLiteral("|Modifier la taille du clip : taille personnalisée"));

    // "Pointages"
    mnuPointages = topMenu(bar, "mnuPointages", QStringLiteral("Pointages"));
    mnuPointages->menuAction()->setEnabled(false);
    mnuFormePointeur =
        submenu(mnuPointages, "mnuFormePointeur", QStringLiteral("Forme du pointeur"),
                QStringLiteral("|Modifier la forme du pointeur "));
    auto* shapes = new QActionGroup(this);
    mnuGrandeCible = radioItem(mnuFormePointeur, shapes, "mnuGrandeCible",
                               QStringLiteral("  Grande cible"), 0, false);
    mnuPetiteCible = radioItem(mnuFormePointeur, shapes, "mnuPetiteCible",
                               QStringLiteral("  Petite cible"), 1, true);
    mnuCroix = radioItem(mnuFormePointeur, shapes, "mnuCroix", QStringLiteral("  Croix"), 2, false);

    mnuCouleurPointeur =
        submenu(mnuPointages, "mnuCouleurPointeur", QStringLiteral("Couleur du pointeur"),
                QStringLiteral("|Modifier la couleur du pointeur"));
    auto* colours = new QActionGroup(this);
    mnuCouleurNoir =
        radioItem(mnuCouleurPointeur, colours, "mnuCouleurNoir", QStringLiteral("  Noir"), 0, true);
    mnuCouleurBlanc = radioItem(mnuCouleurPointeur, colours, "mnuCouleurBlanc",
                                QStringLiteral("  Blanc"), 1, false);

    mnuTaillePoints = submenu(mnuPointages, "mnuTaillePoints", QStringLiteral("Taille des points"),
                              QStringLiteral("|Modifier la taille des points"));
    auto* sizes = new QActionGroup(this);
    const char* sizeNames[5] = {"mnuTaille1", "mnuTaille2", "mnuTaille3", "mnuTaile4",
                                "mnuTaille5"};
    for (int i = 0; i < 5; ++i) {
        mnuTaille[i] = radioItem(mnuTaillePoints, sizes, sizeNames[i],
                                 QStringLiteral("  %1").arg(i + 1), i + 1, i == 1);
    }

    mnuPointSuivantAuto =
        submenu(mnuPointages, "mnuPointSuivantAuto", QStringLiteral("Point suivant auto."));
    mnuAutoH = checkItem(mnuPointSuivantAuto, "mnuAutoH", QStringLiteral("  Horizontalement"), true,
                         QStringLiteral("Passer automatiquement au point suivant, sur une même "
                                        "image"));
    mnuAutoV = checkItem(mnuPointSuivantAuto, "mnuAutoV", QStringLiteral("  Verticalement"), true,
                         QStringLiteral("Passer à l'image suivante, après traitement de tous les "
                                        "points"));

    mnuSuiviAuto = item(mnuPointages, "mnuSuiviAuto", QStringLiteral("Suivi automatique..."),
                        QStringLiteral("Suivi automatique|Suivre un objet d'image en image : "
                                       "cliquez en son centre et tirez jusqu'à son bord"));
    mnuSuiviAuto->setEnabled(false);

    mnuConfigurationsrapides =
        submenu(mnuPointages, "mnuConfigurationsrapides", QStringLiteral("Configurations rapides"),
                QStringLiteral("Utiliser une configuration adaptée"));
    mnuFondClair = submenu(mnuConfigurationsrapides, "mnuFondClair", QStringLiteral("Fond clair"),
                           QStringLiteral("Utiliser une configuration adaptée à un fond clair."));
    mnuFondSombre =
        submenu(mnuConfigurationsrapides, "mnuFondSombre", QStringLiteral("Fond sombre"),
                QStringLiteral("Utiliser une configuration adaptée à un fond sombre."));
    buildQuickConfigurations();

    // "?"
    mnuAide = topMenu(bar, "mnuAide", QStringLiteral("?"));
    const char* const names[7] = {"SommaireDelAide1",
                                  "mnuComment1",
                                  "CommentEtalonner1",
                                  "CommentPointer1",
                                  "CommentExploiterLesDonnees1",
                                  "AideSurLesBoutons1",
                                  "AideDesMenus1"};
    const HelpItems help = helpItems(mnuAide, names);
    SommaireDelAide1 = help.contents;
    mnuComment1 = help.how;
    CommentEtalonner1 = help.calibrate;
    CommentPointer1 = help.point;
    CommentExploiterLesDonnees1 = help.useData;
    AideSurLesBoutons1 = help.buttons;
    AideDesMenus1 = help.menus;
    mnuAide->addSeparator();
    Aide2 = checkItem(mnuAide, "Aide2", QStringLiteral("Aide dans la barre d'état"), true);
    Aide3 = checkItem(mnuAide, "Aide3", QStringLiteral("Bulles d'aide"), false);
    mnuAide->addSeparator();
    aPropos1 = item(mnuAide, "aPropos1", QStringLiteral("A propos de Traxilo..."));
}

void TForm1::buildPopupMenus() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    popUpMenuAtteindre =
        item(PopupMenu1, "popUpMenuAtteindre", QStringLiteral("atteindre l'image"));
    PopupMenu1->addSeparator();
    popUpMnuModeAcquerir =
        checkItem(PopupMenu1, "popUpMnuModeAcquerir", QStringLiteral("Acquérir"), true);
    popUpMnuModeEtalonner =
        checkItem(PopupMenu1, "popUpMnuModeEtalonner", QStringLiteral("Etalonner"), false);
    popUpMnuModeProClip =
        checkItem(PopupMenu1, "popUpMnuModeProClip", QStringLiteral("Propriétés du clip"), false);
    PopupMenu1->addSeparator();
    popUpMnuPointeur = item(PopupMenu1, "popUpMnuPointeur", QStringLiteral("Pointeur"));
    LoupePopupMnu = checkItem(PopupMenu1, "LoupePopupMnu", QStringLiteral("Loupe"), false);
    PopupMenu1->addSeparator();
    popUpMnuAide = item(PopupMenu1, "popUpMnuAide", QStringLiteral("Aide"));
    for (QAction* needsClip : {popUpMenuAtteindre, popUpMnuModeAcquerir, popUpMnuModeEtalonner,
                               popUpMnuModeProClip, popUpMnuPointeur, LoupePopupMnu}) {
        needsClip->setEnabled(false);
    }
    PaintBox1->setPopupMenu(PopupMenu1);

    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    const char* const names[7] = {
        "SommaireDelAide2",           "mnuComment2",     "CommentEtalonner2", "CommentPointer2",
        "CommentExploiterLesDonnes2", "AideDesBoutons2", "Aidedesmenus2"};
    const HelpItems help = helpItems(PopupMenu3, names);
    SommaireDelAide2 = help.contents;
    mnuComment2 = help.how;
    CommentEtalonner2 = help.calibrate;
    CommentPointer2 = help.point;
    CommentExploiterLesDonnes2 = help.useData;
    AideDesBoutons2 = help.buttons;
    Aidedesmenus2 = help.menus;
}

} // namespace traxilo
