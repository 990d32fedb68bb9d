#pragma once

#include <QString>
#include <vector>

namespace traxilo {

// A library the program runs on, as the about box names it.
struct LibraryVersion {
    QString name;    // "libavcodec"
    QString version; // "59.37.100", read from the library loaded
    QString licence; // as the library states it, in French ("GPL version 2 ou ultérieure")
};

// The FFmpeg libraries the clips are read with, in the versions loaded.
std::vector<LibraryVersion> videoLibraries();

} // namespace traxilo
