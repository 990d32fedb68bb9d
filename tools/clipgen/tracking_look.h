#pragma once

namespace traxilo::clipgen {

// How a clip made for assisted tracking looks: a patterned ball over a
// patterned background, filmed under a light that may change, through a
// shutter that blurs what moves. Off, the plain scene of the other clips.
struct TrackingLook {
    bool enabled = false;
    double ballRadius = 0; // pixels of the picture as shown; 0: the usual size
    double exposure = 0;   // seconds the shutter stays open (0: sharp pictures)
    double spin = 0;       // turns per second of the ball about its centre, clockwise
    // A pole in front of the scene, across the ball's path, that hides it
    // completely on `poleFrames` frames from `poleFrom` on (-1: no pole).
    int poleFrom = -1;
    int poleFrames = 3;
    bool shadowBand = false; // a band of shade across the path, with soft edges
    double lightFall = 0;    // the light dims by this fraction from first to last frame
    int grain = 5;           // sensor noise, +/- levels of 255
};

} // namespace traxilo::clipgen
