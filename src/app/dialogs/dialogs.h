#pragma once

namespace traxilo {

class TaccesregBox;
class TFormatTxtBox;
class TsauverMesuresBox;
class TSauveTableauPPBox;
class TdlgImprimer;
class TSauveGraphicPPBox;

// The dialogs of the main window, created once at start-up in the window's
// creation order and kept for the whole run (children of the window).
struct Dialogs {
    TaccesregBox* accesregBox = nullptr;
    TFormatTxtBox* formatTxtBox = nullptr;
    TsauverMesuresBox* sauverMesuresBox = nullptr;
    TSauveTableauPPBox* sauveTableauPPBox = nullptr;
    TdlgImprimer* dlgImprimer = nullptr;
    TSauveGraphicPPBox* sauveGraphicPPBox = nullptr;
};

} // namespace traxilo
