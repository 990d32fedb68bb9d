#pragma once

class QWidget;

namespace traxilo {

class ConfigFile;
class MeasurementDocument;
struct Calibration;
struct DisplaySize;
struct PointStyle;

class HelpWindow;
class TAboutBox;
class TaccesClipsBox;
class TaccesregBox;
class TalleraDlg;
class TaspectPointBox;
class TdlgImprimer;
class TdlgPointeur;
class TFormatTxtBox;
class TSauveGraphicPPBox;
class TSauveTableauPPBox;
class TsauverMesuresBox;
class TtailleImaBox;
class TrackingDoubtDialog;

// Every dialog of the main window, built once at start-up in this order and
// kept for the whole run. Each is given the models it reads or edits; the
// window shows it and applies its result. The window owns them (as their
// parent).
struct Dialogs {
    Dialogs(ConfigFile& config, const MeasurementDocument& document, PointStyle& pointStyle,
            DisplaySize& displaySize, QWidget* parent);

    TdlgPointeur* dlgPointeur = nullptr;             // "Aspect du pointeur"
    TAboutBox* aboutBox = nullptr;                   // "A propos..."
    TaccesregBox* accesregBox = nullptr;             // "Définition du chemin d'accès à Regressi"
    TFormatTxtBox* formatTxtBox = nullptr;           // "Enregistrement au format Texte (*.txt)"
    TsauverMesuresBox* sauverMesuresBox = nullptr;   // "Enregistrement des mesures"
    TtailleImaBox* tailleImaBox = nullptr;           // "Taille du clip"
    TaspectPointBox* aspectPointBox = nullptr;       // "Aspect du point"
    TSauveTableauPPBox* sauveTableauPPBox = nullptr; // "Tableau de mesures >>> Presse-papier"
    TdlgImprimer* dlgImprimer = nullptr;             // "Impression des points et des axes"
    TSauveGraphicPPBox* sauveGraphicPPBox = nullptr; // "Graphique >>> Presse-papier"
    TaccesClipsBox* accesClipsBox = nullptr;         // "Définition du chemin d'accès aux clips"
    TalleraDlg* alleraDlg = nullptr;                 // "Aller à l'image..."
    HelpWindow* helpWindow = nullptr;                // the help pages
    TrackingDoubtDialog* trackingDoubtDialog = nullptr; // "Suivi automatique"
};

} // namespace traxilo
