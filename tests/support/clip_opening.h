#pragma once

#include "clipgen/clip_generator.h"

#include <QString>

namespace traxilo {
class TForm1;
}

namespace traxilo::test {

class SeamAnswerer;

// A small generated MJPEG clip (25 frames per second) in the tests' scratch
// folder, written once per name.
QString smallClip(int frames, int width = 320, int height = 240,
                  clipgen::Codec codec = clipgen::Codec::Mjpeg,
                  clipgen::Container container = clipgen::Container::Avi);

// Opens `path` as the user would: "Ouvrir un clip vidéo..." and the file
// chosen in the dialog. True when a clip is open afterwards.
bool openClipThroughDialog(TForm1& window, SeamAnswerer& seams, const QString& path);

// The frame index carried by the picture on the pointing surface, -1 if none.
int shownFrame(const TForm1& window);

} // namespace traxilo::test
