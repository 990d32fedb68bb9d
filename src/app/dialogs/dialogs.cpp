#include "app/dialogs/dialogs.h"

#include "app/dialogs/graphic_clipboard_dialog.h"
#include "app/dialogs/print_dialog.h"
#include "app/dialogs/regressi_path_dialog.h"
#include "app/dialogs/save_format_dialog.h"
#include "app/dialogs/table_clipboard_dialog.h"
#include "app/dialogs/text_format_dialog.h"

namespace traxilo {

Dialogs::Dialogs(ConfigFile& config, Calibration& calibration, MeasureTables& tables,
                 QWidget* parent)
    : accesregBox(new TaccesregBox(config, parent)), formatTxtBox(new TFormatTxtBox(parent)),
      sauverMesuresBox(new TsauverMesuresBox(parent)),
      sauveTableauPPBox(new TSauveTableauPPBox(parent)),
      dlgImprimer(new TdlgImprimer(calibration, tables, parent)),
      sauveGraphicPPBox(new TSauveGraphicPPBox(parent)) {}

} // namespace traxilo
