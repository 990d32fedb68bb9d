#pragma once

#include <cstdint>

namespace traxilo {

// How a stored picture is turned to be shown: a quarter turn clockwise, then
// a flip left to right.
struct DisplayOrientation {
    int rotation = 0; // 0, 90, 180 or 270
    bool mirrored = false;
};

// The nearest of the eight quarter turns and flips to the linear part of a
// display matrix (nine 32-bit values, the first two of each row in 16.16
// fixed point, as MP4 and MOV store it; it maps x, y of the stored picture,
// y downward, to x' = a x + c y, y' = b x + d y with a, b, c, d the values
// 0, 1, 3 and 4). An angle between quarter turns goes to the nearest one, a
// scale is ignored; no matrix, or one that says nothing, leaves the picture
// as stored.
DisplayOrientation displayOrientation(const int32_t* matrix);

} // namespace traxilo
