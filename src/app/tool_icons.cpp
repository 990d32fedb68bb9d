#include "app/tool_icons.h"

#include <QFile>
#include <QFont>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace traxilo {

namespace {

using Draw = std::function<void(QPainter&)>;

// Paints a picture drawn on a 16 x 16 grid at whatever size is asked, so it
// stays sharp on every screen.
class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(Draw draw) : m_draw(std::move(draw)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 16.0, rect.height() / 16.0);
        if (mode == QIcon::Disabled) {
            painter->setOpacity(0.35);
        }
        m_draw(*painter);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new DrawnIconEngine(m_draw); }

private:
    Draw m_draw;
};

QIcon drawn(Draw draw) {
    return QIcon(new DrawnIconEngine(std::move(draw)));
}

const QColor kInk(40, 40, 40);
const QColor kPaper(250, 250, 250);
const QColor kGreen(40, 150, 40);
const QColor kHelpBlue(40, 90, 190);

QPen pen(const QColor& colour, double width = 1.0) {
    QPen p(colour, width);
    p.setJoinStyle(Qt::RoundJoin);
    p.setCapStyle(Qt::RoundCap);
    return p;
}

void sheet(QPainter& p, QRectF r) {
    p.setPen(pen(kInk));
    p.setBrush(kPaper);
    p.drawRect(r);
}

void triangle(QPainter& p, QPointF a, QPointF b, QPointF c, const QColor& colour) {
    p.setPen(pen(colour.darker(140)));
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({a, b, c}));
}

// A small table with one column or one row marked, or all of it.
void table(QPainter& p, int markedColumn, int markedRow) {
    p.setPen(pen(kInk));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setBrush(QColor(255, 210, 120));
    p.setPen(Qt::NoPen);
    if (markedColumn >= 0) {
        p.drawRect(QRectF(1.5 + 13.0 / 3 * markedColumn, 2.5, 13.0 / 3, 11));
    }
    if (markedRow >= 0) {
        p.drawRect(QRectF(1.5, 2.5 + 11.0 / 3 * markedRow, 13, 11.0 / 3));
    }
    p.setPen(pen(kInk, 0.7));
    for (int i = 1; i < 3; ++i) {
        p.drawLine(QPointF(1.5 + 13.0 / 3 * i, 2.5), QPointF(1.5 + 13.0 / 3 * i, 13.5));
        p.drawLine(QPointF(1.5, 2.5 + 11.0 / 3 * i), QPointF(14.5, 2.5 + 11.0 / 3 * i));
    }
    p.setPen(pen(QColor(210, 30, 30), 2));
    p.drawLine(QPointF(9, 9), QPointF(14.5, 14.5));
    p.drawLine(QPointF(14.5, 9), QPointF(9, 14.5));
}

