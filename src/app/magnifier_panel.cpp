#include "app/magnifier_panel.h"

#include "app/cursors.h"
#include "app/design_colours.h"
#include "app/event_hook.h"
#include "app/hint_tracker.h"
#include "app/panel_dragger.h"
#include "app/widget_style.h"
#include "pointing/magnifier.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

namespace traxilo {

namespace {

constexpr int kOpenHand = 50;
constexpr int kClosedHand = 51;
constexpr int kBorder = 6; // the frame around the picture, where the panel is dragged
constexpr int kMargin = 6; // between the panel and the edges of the clip area

} // namespace

// Only the frame drags the panel: the picture, the cross-hair and the button
// keep the arrow and stop the mouse.
MagnifierPanel::MagnifierPanel(QWidget* clipArea, const QWidget* topBar, const QWidget* bottomBar,
                               const CursorRegistry& cursors, QWidget* parent)
    : QFrame(parent), m_clipArea(clipArea), m_topBar(topBar), m_bottomBar(bottomBar) {
    setObjectName(QStringLiteral("loupePnl"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setFixedSize(kLoupeSide + 2 * kBorder, kLoupeSide + 2 * kBorder);
    fillBackground(this, kAqua);
    HintTracker::setHint(this, QStringLiteral("Loupe|Loupe"));

    loupeImg = named(new QLabel(this), "loupeImg");
    loupeImg->setGeometry(kBorder, kBorder, kLoupeSide, kLoupeSide);
    const int hair = kBorder + kLoupeSide / 2; // 67: through the middle of the pointer's block
    loupeShpV = named(new QFrame(this), "loupeShpV");
    loupeShpV->setGeometry(hair, kBorder, 1, kLoupeSide);
    loupeShpH = named(new QFrame(this), "loupeShpH");
    loupeShpH->setGeometry(kBorder, hair, kLoupeSide, 1);
    for (QFrame* line : {loupeShpV, loupeShpH}) {
        fillBackground(line, Qt::black);
    }
    auto* BitBtn2 = named(new QToolButton(this), "BitBtn2");
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
    connect(BitBtn2, &QToolButton::clicked, this, &MagnifierPanel::toggle);

    auto* PopupMenu2 = named(new QMenu(this), "PopupMenu2");
    QAction* Fermer1 = PopupMenu2->addAction(QStringLiteral("Cacher la loupe"));
    Fermer1->setObjectName(QStringLiteral("Fermer1"));
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this, PopupMenu2](QPoint pos) { PopupMenu2->popup(mapToGlobal(pos)); });
    connect(Fermer1, &QAction::triggered, this, &MagnifierPanel::toggle);

    // No move loop of the system for a child widget: the panel follows the
    // mouse itself, inside the window.
    auto* dragger = new PanelDragger(this);
    dragger->setObjectName(QStringLiteral("loupePnlDragger"));
    dragger->setKeepInsideParent(true);
    dragger->setEnabledWhen([] { return true; });
    connect(dragger, &PanelDragger::hovered, this,
            [this, &cursors] { setCursor(cursors.cursor(kOpenHand)); });
    connect(dragger, &PanelDragger::dragStarted, this,
            [this, &cursors] { setCursor(cursors.cursor(kClosedHand)); });
    // Dropped, it goes to the corner of the clip area nearest to where it
    // was let go, where it hides the least of the picture.
    connect(dragger, &PanelDragger::dragFinished, this, [this, &cursors] {
        setCursor(cursors.cursor(kOpenHand));
        rememberCentre();
        place();
    });

    // The window or the splitter resized: the magnifier keeps to its corner.
    auto* resized = new EventHook(
        QEvent::Resize,
        [this](QEvent*) {
            if (isVisible()) {
                place();
            }
        },
        this);
    resized->watch(m_clipArea);

    hide();
}

void MagnifierPanel::rememberCentre() {
    const QPoint areaOrigin = m_clipArea->mapTo(parentWidget(), QPoint(0, 0));
    setCentre(QPoint(x() + width() / 2 - areaOrigin.x(), y() + height() / 2 - areaOrigin.y()));
}

void MagnifierPanel::setCentre(QPoint centre) {
    m_centre = centre;
    m_corner = int(loupeCorner(centre, m_clipArea->size()));
}

void MagnifierPanel::toggle() {
    if (isVisible()) {
        rememberCentre();
        hide();
    } else {
        QPixmap blue(kLoupeSide, kLoupeSide);
        blue.fill(QColor(0, 0, 255));
        loupeImg->setPixmap(blue);
        place();
        show();
        raise();
    }
    emit shownChanged(isVisible());
}

void MagnifierPanel::showAround(const QImage& surface, QPoint pos) {
    loupeImg->setPixmap(QPixmap::fromImage(magnify(surface, pos)));
}

void MagnifierPanel::setCrossHairColour(const QColor& colour) {
    for (QFrame* line : {loupeShpV, loupeShpH}) {
        QPalette palette = line->palette();
        palette.setColor(QPalette::Window, colour);
        line->setPalette(palette);
    }
}

// Puts the panel in the corner of the clip area nearest to its remembered
// centre, clear of the tool bars above and below the clip.
void MagnifierPanel::place() {
    const QPoint origin = m_clipArea->mapTo(parentWidget(), QPoint(0, 0));
    const int w = m_clipArea->width();
    const int h = m_clipArea->height();
    const auto corner = LoupeCorner(m_corner);
    const bool top = corner == LoupeCorner::TopLeft || corner == LoupeCorner::TopRight;
    const bool left = corner == LoupeCorner::TopLeft || corner == LoupeCorner::BottomLeft;
    const int y = top ? origin.y() + m_topBar->height() + kMargin
                      : origin.y() + h - m_bottomBar->height() - height() - kMargin;
    const int x = left ? origin.x() + kMargin : origin.x() + w - width() - kMargin;
    move(x, y);
}

} // namespace traxilo
