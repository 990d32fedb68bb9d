#include "pointing/magnifier.h"

namespace traxilo {

QImage magnify(const QImage& surface, QPoint centre) {
    QImage picture(kLoupeSide, kLoupeSide, QImage::Format_RGB32);
    const QRgb outside = kLoupeOutside.rgb();
    const int half = kLoupeSpan / 2;
    for (int j = 0; j < kLoupeSpan; ++j) {
        const int sy = centre.y() - half + j;
        const bool rowInside = !surface.isNull() && sy >= 0 && sy < surface.height();
        for (int i = 0; i < kLoupeSpan; ++i) {
            const int sx = centre.x() - half + i;
            const bool inside = rowInside && sx >= 0 && sx < surface.width();
            const QRgb colour = inside ? (surface.pixel(sx, sy) | 0xff000000u) : outside;
            for (int dy = 0; dy < kLoupeZoom; ++dy) {
                auto* line = reinterpret_cast<QRgb*>(picture.scanLine(j * kLoupeZoom + dy));
                for (int dx = 0; dx < kLoupeZoom; ++dx) {
                    line[i * kLoupeZoom + dx] = colour;
                }
            }
        }
    }
    return picture;
}

LoupeCorner loupeCorner(QPoint centre, QSize area) {
    const int halfW = area.width() / 2;
    const int halfH = area.height() / 2;
    if (centre.y() < halfH) {
        return centre.x() > halfW ? LoupeCorner::TopRight : LoupeCorner::TopLeft;
    }
    return centre.x() < halfW ? LoupeCorner::BottomLeft : LoupeCorner::BottomRight;
}

} // namespace traxilo