Draw picture(ToolIcon icon) {
    switch (icon) {
    case ToolIcon::OpenClip:
        return [](QPainter& p) {
            p.setPen(pen(QColor(150, 110, 30)));
            p.setBrush(QColor(235, 190, 90));
            p.drawPolygon(
                QPolygonF({{1, 3}, {6, 3}, {7.5, 4.5}, {14.5, 4.5}, {14.5, 13.5}, {1, 13.5}}));
            p.setBrush(QColor(250, 215, 120));
            p.drawPolygon(QPolygonF({{1, 13.5}, {3.5, 7}, {15.5, 7}, {14.5, 13.5}}));
        };
    case ToolIcon::DisplaySize:
        return [](QPainter& p) {
            sheet(p, QRectF(3.5, 3.5, 9, 9));
            p.setPen(pen(kHelpBlue, 1.4));
            for (QPointF corner :
                 {QPointF(1, 1), QPointF(15, 1), QPointF(1, 15), QPointF(15, 15)}) {
                const QPointF inner(corner.x() < 8 ? 5 : 11, corner.y() < 8 ? 5 : 11);
                p.drawLine(inner, corner);
                p.drawLine(corner, QPointF(corner.x() + (inner.x() - corner.x()) / 2, corner.y()));
                p.drawLine(corner, QPointF(corner.x(), corner.y() + (inner.y() - corner.y()) / 2));
            }
        };
    case ToolIcon::Magnifier:
        return [](QPainter& p) {
            p.setPen(pen(QColor(90, 60, 30), 2.6));
            p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
            p.setPen(pen(kInk, 1.4));
            p.setBrush(QColor(200, 230, 255));
            p.drawEllipse(QPointF(6.5, 6.5), 5, 5);
            p.setPen(pen(kInk, 0.8));
            p.drawLine(QPointF(6.5, 3.5), QPointF(6.5, 9.5));
            p.drawLine(QPointF(3.5, 6.5), QPointF(9.5, 6.5));
        };
    case ToolIcon::RunRegressi:
        return [](QPainter& p) {
            sheet(p, QRectF(1.5, 1.5, 13, 13));
            p.setPen(pen(kHelpBlue, 1.2));
            p.drawPolyline(QPolygonF({{3, 12}, {6, 7}, {9, 9}, {13, 3}}));
            triangle(p, {8, 8.5}, {8, 15}, {14, 11.75}, kGreen);
        };
    case ToolIcon::CopyTable:
    case ToolIcon::CopyGraph: {
        const bool graph = icon == ToolIcon::CopyGraph;
        return [graph](QPainter& p) {
            sheet(p, QRectF(1.5, 1.5, 9, 10));
            sheet(p, QRectF(5.5, 4.5, 9, 10));
            if (graph) {
                p.setPen(pen(QColor(210, 30, 30), 1.2));
                p.drawPolyline(QPolygonF({{6.5, 13}, {8.5, 8}, {10.5, 7}, {13.5, 12}}));
            } else {
                p.setPen(pen(kInk, 0.7));
                for (double y : {7.5, 10.0, 12.5}) {
                    p.drawLine(QPointF(6.5, y), QPointF(13.5, y));
                }
                p.drawLine(QPointF(9, 5), QPointF(9, 14));
            }
        };
    }
    case ToolIcon::SaveMeasures:
        return [](QPainter& p) {
            p.setPen(pen(kInk));
            p.setBrush(QColor(70, 110, 180));
            p.drawPolygon(
                QPolygonF({{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}}));
            p.setBrush(kPaper);
            p.drawRect(QRectF(4, 1.5, 8, 5));
            p.setBrush(QColor(220, 220, 220));
            p.drawRect(QRectF(3.5, 9.5, 9, 5));
        };
    case ToolIcon::Print:
        return [](QPainter& p) {
            sheet(p, QRectF(4.5, 1.5, 7, 5));
            p.setPen(pen(kInk));
            p.setBrush(QColor(170, 170, 170));
            p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
            sheet(p, QRectF(4.5, 10.5, 7, 4));
            p.setPen(pen(kInk, 0.6));
            p.drawLine(QPointF(6, 12), QPointF(10, 12));
            p.setPen(Qt::NoPen);
            p.setBrush(kGreen);
            p.drawEllipse(QPointF(12.5, 8.5), 0.8, 0.8);
        };
    case ToolIcon::Help:
    case ToolIcon::About: {
        const QString letter = icon == ToolIcon::Help ? QStringLiteral("?") : QStringLiteral("i");
        return [letter](QPainter& p) {
            p.setPen(pen(kHelpBlue.darker(130)));
            p.setBrush(kHelpBlue);
            p.drawEllipse(QRectF(1, 1, 14, 14));
            QFont font;
            font.setBold(true);
            font.setPixelSize(11);
            p.setFont(font);
            p.setPen(Qt::white);
            p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, letter);
        };
    }
    case ToolIcon::Quit:
        return [](QPainter& p) {
            p.setPen(pen(kInk));
            p.setBrush(QColor(160, 110, 60));
            p.drawRect(QRectF(2.5, 1.5, 7, 13));
            p.setPen(pen(QColor(200, 30, 30), 1.8));
            p.drawLine(QPointF(7, 8), QPointF(14.5, 8));
            p.drawLine(QPointF(14.5, 8), QPointF(11.5, 5));
            p.drawLine(QPointF(14.5, 8), QPointF(11.5, 11));
        };
    case ToolIcon::Play:
        return [](QPainter& p) { triangle(p, {4, 2}, {4, 14}, {14, 8}, kGreen); };
    case ToolIcon::Next:
        return [](QPainter& p) { triangle(p, {5, 3}, {5, 13}, {12, 8}, kInk); };
    case ToolIcon::Previous:
        return [](QPainter& p) { triangle(p, {11, 3}, {11, 13}, {4, 8}, kInk); };
    case ToolIcon::Last:
        return [](QPainter& p) {
            triangle(p, {3, 3}, {3, 13}, {10, 8}, kInk);
            p.setPen(Qt::NoPen);
            p.setBrush(kInk);
            p.drawRect(QRectF(11, 3, 2.2, 10));
        };
    case ToolIcon::First:
        return [](QPainter& p) {
            triangle(p, {13, 3}, {13, 13}, {6, 8}, kInk);
            p.setPen(Qt::NoPen);
            p.setBrush(kInk);
            p.drawRect(QRectF(2.8, 3, 2.2, 10));
        };
    case ToolIcon::ClearColumn:
        return [](QPainter& p) { table(p, 1, -1); };
    case ToolIcon::ClearRow:
        return [](QPainter& p) { table(p, -1, 1); };
    case ToolIcon::ClearTable:
        return [](QPainter& p) { table(p, -1, -1); };
    }
    return [](QPainter&) {};
}

} // namespace

