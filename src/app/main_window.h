#pragma once

#include "app/config_file.h"
#include "app/cursors.h"
#include "clip/clip_facts.h"
#include "clip/clip_info.h"
#include "geometry/calibration.h"
#include "geometry/display_size.h"
#include "pointing/drawing.h"
#include "pointing/point_style.h"
#include "pointing/table_selection.h"
#include "pointing/text_grid.h"
#include "session/document_session.h"
#include "session/recovery_store.h"

#include <QHash>
#include <QImage>
#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QCheckBox;
class QLineEdit;
class QRadioButton;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QScrollArea;
class QSplitter;
class QStatusBar;
class QTabWidget;
class QTimer;
class QToolBar;
class QToolButton;
class QUndoCommand;
class QUndoStack;
class QWidgetAction;

namespace traxilo::tracking {
struct RunEnd;
struct TrackedFrame;
struct TrackingDoubt;
} // namespace traxilo::tracking

namespace traxilo {

class CalibrationPage;
class GraphsPage;
class ClipArea;
class MagnifierPanel;
class MeasuresPage;
class ClipPlayer;
class ClipPropertiesPage;
class HintTracker;
class MeasurementDocument;
struct Dialogs;
class PaintBox;
class TrackingProgress;
class TrackingWork;
class UpDown;

// The main window: the one window that stays open. It shows the clip and the
// measurement document, and turns the user's actions into the document's
// commands; its work is split by subsystem over several .cpp files
// (main_window_*.cpp).
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Traxilo v.2.7");

    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The measurements and everything that gives them a meaning.
    MeasurementDocument& document() const { return *m_document; }
    // The frame shown (0-based), -1 before the first one.
    int frameShown() const { return currentFrame; }
    // At start: marks this run, and offers what an abnormal end left; then
    // opens the clip or session named on the command line, unless the
    // measurements were restored (opening it would put them away again).
    void startRecovery(const QString& commandLineFile = {});
    // A clip, or a session with its clip, named on the command line or chosen.
    bool openClipFile(const QString& path);
    bool openSessionFile(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // ---- Start-up and shell state (main_window.cpp) ----
    QString StartupFolder;
    ConfigFile config; // config.ConfigLines: the eight lines of txconfig.txt
    int PageControl1HelpContext = 1;
    bool redrawPending = false; // set when the marks must be drawn again
    int LastPanelWidth = 410;
    int LastWindowWidth = 620;
    CursorRegistry cursors;
    int surfaceCursor = 0; // number of the cursor shown over PaintBox1
    void setSurfaceCursor(int number);

    // ---- Clip (main_window_clip.cpp, main_window_clip_properties.cpp) ----
    traxilo::ClipInfo ClipInfo;
    int currentFrame = -1;              // index of the frame shown, -1 before the first one
    QString OpenDialog1FileName;        // the last path chosen in the clip dialog
    bool clipOpen() const;              // the player has an open clip
    ClipPlayer* MediaPlayer1 = nullptr; // shows its frames on PaintBox1
    std::unique_ptr<Dialogs> dialogs;   // every dialog, built once after the window
    void bbtnOpenAviClick();
    QString openDialogStartFolder() const; // the user's Videos folder when none is set
    void mpPositionner(int a);             // shows frame a (0-based)
    void SetNavButtons();
    void ShowTimeOriginMark();
    void bbtnPlayClick(int button); // a navigation button, a ClipArea::Navigation
    // The keys that step the clip over the picture and the table; false when
    // the key is not one of them or there is no clip.
    bool frameKey(int key, bool overTable);
    void MediaPlayer1Notify(); // end of playback
    void ClipPathExecute();    // "Accès aux clips..."
    void RAZProClip();
    void showOpenClipFacts(); // the open clip's facts, FourCC left as stored
    void OpenDialog1SelectionChange(const QString& currentFile);
    void connectClipSignals();

    // ---- Frame times, capture rate, step (main_window_timing.cpp) ----
    void noteClipTimingOnOpening(); // the capture rate field and the times of a new clip
    void warnOfVariableRate();      // once, when a clip of variable rate opens
    void applyFrameTimes();         // the views of the times, after the capture rate changed
    void connectTimingSignals();

    // ---- Coordinate frame and calibration (main_window_calibration.cpp) ----
    const traxilo::Calibration& calibration() const;
    void connectCalibrationSignals();
    void initEchelle();           // a calibration just reset, on every view
    void showCalibrationChange(); // the window's views of the calibration, after a change
    void CursOrig();
    void moveScaleIndicators();
    void leaveScaleEditing(); // the scale segment is no longer drawn
    void originClick(QPointF pos);
    void scalePointClick(QPointF pos);
    void tbCoordMouseMove();
    void showPointerReadouts(); // the coordinate line at the last pointer position
    void showScaleState();      // the coordinate bar and the table say whether the scale is set

    // ---- Display size (main_window_display_size.cpp) ----
    DisplaySize displaySize; // percent, factor, fitting, the picture as displayed
    void bbtnImaClick();     // also "Autre..."
    void mnuIma100Click();
    void mnuImaAdapterClick();
    void showDisplaySizeDialog();
    bool MaJ(); // applies the dialog's percent
    // Shows the clip at `percent` without touching the tables (MaJ, and
    // restoring a session or an undone change).
    void showAtPercent(int percent, bool toCorner);
    // "100%" when the clip is at another size, "Adapter" unless it is fitted.
    void enableDisplaySizeCommands(int percent, bool fitted);
    void connectDisplaySizeSignals();

    // ---- Pointing and tables (main_window_measures.cpp) ----
    PointStyle pointStyle; // pointer colour and shape

    // ---- Pointer and point appearance (main_window_appearance.cpp) ----
    void Curseur();                    // applies the pointer choices
    void mnuPetiteCibleClick(int tag); // "Forme du pointeur"
    void mnuCouleurNoirClick(int tag); // "Couleur du pointeur"
    void mnuTaille1Click(int tag);     // "Taille des points"
    void udTaillePointsClick();
    void setMarkSize(int r);           // one step of "Annuler" once a clip is open
    void mnuFdCl2pointsClick(int tag); // "Configurations rapides"
    void bbtnCibleClick();             // "Aspect du pointeur"
    void bbtnCouleurPointClick();      // "Aspect du point"
    void connectAppearanceSignals();
    int xyDigits() const; // of x and y, 1..5
    bool tableauOccupe() const;
    void OptTraitt(bool enable);
    // The table's current cell moved: its point becomes current, its frame is shown.
    void StringGrid1Click(int col, int row);
    // Fewer points per frame (n) drop the positions of the others: asked
    // first; false when the user keeps them.
    bool keepFewerPoints(int n);
    void connectMeasureSignals(); // the page's and the menu items', once the menus exist

    // ---- Export: files, Regressi, clipboard, printing (main_window_export.cpp) ----
    // Writes the Regressi file: chosen in the save dialog when `sourcePath`
    // is empty, else "~avireg~." + `extension` in the folder of `sourcePath`.
    // False when nothing was written (cancelled, or the failure was shown).
    bool SaveFormatReg(const QString& sourcePath, const QString& extension);
    void SaveRW3Execute();
    void SaveRRRExecute();
    void SaveTXTExecute();
    void bbtnEnregistrerMesuresClick();
    void mnuTableauPPClick();
    void mnuGraphiquePPClick();
    QImage graphicPicture(bool includeImage, const QColor& background) const;
    void bbtnImprimerClick();
    void RegExecExecute();
    void RegPathExecute();
    void setRegExecEnabled(bool enabled); // the launch command, button and menu item
    // The save dialog of an export; nothing when cancelled.
    std::optional<QString> chooseExportFile(const QString& title, const QString& filter,
                                            const QString& extension);
    void connectExportSignals();

    // ---- Magnifier (main_window_pointing.cpp) ----
    QPoint lastMousePos; // last pointer position over PaintBox1
    void Timer3Timer();
    void connectMagnifierSignals();

    // ---- Graphs (main_window_graphs.cpp) ----
    void connectGraphSignals();
    void graphFrameClicked(int frame); // a plotted point: its frame is shown

    // ---- Go-to dialog (main_window_goto.cpp) ----
    void searchPointsAt(QPoint pixel); // the right click's search
    void popUpMenuAtteindreClick();
    void alleraLineChosen(int row, int point);
    void alleraDeletePressed();

    // ---- Assisted tracking (main_window_tracking.cpp) ----
    QAction* mnuSuiviAuto = nullptr;      // "Suivi automatique..."
    TrackingWork* m_tracking = nullptr;   // the objects chosen, the run and its thread
    TrackingProgress* pnlSuivi = nullptr; // in the status bar while tracking
    void connectTrackingSignals();
    void mnuSuiviAutoClick();
    void lockForTracking(bool on);
    void showTrackingPrompt();
    void showTrackingDecoration();
    bool trackingSurfaceEvent(QEvent* event); // true when the tracking takes the event
    void chooseTrackedObject(QPointF edge);
    void startTrackingRun();
    void showTrackedPicture(int frame, const QImage& picture);
    void showTrackingProgress(int frame);
    void trackingFrameShown(const tracking::TrackedFrame& frame);
    void trackingDoubtful(const tracking::TrackingDoubt& doubt);
    void placeTrackedObject(QPointF centre);
    void trackingFinished(const tracking::RunEnd& end);
    void endTracking();
    bool escapeTracking(); // false when no tracking is under way

    // ---- Help and about (main_window_help.cpp) ----
    void SommaireDelAide1Click(int tag); // the twelve help items
    void BitBtn1Click();
    void BitBtn3MouseDown();
    void popUpMnuAideClick();
    void aPropos1Click();
    void openHelp(int context);
    void connectHelpSignals();

    // ---- Shell operations ----
    void FormCreate();
    void PageControl1Change();
    void setActivePage(QWidget* page); // without running PageControl1Change
    void DisplayHint(const QString& hint);
    void Aide2Click();
    void Aide3Click();
    void FormResize();
    void Splitter1Moved();
    void FormPaint();
    void Timer1Timer();
    void mnuQuitterClick();
    void popUpMnuModeAcquerirClick();
    void popUpMnuModeEtalonnerClick();
    void popUpMnuModeProClipClick();
    HintTracker* hints() const { return m_hints; }

    // ---- Drawing (main_window_drawing.cpp) ----
    // reDraw rebuilds the layer of marks; Drawpoints lays the cached layer
    // over the frame shown (rebuilt first when marksChanged was called).
    void reDraw(int frame);
    void Drawpoints();   // all marks onto the PaintBox1 surface image
    void marksChanged(); // data or styles changed: the next Drawpoints rebuilds the marks
    void drawNewMark(int point, QPointF pixel); // one mark onto the layer and the surface
    void drawScaleSegmentNow();                 // the scale segment over the picture
    void showStyles();
    void CouleurAxesExecute();
    int markSize() const;
    bool m_scaleSegmentShown = false; // while the scale is being edited
    bool m_drawingNewMark = false;    // a click adds its mark to the layer itself
    QImage m_marks;                   // cached layer of every mark, transparent elsewhere
    bool m_marksValid = false;
    QImage m_cleanFrame;    // the frame shown, without marks
    qint64 m_markedKey = 0; // cache key of the surface image once marked

    // ---- Measurement side of opening a clip (main_window_measures.cpp) ----
    void layoutTablesForClip();        // time origin, points per frame, the table
    void enableMeasurementForClip();   // indicators and measurement controls
    void finishClipOpening();          // print scale, calibration picture, processing commands
    int timeOriginFrameNumber() const; // the time origin's image number (1-based)
    void setTableRowsToCurrentFrame(); // the table's current row: the frame shown

    // ---- Pointing surface (main_window_pointing.cpp) ----
    void PaintBox1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void PaintBox1MouseMove(Qt::KeyboardModifiers modifiers, QPoint pos);
    void PaintBox1MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);

