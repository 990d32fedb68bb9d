#include "app/dialogs/dialogs.h"

#include "app/access_keys.h"
#include "app/dialogs/about_box.h"
#include "app/dialogs/clips_folder_dialog.h"
#include "app/dialogs/display_size_dialog.h"
#include "app/dialogs/goto_dialog.h"
#include "app/dialogs/graphic_clipboard_dialog.h"
#include "app/dialogs/help_window.h"
#include "app/dialogs/point_appearance_dialog.h"
#include "app/dialogs/pointer_dialog.h"
#include "app/dialogs/print_dialog.h"
#include "app/dialogs/regressi_path_dialog.h"
#include "app/dialogs/save_format_dialog.h"
#include "app/dialogs/table_clipboard_dialog.h"
#include "app/dialogs/text_format_dialog.h"
#include "app/dialogs/tracking_doubt_dialog.h"
#include "app/title_room.h"

namespace traxilo {

Dialogs::Dialogs(ConfigFile& config, const MeasurementDocument& document, PointStyle& pointStyle,
                 DisplaySize& displaySize, QWidget* parent)
    : dlgPointeur(new TdlgPointeur(pointStyle, parent)), aboutBox(new TAboutBox(parent)),
      accesregBox(new TaccesregBox(config, parent)), formatTxtBox(new TFormatTxtBox(parent)),
      sauverMesuresBox(new TsauverMesuresBox(parent)),
      tailleImaBox(new TtailleImaBox(displaySize, parent)),
      aspectPointBox(new TaspectPointBox(parent)),
      sauveTableauPPBox(new TSauveTableauPPBox(parent)),
      dlgImprimer(new TdlgImprimer(document, parent)),
      sauveGraphicPPBox(new TSauveGraphicPPBox(parent)),
      accesClipsBox(new TaccesClipsBox(config, parent)), alleraDlg(new TalleraDlg(parent)),
      helpWindow(new HelpWindow(parent)), trackingDoubtDialog(new TrackingDoubtDialog(parent)) {
    for (QDialog* dialog : std::initializer_list<QDialog*>{
             dlgPointeur, aboutBox, accesregBox, formatTxtBox, sauverMesuresBox, tailleImaBox,
             aspectPointBox, sauveTableauPPBox, dlgImprimer, sauveGraphicPPBox, accesClipsBox,
             alleraDlg, helpWindow, trackingDoubtDialog}) {
        assignAccessKeys(dialog);
        keepTitleReadable(dialog);
    }
}

} // namespace traxilo