QStringList themeNames(ToolIcon icon) {
    switch (icon) {
    case ToolIcon::OpenClip:
        return {QStringLiteral("document-open")};
    case ToolIcon::DisplaySize:
        return {QStringLiteral("view-fullscreen")};
    case ToolIcon::Magnifier:
        return {QStringLiteral("zoom-in"), QStringLiteral("edit-find")};
    case ToolIcon::RunRegressi:
        return {QStringLiteral("system-run")};
    case ToolIcon::CopyTable:
        return {QStringLiteral("edit-copy")};
    case ToolIcon::CopyGraph:
        return {QStringLiteral("image-x-generic")};
    case ToolIcon::SaveMeasures:
        return {QStringLiteral("document-save")};
    case ToolIcon::Print:
        return {QStringLiteral("document-print")};
    case ToolIcon::Help:
        return {QStringLiteral("help-browser"), QStringLiteral("help-contents")};
    case ToolIcon::About:
        return {QStringLiteral("help-about")};
    case ToolIcon::Quit:
        return {QStringLiteral("application-exit"), QStringLiteral("system-log-out")};
    case ToolIcon::Play:
        return {QStringLiteral("media-playback-start")};
    case ToolIcon::First:
        return {QStringLiteral("media-skip-backward")};
    case ToolIcon::Last:
        return {QStringLiteral("media-skip-forward")};
    case ToolIcon::Previous:
        return {QStringLiteral("media-seek-backward")};
    case ToolIcon::Next:
        return {QStringLiteral("media-seek-forward")};
    case ToolIcon::ClearColumn:
    case ToolIcon::ClearRow:
    case ToolIcon::ClearTable:
        break; // no theme picture says "empty a column of the table"
    }
    return {};
}

QIcon ownIcon(ToolIcon icon) {
    return drawn(picture(icon));
}

QIcon toolIcon(ToolIcon icon) {
    for (const QString& name : themeNames(icon)) {
        if (QIcon::hasThemeIcon(name)) {
            return QIcon::fromTheme(name);
        }
    }
    return ownIcon(icon);
}

QIcon axesIcon(const QColor& colour) {
    return drawn([colour](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(110, 110, 110));
        p.drawRect(QRectF(0, 0, 16, 16));
        p.setPen(pen(colour, 1.3));
        p.drawLine(QPointF(3, 13), QPointF(14.5, 13));
        p.drawLine(QPointF(3, 13), QPointF(3, 1.5));
        p.drawPolyline(QPolygonF({{12, 11}, {14.5, 13}, {12, 15}}));
        p.drawPolyline(QPolygonF({{1, 4}, {3, 1.5}, {5, 4}}));
    });
}

QIcon markIcon(const QColor& colour, int shape) {
    return drawn([colour, shape](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(110, 110, 110));
        p.drawRect(QRectF(0, 0, 16, 16));
        p.setPen(pen(colour, 1.4));
        p.setBrush(Qt::NoBrush);
        if (shape == 1) {
            p.drawRect(QRectF(3, 3, 10, 10));
        } else if (shape == 2) {
            p.drawEllipse(QRectF(3, 3, 10, 10));
        }
        const double arm = shape == 0 ? 5.5 : 3;
        p.drawLine(QPointF(8 - arm, 8), QPointF(8 + arm, 8));
        p.drawLine(QPointF(8, 8 - arm), QPointF(8, 8 + arm));
    });
}

QIcon programIcon() {
    // The pictures the package installs in the desktop's icon theme, so the
    // window shows what the menu shows.
    QIcon icon;
    for (int size : {16, 32, 48, 128, 256})
        icon.addFile(QStringLiteral(":/icons/traxilo-%1.png").arg(size), QSize(size, size));
    return icon;
}

void chooseIconTheme() {
    const QString current = QIcon::themeName();
    if (!current.isEmpty() && current != QLatin1String("hicolor")) {
        return; // the desktop chose one
    }
    // Tango's full-colour pictures read best at tool-bar size.
    for (const QString& theme : QStringList{QStringLiteral("Tango"), QStringLiteral("Adwaita")}) {
        for (const QString& folder : QIcon::themeSearchPaths()) {
            if (QFile::exists(folder + QLatin1Char('/') + theme + QStringLiteral("/index.theme"))) {
                QIcon::setThemeName(theme);
                return;
            }
        }
    }
}

} // namespace traxilo