    // The text of the status bar's one panel.
    QString statusText() const;

    // ---- Widgets: tool bar ----
    QToolBar* ToolBar1 = nullptr;
    QToolButton* bbtnOpenAvi = nullptr;
    QToolButton* bbtnIma = nullptr;
    QToolButton* loupeBtn = nullptr;
    QToolButton* bbtnCible = nullptr;
    QFrame* Panel7 = nullptr;
    QLabel* lblTaillePoints = nullptr;
    UpDown* udTaillePoints = nullptr;
    QToolButton* bbtnRegExec = nullptr;
    QToolButton* bbtnCopierMesuresPP = nullptr;
    QToolButton* bbtnCopierGraphiquePP = nullptr;
    QToolButton* bbtnEnregistrerMesures = nullptr;
    QToolButton* bbtnImprimer = nullptr;
    QToolButton* BitBtn1 = nullptr;
    QToolButton* BitBtn3 = nullptr;
    QLabel* lblNomAvi = nullptr;
    QAction* tbtnPreQuit = nullptr;
    QToolButton* bbtnQuitter = nullptr;

    // ---- Widgets: clip area ----
    ClipArea* pnl1 = nullptr;
    PaintBox* PaintBox1 = nullptr; // the clip area's picture
    MagnifierPanel* loupePnl = nullptr;
    QSplitter* Splitter1 = nullptr;

