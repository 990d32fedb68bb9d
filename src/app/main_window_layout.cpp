#include "app/main_window.h"

#include "app/magnifier_panel.h"

#include "app/pages/calibration_page.h"
#include "app/pages/measures_page.h"
#include "app/widget_style.h"

#include "app/design_colours.h"
#include "app/hint_tracker.h"
#include "app/pages/clip_properties_page.h"
#include "app/paint_box.h"
#include "app/tool_icons.h"
#include "app/up_down.h"

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

QToolButton* toolButton(QToolBar* bar, const char* name, const QIcon& icon, const QString& hint,
                        bool enabled) {
    auto* button = named(new QToolButton(bar), name);
    button->setIcon(icon);
    button->setAutoRaise(true);
    button->setEnabled(enabled);
    HintTracker::setHint(button, hint);
    bar->addWidget(button);
    return button;
}

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    return named(new QLabel(text, parent), name);
}

QToolBar* fixedBar(QWidget* parent, const char* name) {
    auto* bar = named(new QToolBar(parent), name);
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    return bar;
}

} // namespace

void TForm1::buildLayout() {
    // The window's own right-click menu (showing and hiding tool bars) has
    // no place here.
    setContextMenuPolicy(Qt::NoContextMenu);
    buildToolBar();
    buildClipArea();
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

    loupePnl = new MagnifierPanel(pnl1, tbCoord, ToolBar2, cursors, this);

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

void TForm1::buildClipArea() {
    pnl1 = named(new QWidget(this), "pnl1");
    auto* column = new QVBoxLayout(pnl1);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    tbCoord = fixedBar(pnl1, "tbCoord");
    lblXPixels = label(tbCoord, "lblXPixels", QStringLiteral("pX= "));
    lblYPixels = label(tbCoord, "lblYPixels", QStringLiteral("pY= "));
    lblUPixels = label(tbCoord, "lblUPixels", QStringLiteral("pixels"));
    lblPMetres = label(tbCoord, "lblPMetres", QStringLiteral(";"));
    lblXMetres = label(tbCoord, "lblXMetres", QStringLiteral("x= "));
    lblYMetres = label(tbCoord, "lblYMetres", QStringLiteral("y= "));
    lblUMetres = label(tbCoord, "lblUMetres", QStringLiteral("mètres"));
    lblEchelle = label(tbCoord, "lblEchelle", QStringLiteral("(échelle non définie)"));
    QPalette warning = lblEchelle->palette();
    warning.setColor(QPalette::WindowText, QColor(192, 0, 0));
    lblEchelle->setPalette(warning);
    for (QLabel* l : {lblXPixels, lblYPixels, lblUPixels, lblPMetres, lblXMetres, lblYMetres,
                      lblUMetres, lblEchelle}) {
        l->setContentsMargins(3, 0, 3, 0);
        tbCoord->addWidget(l);
    }
    column->addWidget(tbCoord);

    ScrollBox1 = named(new QScrollArea(pnl1), "ScrollBox1");
    ScrollBox1->setWidgetResizable(false);
    fillBackground(ScrollBox1->viewport(), kSilver);
    ScrollBox1Contents = named(new QWidget, "ScrollBox1Contents");
    fillBackground(ScrollBox1Contents, kSilver);

    pnl1AVI = named(new QLabel(ScrollBox1Contents), "pnl1AVI");
    pnl1AVI->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnl1AVI->setGeometry(0, 0, 359, 279);
    pnl1AVI->setAlignment(Qt::AlignCenter);
    pnl1AVI->setWordWrap(true);
    QPalette orange = pnl1AVI->palette();
    orange.setColor(QPalette::Window, QColor(242, 159, 34));
    orange.setColor(QPalette::WindowText, QColor(255, 255, 0));
    pnl1AVI->setPalette(orange);
    pnl1AVI->setAutoFillBackground(true);
    QFont captionFont(QStringLiteral("Verdana"));
    captionFont.setPixelSize(37);
    captionFont.setBold(true);
    captionFont.setItalic(true);
    pnl1AVI->setFont(captionFont);

    PaintBox1 = named(new PaintBox(pnl1AVI), "PaintBox1");
    PaintBox1->setGeometry(4, 4, 351, 271);
    indicX1 = named(new QFrame(pnl1AVI), "indicX1");
    indicY1 = named(new QFrame(pnl1AVI), "indicY1");
    indicX2 = named(new QFrame(pnl1AVI), "indicX2");
    indicY2 = named(new QFrame(pnl1AVI), "indicY2");
    for (QFrame* shape : {indicX1, indicY1, indicX2, indicY2}) {
        shape->setFixedSize(3, 3);
        shape->hide();
    }
    ScrollBox1Contents->resize(pnl1AVI->geometry().bottomRight().x() + 1,
                               pnl1AVI->geometry().bottomRight().y() + 1);
    ScrollBox1->setWidget(ScrollBox1Contents);
    column->addWidget(ScrollBox1, 1);

    buildNavigationBar();
    column->addWidget(ToolBar2);
}

void TForm1::buildNavigationBar() {
    ToolBar2 = fixedBar(pnl1, "ToolBar2");
    struct Nav {
        QToolButton** button;
        const char* name;
        int tag;
        ToolIcon icon;
        const char* hint;
    };
    const Nav buttons[] = {
        {&bbtnPlay, "bbtnPlay", 2, ToolIcon::Play, "Jouer le clip|Jouer le clip"},
        {&bbtnDeb, "bbtnDeb", 3, ToolIcon::First, "Première image|Aller à la première image"},
        {&bbtnFin, "bbtnFin", 4, ToolIcon::Last, "Dernière image|Aller à la dernière image"},
        {&bbtnPre, "bbtnPre", 5, ToolIcon::Previous, "Image précédente|Aller à l'image précédente"},
        {&bbtnSui, "bbtnSui", 6, ToolIcon::Next, "Image suivante|Aller à l'image suivante"},
    };
    for (const Nav& nav : buttons) {
        *nav.button =
            toolButton(ToolBar2, nav.name, toolIcon(nav.icon), QString::fromUtf8(nav.hint), false);
        (*nav.button)->setProperty("tag", nav.tag);
    }
    lblNoImage1 = label(ToolBar2, "lblNoImage1", QStringLiteral("image n° "));
    lblNoImage2 = label(ToolBar2, "lblNoImage2", QStringLiteral("0"));
    lblNoImage3 = label(ToolBar2, "lblNoImage3", QStringLiteral(" / "));
    lblNoImage4 = label(ToolBar2, "lblNoImage4", QStringLiteral("0"));
    lblNoImage5 = label(ToolBar2, "lblNoImage5", QString());
    lblCadence = label(ToolBar2, "lblCadence", QString());
    for (QLabel* l :
         {lblNoImage1, lblNoImage2, lblNoImage3, lblNoImage4, lblNoImage5, lblCadence}) {
        ToolBar2->addWidget(l);
    }
}

void TForm1::buildPages() {
    PageControl1 = named(new QTabWidget(this), "PageControl1");
    tsMesures = new MeasuresPage(*m_document);
    tsEtalon = new CalibrationPage(*m_document);
    tsProClip = new ClipPropertiesPage(*m_document);
    PageControl1->addTab(tsMesures, QStringLiteral("Mesures"));
    PageControl1->addTab(tsEtalon, QStringLiteral("Etalonnage"));
    PageControl1->addTab(tsProClip, QStringLiteral("Propriétés du clip"));
}

} // namespace traxilo
