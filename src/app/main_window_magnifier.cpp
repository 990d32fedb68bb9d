#include "app/main_window.h"

#include "app/design_colours.h"
#include "app/event_hook.h"
#include "app/hint_tracker.h"
#include "app/paint_box.h"
#include "app/panel_dragger.h"
#include "app/widget_style.h"
#include "pointing/magnifier.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace traxilo {

namespace {

constexpr int kOpenHand = 50;
constexpr int kClosedHand = 51;
constexpr int kBorder = 6; // the frame around the picture, where the panel is dragged
constexpr int kMargin = 6; // between the panel and the edges of the clip area

} // namespace

// The magnifier floats above the clip area. Only its frame drags it: the
// picture, the cross-hair and the button keep the arrow and stop the mouse.
void TForm1::buildMagnifier() {
    loupePnl = named(new QFrame(this), "loupePnl");
    loupePnl->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    loupePnl->setFixedSize(kLoupeSide + 2 * kBorder, kLoupeSide + 2 * kBorder);
    fillBackground(loupePnl, kAqua);
    HintTracker::setHint(loupePnl, QStringLiteral("Loupe|Loupe"));

    loupeImg = named(new QLabel(loupePnl), "loupeImg");
    loupeImg->setGeometry(kBorder, kBorder, kLoupeSide, kLoupeSide);
    const int hair = kBorder + kLoupeSide / 2; // 67: through the middle of the pointer's block
    loupeShpV = named(new QFrame(loupePnl), "loupeShpV");
    loupeShpV->setGeometry(hair, kBorder, 1, kLoupeSide);
    loupeShpH = named(new QFrame(loupePnl), "loupeShpH");
    loupeShpH->setGeometry(kBorder, hair, kLoupeSide, 1);
    for (QFrame* line : {loupeShpV, loupeShpH}) {
        fillBackground(line, Qt::black);
    }
    BitBtn2 = named(new QToolButton(loupePnl), "BitBtn2");
    BitBtn2->setGeometry(118, 2, 15, 15);
    BitBtn2->setText(QStringLiteral("×"));
    BitBtn2->setFocusPolicy(Qt::NoFocus);
    HintTracker::setHint(BitBtn2, QStringLiteral("Cacher la loupe|Cacher la loupe"));
    for (QWidget* part : {static_cast<QWidget*>(loupeImg), static_cast<QWidget*>(loupeShpV),
                          static_cast<QWidget*>(loupeShpH), static_cast<QWidget*>(BitBtn2)}) {
        part->setCursor(Qt::ArrowCursor);
        part->setAttribute(Qt::WA_NoMousePropagation);
    }
    BitBtn2->raise();

    PopupMenu2 = named(new QMenu(loupePnl), "PopupMenu2");
    Fermer1 = PopupMenu2->addAction(QStringLiteral("Cacher la loupe"));
    Fermer1->setObjectName(QStringLiteral("Fermer1"));
    loupePnl->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(loupePnl, &QWidget::customContextMenuRequested, this,
            [this](QPoint pos) { PopupMenu2->popup(loupePnl->mapToGlobal(pos)); });

    // No move loop of the system for a child widget: the panel follows the
    // mouse itself, inside the window.
    auto* dragger = new PanelDragger(loupePnl);
    dragger->setObjectName(QStringLiteral("loupePnlDragger"));
    dragger->setKeepInsideParent(true);
    dragger->setEnabledWhen([] { return true; });
    connect(dragger, &PanelDragger::hovered, this,
            [this] { loupePnl->setCursor(cursors.cursor(kOpenHand)); });
    connect(dragger, &PanelDragger::dragStarted, this,
            [this] { loupePnl->setCursor(cursors.cursor(kClosedHand)); });
    // Dropped, it goes to the corner of the clip area nearest to where it
    // was let go, where it hides the least of the picture.
    connect(dragger, &PanelDragger::dragFinished, this, [this] {
        loupePnl->setCursor(cursors.cursor(kOpenHand));
        rememberLoupeCentre();
        placeLoupe();
    });

    loupePnl->hide();
}

void TForm1::connectMagnifierSignals() {
    // The window or the splitter resized: the magnifier keeps to its corner.
    auto* resized = new EventHook(
        QEvent::Resize,
        [this](QEvent*) {
            if (loupePnl->isVisible()) {
                placeLoupe();
            }
        },
        this);
    resized->watch(pnl1);
    for (QAction* command : {LoupePopupMnu, Fermer1}) {
        connect(command, &QAction::triggered, this, &TForm1::loupeBtnClick);
    }
    for (QToolButton* button : {loupeBtn, BitBtn2}) {
        connect(button, &QToolButton::clicked, this, &TForm1::loupeBtnClick);
    }
}

void TForm1::rememberLoupeCentre() {
    const QPoint pnl1Origin = pnl1->mapTo(this, QPoint(0, 0));
    setLoupeCentre(QPoint(loupePnl->x() + loupePnl->width() / 2 - pnl1Origin.x(),
                          loupePnl->y() + loupePnl->height() / 2 - pnl1Origin.y()));
}

void TForm1::setLoupeCentre(QPoint centre) {
    loupeCentre = centre;
    m_loupeCorner = int(loupeCorner(centre, pnl1->size()));
}

void TForm1::loupeBtnClick() {
    if (loupePnl->isVisible()) {
        rememberLoupeCentre();
        loupePnl->hide();
    } else {
        QPixmap blue(kLoupeSide, kLoupeSide);
        blue.fill(QColor(0, 0, 255));
        loupeImg->setPixmap(blue);
        placeLoupe();
        loupePnl->show();
        loupePnl->raise();
    }
    LoupePopupMnu->setChecked(loupePnl->isVisible());
}

void TForm1::loupe(int x, int y) {
    loupeImg->setPixmap(QPixmap::fromImage(magnify(PaintBox1->image(), QPoint(x, y))));
}

// Puts the magnifier panel in the corner of the clip area nearest to its
// remembered centre, clear of the tool bars above and below the clip.
void TForm1::placeLoupe() {
    const QPoint origin = pnl1->mapTo(this, QPoint(0, 0));
    const int w = pnl1->width();
    const int h = pnl1->height();
    const auto corner = LoupeCorner(m_loupeCorner);
    const bool top = corner == LoupeCorner::TopLeft || corner == LoupeCorner::TopRight;
    const bool left = corner == LoupeCorner::TopLeft || corner == LoupeCorner::BottomLeft;
    const int y = top ? origin.y() + tbCoord->height() + kMargin
                      : origin.y() + h - ToolBar2->height() - loupePnl->height() - kMargin;
    const int x = left ? origin.x() + kMargin : origin.x() + w - loupePnl->width() - kMargin;
    loupePnl->move(x, y);
}

// Refreshes the magnifier twice a second while it is shown: a playing clip
// or a redraw shows in it even while the mouse rests.
void TForm1::Timer3Timer() {
    if (loupePnl->isVisible()) {
        loupe(lastMousePos.x(), lastMousePos.y());
    }
}

} // namespace traxilo
