#include "app/cursors.h"

#include <QBitmap>
#include <QFont>
#include <QPainter>
#include <cstdlib>

namespace traxilo {

namespace {

constexpr QPoint kTargetHot(11, 11);
constexpr QPoint kHandHot(15, 14);

void setPixel(QImage& image, int x, int y, QRgb colour) {
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height()) {
        image.setPixel(x, y, colour);
    }
}

// Midpoint circle, so the ring is the same pixels on every platform.
void drawCircle(QImage& image, QPoint c, int r, QRgb ink) {
    int x = r;
    int y = 0;
    int err = 1 - r;
    while (x >= y) {
        const int pts[8][2] = {{x, y},   {y, x},   {-y, x}, {-x, y},
                               {-x, -y}, {-y, -x}, {y, -x}, {x, -y}};
        for (const auto& p : pts) {
            setPixel(image, c.x() + p[0], c.y() + p[1], ink);
        }
        ++y;
        if (err < 0) {
            err += 2 * y + 1;
        } else {
            --x;
            err += 2 * (y - x) + 1;
        }
    }
}

// Four arms along the axes, covering distances from..to from the centre.
void drawArms(QImage& image, QPoint c, int from, int to, QRgb ink) {
    for (int d = from; d <= to; ++d) {
        setPixel(image, c.x() + d, c.y(), ink);
        setPixel(image, c.x() - d, c.y(), ink);
        setPixel(image, c.x(), c.y() + d, ink);
        setPixel(image, c.x(), c.y() - d, ink);
    }
}

// Axes through the hot spot across the whole cursor, arrow heads on the
// positive ends: x to the right when xRight, y upwards when yUp.
void drawAxesCursor(QImage& image, QPoint hot, bool xRight, bool yUp, QRgb ink) {
    const int last = CursorRegistry::Size - 1;
    for (int i = 0; i <= last; ++i) {
        setPixel(image, i, hot.y(), ink);
        setPixel(image, hot.x(), i, ink);
    }
    for (int k = 1; k <= 3; ++k) {
        const int hx = xRight ? last - k : k;
        setPixel(image, hx, hot.y() - k, ink);
        setPixel(image, hx, hot.y() + k, ink);
        const int vy = yUp ? k : last - k;
        setPixel(image, hot.x() - k, vy, ink);
        setPixel(image, hot.x() + k, vy, ink);
    }
}

void drawScaleCursor(QImage& image, const QString& label, QRgb ink) {
    drawArms(image, kTargetHot, 3, 6, ink);
    QPainter painter(&image);
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(8);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setPen(QColor::fromRgba(ink));
    painter.drawText(QRect(0, 19, CursorRegistry::Size, 12), Qt::AlignLeft | Qt::AlignTop, label);
}

// Black outline, white inside: readable on light and dark pictures alike.
void drawHand(QImage& image, bool closed) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(Qt::black));
    painter.setBrush(QColor(Qt::white));
    const int fingerTop = closed ? 9 : 3;
    const int fingerX[4] = {9, 13, 17, 21};
    const int fingerLift[4] = {2, 0, 1, 3};
    for (int i = 0; i < 4; ++i) {
        const int top = fingerTop + (closed ? 0 : fingerLift[i]);
        painter.drawRoundedRect(QRect(fingerX[i], top, 4, 16 - top), 2, 2);
    }
    if (closed) {
        painter.drawRoundedRect(QRect(5, 13, 8, 4), 2, 2);
    } else {
        painter.drawRoundedRect(QRect(3, 12, 8, 4), 2, 2);
    }
    painter.drawRoundedRect(QRect(9, 12, 16, 12), 4, 4);
    // Hide the seams where the fingers meet the palm.
    painter.setPen(Qt::NoPen);
    painter.drawRect(QRect(10, 12, 15, 3));
}

} // namespace

