#include "clipgen/frame_code.h"

#include "clipgen/clip_generator.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

namespace traxilo::clipgen {

namespace {

// Cell value for one position: 0 black, 1 white.
std::array<int, kCodeCells> cellValues(int index) {
    std::array<int, kCodeCells> cells{};
    cells[0] = 0;
    cells[1] = 1;
    int ones = 0;
    for (int bit = 0; bit < kCodeDataBits; ++bit) {
        const int value = (index >> (kCodeDataBits - 1 - bit)) & 1;
        cells[2 + bit] = value;
        ones += value;
    }
    cells[kCodeCells - 1] = ones % 2;
    return cells;
}

// Mean luma of the central part of a cell, in 0..255.
double cellLuma(const QImage& image, double x0, double x1, double y0, double y1) {
    const double w = x1 - x0;
    const double h = y1 - y0;
    const int ax = std::clamp(int(x0 + w * 0.3), 0, image.width() - 1);
    const int bx = std::clamp(int(x1 - w * 0.3), ax, image.width() - 1);
    const int ay = std::clamp(int(y0 + h * 0.3), 0, image.height() - 1);
    const int by = std::clamp(int(y1 - h * 0.3), ay, image.height() - 1);
    double sum = 0;
    int count = 0;
    for (int y = ay; y <= by; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = ax; x <= bx; ++x) {
            const QRgb p = line[x];
            sum += 0.299 * qRed(p) + 0.587 * qGreen(p) + 0.114 * qBlue(p);
            ++count;
        }
    }
    return count > 0 ? sum / count : 0;
}

} // namespace

int frameCodeBandHeight(int pictureHeight) {
    return std::max(8, pictureHeight / 8);
}

void drawFrameCode(QPainter& painter, int width, int height, int index) {
    const auto cells = cellValues(std::clamp(index, 0, kMaxCodedIndex));
    const int band = frameCodeBandHeight(height);
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int c = 0; c < kCodeCells; ++c) {
        const int x0 = c * width / kCodeCells;
        const int x1 = (c + 1) * width / kCodeCells;
        painter.setBrush(cells[c] ? Qt::white : Qt::black);
        painter.drawRect(x0, 0, x1 - x0, band);
    }
    painter.restore();
}

int readFrameIndex(const QImage& picture) {
    if (picture.isNull() || picture.width() < kCodeCells * 4 || picture.height() < 16)
        return -1;
    const QImage image =
        picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
            ? picture
            : picture.convertToFormat(QImage::Format_RGB32);
    const double cellW = double(image.width()) / kCodeCells;
    const double band = double(image.height()) / 8.0;
    std::array<double, kCodeCells> luma{};
    for (int c = 0; c < kCodeCells; ++c)
        luma[c] = cellLuma(image, c * cellW, (c + 1) * cellW, 0, band);

    const double black = luma[0];
    const double white = luma[1];
    if (white - black < 100)
        return -1;
    const double mid = (black + white) / 2;
    const double margin = (white - black) / 4;
    int index = 0;
    int ones = 0;
    for (int bit = 0; bit < kCodeDataBits; ++bit) {
        const double v = luma[2 + bit];
        if (std::abs(v - mid) < margin)
            return -1;
        const int value = v > mid ? 1 : 0;
        index = (index << 1) | value;
        ones += value;
    }
    const double parity = luma[kCodeCells - 1];
    if (std::abs(parity - mid) < margin || (parity > mid ? 1 : 0) != ones % 2)
        return -1;
    return index;
}

} // namespace traxilo::clipgen
