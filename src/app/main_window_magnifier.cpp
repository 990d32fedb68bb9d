#include "app/main_window.h"

namespace traxilo {

// Puts the magnifier panel in the corner of the clip area nearest to its
// remembered centre.
void TForm1::placeLoupe() {}

// Refreshes the magnifier twice a second while it is shown.
void TForm1::Timer3Timer() {}

} // namespace traxilo