const std::vector<CursorRegistry::Entry>& CursorRegistry::standardEntries() {
    static const std::vector<Entry> entries = {
        {50, QStringLiteral("POIGNEE"), kHandHot},    {51, QStringLiteral("POIGNEE2"), kHandHot},
        {101, QStringLiteral("CIBLEGN"), kTargetHot}, {102, QStringLiteral("CIBLEPN"), kTargetHot},
        {103, QStringLiteral("CIBLECN"), kTargetHot}, {201, QStringLiteral("CIBLEGB"), kTargetHot},
        {202, QStringLiteral("CIBLEPB"), kTargetHot}, {203, QStringLiteral("CIBLECB"), kTargetHot},
        {111, QStringLiteral("XpYpN"), {7, 24}},      {112, QStringLiteral("XnYpN"), {24, 24}},
        {113, QStringLiteral("XpYnN"), {7, 7}},       {114, QStringLiteral("XnYnN"), {24, 7}},
        {211, QStringLiteral("XpYpB"), {7, 24}},      {212, QStringLiteral("XnYpB"), {24, 24}},
        {213, QStringLiteral("XpYnB"), {7, 7}},       {214, QStringLiteral("XnYnB"), {24, 7}},
        {141, QStringLiteral("ech1N"), kTargetHot},   {142, QStringLiteral("ech2N"), kTargetHot},
        {241, QStringLiteral("ech1B"), kTargetHot},   {242, QStringLiteral("ech2B"), kTargetHot},
    };
    return entries;
}

QImage CursorRegistry::standardImage(int number) {
    const Entry* entry = nullptr;
    for (const Entry& e : standardEntries()) {
        if (e.number == number) {
            entry = &e;
        }
    }
    if (!entry) {
        return {};
    }
    QImage image(Size, Size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (number == 50 || number == 51) {
        drawHand(image, number == 51);
        return image;
    }
    const QRgb ink = number / 100 == 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    const int shape = number % 100;
    switch (shape) {
    case 1:
        drawCircle(image, kTargetHot, 9, ink);
        drawArms(image, kTargetHot, 3, 9, ink);
        setPixel(image, kTargetHot.x(), kTargetHot.y(), ink);
        break;
    case 2:
        drawCircle(image, kTargetHot, 5, ink);
        drawArms(image, kTargetHot, 3, 9, ink);
        setPixel(image, kTargetHot.x(), kTargetHot.y(), ink);
        break;
    case 3:
        drawArms(image, kTargetHot, 1, 9, ink);
        break;
    case 11:
    case 12:
    case 13:
    case 14:
        drawAxesCursor(image, entry->hotSpot, shape == 11 || shape == 13, shape <= 12, ink);
        break;
    case 41:
    case 42:
        drawScaleCursor(image, shape == 41 ? QStringLiteral("Ech.p1") : QStringLiteral("Ech.p2"),
                        ink);
        break;
    default:
        break;
    }
    return image;
}

QCursor CursorRegistry::fromImage(const QImage& image, QPoint hotSpot) {
    // Mono images with index 0 white and 1 black: the bitmap holds the black
    // pixels, the mask every opaque pixel.
    QImage bits(image.size(), QImage::Format_MonoLSB);
    QImage mask(image.size(), QImage::Format_MonoLSB);
    const QList<QRgb> table = {qRgb(255, 255, 255), qRgb(0, 0, 0)};
    bits.setColorTable(table);
    mask.setColorTable(table);
    bits.fill(0);
    mask.fill(0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) < 128) {
                continue;
            }
            mask.setPixel(x, y, 1);
            bits.setPixel(x, y, qGray(p) < 128 ? 1 : 0);
        }
    }
    return QCursor(QBitmap::fromImage(bits), QBitmap::fromImage(mask), hotSpot.x(), hotSpot.y());
}

void CursorRegistry::registerStandardCursors() {
    for (const Entry& entry : standardEntries()) {
        registerCursor(entry.number, fromImage(standardImage(entry.number), entry.hotSpot));
    }
}

void CursorRegistry::registerCursor(int number, const QCursor& cursor) {
    if (!m_cursors.contains(number)) {
        m_order.append(number);
    }
    m_cursors.insert(number, cursor);
}

QCursor CursorRegistry::cursor(int number) const {
    return m_cursors.value(number, QCursor(Qt::ArrowCursor));
}

} // namespace traxilo
