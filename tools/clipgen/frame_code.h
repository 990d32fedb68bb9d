#pragma once

#include <QImage>

class QPainter;

namespace traxilo::clipgen {

// The frame index is drawn as a band of big black and white cells across
// the top of the picture: a black and a white marker, 13 data bits (most
// significant first) and an even-parity cell. Cells are 1/16 of the width,
// so they stay readable after lossy coding and downscaling to 160 pixels.
constexpr int kCodeCells = 16;
constexpr int kCodeDataBits = 13;
constexpr int kMaxCodedIndex = (1 << kCodeDataBits) - 1;

// Height of the band for a picture of the given height.
int frameCodeBandHeight(int pictureHeight);

void drawFrameCode(QPainter& painter, int width, int height, int index);

} // namespace traxilo::clipgen