    // ---- Widgets: pages and status bar ----
    QTabWidget* PageControl1 = nullptr;
    MeasuresPage* tsMesures = nullptr;
    GraphsPage* tsGraphes = nullptr;
    CalibrationPage* tsEtalon = nullptr;
    ClipPropertiesPage* tsProClip = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    // ---- Timers ----
    QTimer* Timer1 = nullptr; // 40 ms, redraw of the marks
    QTimer* Timer3 = nullptr; // 500 ms, magnifier refresh

    // ---- Main menu: "Fichiers" ----
    QMenu* mnuFichiers = nullptr;
    QAction* mnuOuvrirClip = nullptr;
    QAction* mnuAccesClips = nullptr;
    QMenu* mnuMesures = nullptr;
    QMenu* mnuCopierPP = nullptr;
    QAction* mnuTableauPP = nullptr;
    QAction* mnuGraphiquePP = nullptr;
    QMenu* mnuEnregFic = nullptr;
    QAction* mnuSaveRW3 = nullptr;
    QAction* mnuSaveRRR = nullptr;
    QAction* mnuSaveTXT = nullptr;
    QAction* mnuImprimer = nullptr;
    QMenu* mnuRegressi = nullptr;
    QAction* mnuRegPath = nullptr;
    QAction* mnuRegExec = nullptr;
    QAction* mnuQuitter = nullptr;

