#pragma once

#include <QString>
#include <optional>

namespace traxilo {

struct DecodeTiming {
    int frames = 0;
    double totalMs = 0;
    double msPerFrame() const { return frames > 0 ? totalMs / frames : 0; }
};

// Decodes the whole video stream of `path` in order, with `threads` decoder
// threads, converting nothing: the reference cost of a frame for the
// benchmarks.
std::optional<DecodeTiming> measureSequentialDecode(const QString& path, int threads = 2);

} // namespace traxilo
