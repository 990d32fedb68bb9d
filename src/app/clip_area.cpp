#include "app/clip_area.h"

#include "app/cursors.h"
#include "app/design_colours.h"
#include "app/event_hook.h"
#include "app/hint_tracker.h"
#include "app/paint_box.h"
#include "app/panel_dragger.h"
#include "app/tool_icons.h"
#include "app/widget_style.h"
#include "geometry/pixel_conversion.h"

#include <QAction>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace traxilo {

namespace {

constexpr int kOpenHand = 50;
constexpr int kClosedHand = 51;
const QString kTimeOriginMark = QStringLiteral("   ( t= 0 )");

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    return named(new QLabel(text, parent), name);
}

} // namespace

ClipArea::ClipArea(const CursorRegistry& cursors, QWidget* parent)
    : QWidget(parent), m_cursors(cursors) {
    setObjectName(QStringLiteral("pnl1"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    buildCoordinateBar();
    column->addWidget(tbCoord);
    buildPicture();
    column->addWidget(ScrollBox1, 1);
    buildNavigationBar();
    column->addWidget(ToolBar2);
}

void ClipArea::buildCoordinateBar() {
    tbCoord = fixedBar(this, "tbCoord");
    lblXPixels = label(tbCoord, "lblXPixels", QStringLiteral("pX= "));
    lblYPixels = label(tbCoord, "lblYPixels", QStringLiteral("pY= "));
    QLabel* lblUPixels = label(tbCoord, "lblUPixels", QStringLiteral("pixels"));
    QLabel* lblPMetres = label(tbCoord, "lblPMetres", QStringLiteral(";"));
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
    // Its hint quotes the sensitivities as they are when the pointer comes.
    auto* hover = new EventHook(
        QEvent::MouseMove, [this](QEvent*) { emit coordinateBarHovered(); }, this);
    tbCoord->setMouseTracking(true);
    hover->watch(tbCoord);
    for (QWidget* child : tbCoord->findChildren<QWidget*>()) {
        child->setMouseTracking(true);
        hover->watch(child);
    }
}

void ClipArea::buildPicture() {
    ScrollBox1 = named(new QScrollArea(this), "ScrollBox1");
    ScrollBox1->setWidgetResizable(false);
    fillBackground(ScrollBox1->viewport(), kSilver);
    auto* ScrollBox1Contents = named(new QWidget, "ScrollBox1Contents"); // pnl1AVI moves in it
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

    auto* dragger = new PanelDragger(pnl1AVI);
    dragger->setObjectName(QStringLiteral("pnl1AVIDragger"));
    dragger->setEnabledWhen([this] { return m_draggable; });
    connect(dragger, &PanelDragger::hovered, this,
            [this] { pnl1AVI->setCursor(m_cursors.cursor(kOpenHand)); });
    connect(dragger, &PanelDragger::dragStarted, this, [this] {
        pnl1AVI->setCursor(m_cursors.cursor(kClosedHand));
        emit panelDragStarted();
    });
    connect(dragger, &PanelDragger::dragFinished, this,
            [this] { pnl1AVI->setCursor(m_cursors.cursor(kOpenHand)); });
}

void ClipArea::buildNavigationBar() {
    ToolBar2 = fixedBar(this, "ToolBar2");
    struct Nav {
        const char* name;
        Navigation tag;
        ToolIcon icon;
        const char* hint;
    };
    const Nav buttons[] = {
        {"bbtnPlay", Play, ToolIcon::Play, "Jouer le clip|Jouer le clip"},
        {"bbtnDeb", First, ToolIcon::First, "Première image|Aller à la première image"},
        {"bbtnFin", Last, ToolIcon::Last, "Dernière image|Aller à la dernière image"},
        {"bbtnPre", Previous, ToolIcon::Previous, "Image précédente|Aller à l'image précédente"},
        {"bbtnSui", Next, ToolIcon::Next, "Image suivante|Aller à l'image suivante"},
    };
    for (const Nav& nav : buttons) {
        QToolButton* b =
            toolButton(ToolBar2, nav.name, toolIcon(nav.icon), QString::fromUtf8(nav.hint), false);
        b->setProperty("tag", int(nav.tag));
        m_buttons[nav.tag - Play] = b;
        connect(b, &QToolButton::clicked, this, [this, nav] { emit navigationClicked(nav.tag); });
    }
    QLabel* lblNoImage1 = label(ToolBar2, "lblNoImage1", QStringLiteral("image n° "));
    lblNoImage2 = label(ToolBar2, "lblNoImage2", QStringLiteral("0"));
    QLabel* lblNoImage3 = label(ToolBar2, "lblNoImage3", QStringLiteral(" / "));
    lblNoImage4 = label(ToolBar2, "lblNoImage4", QStringLiteral("0"));
    lblNoImage5 = label(ToolBar2, "lblNoImage5", QString());
    lblCadence = label(ToolBar2, "lblCadence", QString());
    for (QLabel* l :
         {lblNoImage1, lblNoImage2, lblNoImage3, lblNoImage4, lblNoImage5, lblCadence}) {
        ToolBar2->addWidget(l);
    }
}

const QWidget* ClipArea::coordinateBar() const {
    return tbCoord;
}

const QWidget* ClipArea::navigationBar() const {
    return ToolBar2;
}

QSize ClipArea::pictureRoom() const {
    return ScrollBox1->contentsRect().size();
}

void ClipArea::showCaption(const QString& caption) {
    pnl1AVI->setText(caption);
}

void ClipArea::showOpenedClip(QSize picture) {
    HintTracker::setHint(pnl1AVI,
                         QStringLiteral("Glisser-déplacer l'image|Glisser-déplacer l'image"));
    // The picture sits 4 pixels inside the panel; the pointing surface
    // covers it exactly.
    pnl1AVI->setText(QString());
    fitPanelTo(picture);
    setSurfaceSize(picture);
    pnl1AVI->setCursor(m_cursors.cursor(kOpenHand));
    fillBackground(pnl1AVI, Qt::white);
    m_draggable = true;
}

void ClipArea::fitPanelTo(QSize picture) {
    pnl1AVI->resize(picture.width() + 8, picture.height() + 8);
    PanelDragger::fitParentTo(pnl1AVI);
}

void ClipArea::setSurfaceSize(QSize size) {
    PaintBox1->setGeometry(4, 4, size.width(), size.height());
}

void ClipArea::moveToCorner() {
    pnl1AVI->move(0, 0);
    PanelDragger::fitParentTo(pnl1AVI);
    ScrollBox1->horizontalScrollBar()->setValue(0);
    ScrollBox1->verticalScrollBar()->setValue(0);
}

void ClipArea::showReadouts(const PointerReadouts& readouts) {
    lblXPixels->setText(readouts.xPixels);
    lblYPixels->setText(readouts.yPixels);
    lblXMetres->setText(readouts.xMetres);
    lblYMetres->setText(readouts.yMetres);
}

void ClipArea::showMetres(const QString& x, const QString& y) {
    lblXMetres->setText(x);
    lblYMetres->setText(y);
}

void ClipArea::showScaleUndefined(bool undefined) {
    // A QToolBar shows its widgets through their actions.
    for (QAction* action : tbCoord->actions()) {
        QWidget* widget = tbCoord->widgetForAction(action);
        if (widget == lblEchelle) {
            action->setVisible(undefined);
        } else if (widget == lblXMetres || widget == lblYMetres || widget == lblUMetres) {
            action->setVisible(!undefined);
        }
    }
}

void ClipArea::setCoordinateHint(const QString& hint) {
    HintTracker::setHint(tbCoord, hint);
}

void ClipArea::placeScaleMarkers(QPoint p1, QPoint p2) {
    // Centred on the point's column and row as shown, in the panel's margins.
    indicX1->move(p1.x() + 3, 1);
    indicY1->move(1, p1.y() + 3);
    indicX2->move(p2.x() + 3, 1);
    indicY2->move(1, p2.y() + 3);
}

void ClipArea::showScaleMarkers() {
    const char* red = "background: white; border: 1px solid rgb(255, 0, 0);";
    const char* blue = "background: white; border: 1px solid rgb(0, 0, 255);";
    indicX1->setStyleSheet(QString::fromLatin1(red));
    indicY1->setStyleSheet(QString::fromLatin1(red));
    indicX2->setStyleSheet(QString::fromLatin1(blue));
    indicY2->setStyleSheet(QString::fromLatin1(blue));
    for (QFrame* shape : {indicX1, indicY1, indicX2, indicY2}) {
        shape->show();
        shape->raise();
    }
}

void ClipArea::showFrameNumber(int number, int count) {
    lblNoImage2->setText(QString::number(number));
    lblNoImage4->setText(QString::number(count));
}

void ClipArea::showTimeOriginMark(bool shown) {
    lblNoImage5->setText(shown ? kTimeOriginMark : QString());
}

void ClipArea::showCaptureRate(const QString& text) {
    lblCadence->setText(text);
}

QToolButton* ClipArea::button(Navigation which) const {
    return m_buttons[which - Play];
}

void ClipArea::enableNavigation(bool forward, bool back) {
    for (Navigation b : {Play, Last, Next}) {
        button(b)->setEnabled(forward);
    }
    for (Navigation b : {First, Previous}) {
        button(b)->setEnabled(back);
    }
}

bool ClipArea::navigationEnabled(Navigation which) const {
    return button(which)->isEnabled();
}

} // namespace traxilo