    // ---- Main menu: "Clip" ----
    QMenu* mnuClip = nullptr;
    QAction* mnuIma100 = nullptr;
    QAction* mnuImaAdapter = nullptr;
    QAction* mnuImaAutre = nullptr;

    // ---- Main menu: "Pointages" ----
    QMenu* mnuPointages = nullptr;
    QMenu* mnuFormePointeur = nullptr;
    QAction* mnuGrandeCible = nullptr;
    QAction* mnuPetiteCible = nullptr;
    QAction* mnuCroix = nullptr;
    QMenu* mnuCouleurPointeur = nullptr;
    QAction* mnuCouleurNoir = nullptr;
    QAction* mnuCouleurBlanc = nullptr;
    QMenu* mnuTaillePoints = nullptr;
    QAction* mnuTaille[5] = {}; // mnuTaille1, mnuTaille2, mnuTaille3, mnuTaile4, mnuTaille5
    QMenu* mnuPointSuivantAuto = nullptr;
    QAction* mnuAutoH = nullptr;
    QAction* mnuAutoV = nullptr;
    QMenu* mnuConfigurationsrapides = nullptr;
    QMenu* mnuFondClair = nullptr;
    QMenu* mnuFondSombre = nullptr;
    QAction* mnuFdCl[9] = {}; // mnuFdCl1point .. mnuFdCl9points, tags 1..9
    QAction* mnuFdSo[9] = {}; // mnuFdSo1Point .. mnuFdSo9points, tags 21..29

