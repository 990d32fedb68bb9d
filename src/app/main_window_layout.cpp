#include "app/main_window.h"

#include "app/clip_area.h"
#include "app/hint_tracker.h"
#include "app/magnifier_panel.h"
#include "app/pages/calibration_page.h"
#include "app/pages/clip_properties_page.h"
#include "app/pages/graphs_page.h"
#include "app/pages/measures_page.h"
#include "app/tool_icons.h"
#include "app/up_down.h"
#include "app/widget_style.h"

#include <QAction>
#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace traxilo {

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    return named(new QLabel(text, parent), name);
}

} // namespace

void TForm1::buildLayout() {
    // The window's own right-click menu (showing and hiding tool bars) has
    // no place here.
    setContextMenuPolicy(Qt::NoContextMenu);
    buildToolBar();
    pnl1 = new ClipArea(cursors, this);
    PaintBox1 = pnl1->surface();
    buildPages();

    Splitter1 = named(new QSplitter(Qt::Horizontal, this), "Splitter1");
    Splitter1->addWidget(pnl1);
    Splitter1->addWidget(PageControl1);
    Splitter1->setHandleWidth(2);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setStyleSheet(QStringLiteral("QSplitter::handle { background: rgb(0, 255, 255); }"));
    pnl1->setMinimumWidth(20);
    PageControl1->setMinimumWidth(20);
    Splitter1->setSizes({LastPanelWidth, LastWindowWidth - LastPanelWidth - 2});
    setCentralWidget(Splitter1);

    StatusBar1 = named(new QStatusBar(this), "StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setFixedHeight(19);
    setStatusBar(StatusBar1);

    loupePnl =
        new MagnifierPanel(pnl1, pnl1->coordinateBar(), pnl1->navigationBar(), cursors, this);

    Timer1 = named(new QTimer(this), "Timer1");
    Timer1->setInterval(40);
    Timer3 = named(new QTimer(this), "Timer3");
    Timer3->setInterval(500);
}

void TForm1::buildToolBar() {
    ToolBar1 = fixedBar(this, "ToolBar1");
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    bbtnOpenAvi = toolButton(
        ToolBar1, "bbtnOpenAvi", toolIcon(ToolIcon::OpenClip),
        QStringLiteral("Ouvrir un clip vidéo|Ouvrir un clip vidéo (AVI, MP4, MOV, MKV, WebM...)"),
        true);
    bbtnIma = toolButton(ToolBar1, "bbtnIma", toolIcon(ToolIcon::DisplaySize),
                         QStringLiteral("Taille de l'image\r(% de l'original)|Modifier la taille "
                                        "de l'image en % de l'original"),
                         false);
    loupeBtn = toolButton(ToolBar1, "loupeBtn", toolIcon(ToolIcon::Magnifier),
                          QStringLiteral("Montrer / Cacher la loupe"), false);
    bbtnCible = toolButton(
        ToolBar1, "bbtnCible", QIcon(QPixmap::fromImage(CursorRegistry::standardImage(102))),
        QStringLiteral("Aspect du pointeur|Modifier l'aspect du pointeur"), false);

    Panel7 = named(new QFrame(ToolBar1), "Panel7");
    Panel7->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* sizeRow = new QHBoxLayout(Panel7);
    sizeRow->setContentsMargins(2, 0, 2, 0);
    sizeRow->setSpacing(2);
    sizeRow->addWidget(new QLabel(QStringLiteral(" Taille"), Panel7));
    lblTaillePoints = label(Panel7, "lblTaillePoints", QStringLiteral("2"));
    sizeRow->addWidget(lblTaillePoints);
    udTaillePoints = named(new UpDown(Panel7), "udTaillePoints");
    udTaillePoints->setRange(0, 4);
    udTaillePoints->setPosition(1);
    udTaillePoints->setWrap(false);
    sizeRow->addWidget(udTaillePoints);
    HintTracker::setHint(Panel7, QStringLiteral("Changer la taille des\rpoints (1..5)|Changer la "
                                                "taille des points (1..5)"));
    Panel7->setEnabled(false);
    ToolBar1->addWidget(Panel7);

    bbtnRegExec = toolButton(ToolBar1, "bbtnRegExec", toolIcon(ToolIcon::RunRegressi),
                             QStringLiteral("Exécuter Regressi"), false);
    bbtnCopierMesuresPP =
        toolButton(ToolBar1, "bbtnCopierMesuresPP", toolIcon(ToolIcon::CopyTable),
                   QStringLiteral("Copier le tableau|Copier le tableau de mesures dans le "
                                  "presse-papier"),
                   false);
    bbtnCopierGraphiquePP = toolButton(
        ToolBar1, "bbtnCopierGraphiquePP", toolIcon(ToolIcon::CopyGraph),
        QStringLiteral("Copier le graphique|Copier le graphique dans le presse-papier"), false);
    bbtnEnregistrerMesures = toolButton(
        ToolBar1, "bbtnEnregistrerMesures", toolIcon(ToolIcon::SaveMeasures),
        QStringLiteral("Enregistrer les mesures|Enregistrer les mesures dans un fichier"), false);
    bbtnImprimer = toolButton(
        ToolBar1, "bbtnImprimer", toolIcon(ToolIcon::Print),
        QStringLiteral("Imprimer l'ensemble\rdes points et axes|Imprimer l'ensemble des points et "
                       "axes"),
        false);
    BitBtn1 = toolButton(ToolBar1, "BitBtn1", toolIcon(ToolIcon::Help), QStringLiteral("Aide|Aide"),
                         true);
    BitBtn3 = toolButton(ToolBar1, "BitBtn3", QIcon(), QStringLiteral("Aide|Aide"), true);
    BitBtn3->setArrowType(Qt::DownArrow);
    BitBtn3->setFixedWidth(12);

    // A label, not a command: it stays readable and shows the clip's path.
    lblNomAvi = label(ToolBar1, "lblNomAvi", QString());
    ToolBar1->addWidget(lblNomAvi);
    tbtnPreQuit = ToolBar1->addSeparator();
    tbtnPreQuit->setObjectName(QStringLiteral("tbtnPreQuit"));
    bbtnQuitter =
        toolButton(ToolBar1, "bbtnQuitter", toolIcon(ToolIcon::Quit),
                   QStringLiteral("Quitter Traxilo|Quitter Traxilo avec regrets :-(("), true);
}

void TForm1::buildPages() {
    PageControl1 = named(new QTabWidget(this), "PageControl1");
    tsMesures = new MeasuresPage(*m_document);
    tsEtalon = new CalibrationPage(*m_document);
    tsProClip = new ClipPropertiesPage(*m_document);
    PageControl1->addTab(tsMesures, QStringLiteral("Mesures"));
    PageControl1->addTab(tsEtalon, QStringLiteral("Etalonnage"));
    PageControl1->addTab(tsProClip, QStringLiteral("Propriétés du clip"));
    // Beside the table, and the full height of the window: a graph under
    // the picture would leave a 768-pixel screen too little of either.
    tsGraphes = new GraphsPage(*m_document);
    PageControl1->insertTab(1, tsGraphes, QStringLiteral("Graphes"));
}

} // namespace traxilo
