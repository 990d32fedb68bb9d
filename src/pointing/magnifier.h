#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>

namespace traxilo {

// The magnifier shows 41 x 41 pixels of the clip surface around the pointer,
// each as a 3 x 3 block: the pointer's pixel lands on rows and columns 60 to
// 62 of the 123 x 123 picture, where the cross-hair (61) runs through it.
inline constexpr int kLoupeSpan = 41;
inline constexpr int kLoupeZoom = 3;
inline constexpr int kLoupeSide = kLoupeSpan * kLoupeZoom;
// What is shown beyond the edges of the picture.
inline const QColor kLoupeOutside{128, 128, 128};

QImage magnify(const QImage& surface, QPoint centre);

// The corner of the clip area the magnifier goes to, nearest to its
// remembered centre (relative to the clip area of size `area`).
enum class LoupeCorner { TopLeft, TopRight, BottomLeft, BottomRight };
LoupeCorner loupeCorner(QPoint centre, QSize area);

} // namespace traxilo
