#pragma once

#include "session/session_file.h"

namespace traxilo {

class MeasurementDocument;

// What a session keeps besides the document: how the window showed the clip
// and where the user stood.
struct SessionView {
    int displayPercent = 100;
    int currentFrame = 0;
    int pointerColour = 1; // 1 black, 2 white
    int pointerShape = 2;  // 1 large target, 2 small target, 3 cross
};

// The document as a session keeps it.
SessionData sessionOf(const MeasurementDocument& document, const SessionView& view);
SessionView viewOf(const SessionData& session);

// The session's measurements, calibration and looks into a document whose
// clip is open (the session's clip): not a change to undo, a new start.
void restoreSession(MeasurementDocument& document, const SessionData& session);

} // namespace traxilo
