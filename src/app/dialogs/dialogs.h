#pragma once

class QWidget;

namespace traxilo {

class ConfigFile;
class MeasureTables;
struct Calibration;

class TaccesregBox;
class TdlgImprimer;
class TFormatTxtBox;
class TSauveGraphicPPBox;
class TSauveTableauPPBox;
class TsauverMesuresBox;

// Every dialog of the main window, built once at start-up in this order and
// kept for the whole run. Each is given the models it reads or edits; the
// window shows it and applies its result. The window owns them (as their
// parent).
struct Dialogs {
    Dialogs(ConfigFile& config, Calibration& calibration, MeasureTables& tables, QWidget* parent);

    TaccesregBox* accesregBox = nullptr;             // "Définition du chemin d'accès à Regressi"
    TFormatTxtBox* formatTxtBox = nullptr;           // "Enregistrement au format Texte (*.txt)"
    TsauverMesuresBox* sauverMesuresBox = nullptr;   // "Enregistrement des mesures"
    TSauveTableauPPBox* sauveTableauPPBox = nullptr; // "Tableau de mesures >>> Presse-papier"
    TdlgImprimer* dlgImprimer = nullptr;             // "Impression des points et des axes"
    TSauveGraphicPPBox* sauveGraphicPPBox = nullptr; // "Graphique >>> Presse-papier"
};

} // namespace traxilo