    // ---- Main menu: "?" ----
    QMenu* mnuAide = nullptr;
    QAction* SommaireDelAide1 = nullptr;
    QMenu* mnuComment1 = nullptr;
    QAction* CommentEtalonner1 = nullptr;
    QAction* CommentPointer1 = nullptr;
    QAction* CommentExploiterLesDonnees1 = nullptr;
    QAction* AideSurLesBoutons1 = nullptr;
    QAction* AideDesMenus1 = nullptr;
    QAction* Aide2 = nullptr; // "Aide dans la barre d'état"
    QAction* Aide3 = nullptr; // "Bulles d'aide"
    QAction* aPropos1 = nullptr;

    // ---- Pop-up menu of the pointing surface ----
    QMenu* PopupMenu1 = nullptr;
    QAction* popUpMenuAtteindre = nullptr;
    QAction* popUpMnuModeAcquerir = nullptr;
    QAction* popUpMnuModeEtalonner = nullptr;
    QAction* popUpMnuModeProClip = nullptr;
    QAction* popUpMnuPointeur = nullptr;
    QAction* LoupePopupMnu = nullptr;
    QAction* popUpMnuAide = nullptr;

    // ---- Help pop-up menu ----
    QMenu* PopupMenu3 = nullptr;
    QAction* SommaireDelAide2 = nullptr;
    QMenu* mnuComment2 = nullptr;
    QAction* CommentEtalonner2 = nullptr;
    QAction* CommentPointer2 = nullptr;
    QAction* CommentExploiterLesDonnes2 = nullptr;
    QAction* AideDesBoutons2 = nullptr;
    QAction* Aidedesmenus2 = nullptr;

    // ---- Sessions, automatic copies and undo (main_window_session.cpp) ----
    QMenu* mnuEdition = nullptr;
    QAction* mnuAnnuler = nullptr;
    QAction* mnuRetablir = nullptr;
    QToolButton* bbtnAnnuler = nullptr;
    QToolButton* bbtnRetablir = nullptr;
    QAction* mnuOuvrirSession = nullptr;
    QAction* mnuEnregistrerSession = nullptr;
    QMenu* mnuSessionsRecentes = nullptr;
    QUndoStack* undoStack = nullptr; // the document's
    std::unique_ptr<RecoveryStore> recovery;
    QTimer* autosaveTimer = nullptr; // a change starts it; it saves a copy when it fires
    // Everything a session file keeps: the document, the display size, the
    // frame shown and the pointer.
    SessionData captureSession() const;
    // The open clip takes `session`'s measurements and looks (a session being opened).
    void applySession(const SessionData& session);
    // One step of "Annuler": the command changes the document as it is pushed.
    void pushChange(QUndoCommand* command);
    bool saveSessionFile(const QString& path);
    void mnuOuvrirSessionClick();
    void mnuEnregistrerSessionClick();
    void fillRecentSessions();
    // The automatic copy, now (before an action that empties the tables).
    void saveRecoveryNow();
    void endRecovery(); // a normal end

    void buildSessionCommands();
    void connectDocumentSignals();
    DrawOptions drawOptions() const;
    void recordAt(QPointF pixel);
    void undoOrRedo(bool undo);
    bool m_autosaveWarned = false;
    MeasurementDocument* m_document = nullptr;
    bool m_pointerSeen = false; // the pointer moved over this clip: its read-outs are shown
    void buildLayout();
    void buildToolBar();
    void buildPages();
    void buildMenus();
    void buildQuickConfigurations();
    void buildPopupMenus();
    void connectDialogSignals();
    void connectSignals();
    void createDialogs();
    void setUpKeyboard();
    void setPanelWidth(int panelWidth);
    int toolBarLeftOf(QWidget* widget) const;
    int toolBarRightOf(QWidget* widget) const;

    HintTracker* m_hints = nullptr;
    bool m_settingPage = false;
    QHash<QString, QString> m_exportFolders; // by extension: where each export went last
};

} // namespace traxilo
