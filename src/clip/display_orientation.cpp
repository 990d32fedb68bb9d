#include "clip/display_orientation.h"

#include <initializer_list>

namespace traxilo {

DisplayOrientation displayOrientation(const int32_t* matrix) {
    DisplayOrientation best;
    if (!matrix)
        return best;
    const double a = matrix[0], b = matrix[1], c = matrix[3], d = matrix[4];
    double bestScore = 0; // a matrix of zeros keeps the picture as stored
    for (int rotation : {0, 90, 180, 270}) {
        const int cosine = rotation == 0 ? 1 : rotation == 180 ? -1 : 0;
        const int sine = rotation == 90 ? 1 : rotation == 270 ? -1 : 0;
        for (bool mirrored : {false, true}) {
            // Turned (x' = cos x - sin y, y' = sin x + cos y), then x' negated.
            const int m = mirrored ? -1 : 1;
            const double score = a * m * cosine - c * m * sine + b * sine + d * cosine;
            if (score > bestScore + 1e-6) {
                bestScore = score;
                best = {rotation, mirrored};
            }
        }
    }
    return best;
}

} // namespace traxilo
