#include "app/main_window.h"

#include "app/dialogs/dialogs.h"
#include "app/dialogs/display_size_dialog.h"
#include "app/file_dialog_seam.h"
#include "app/hint_tracker.h"
#include "app/message_seam.h"
#include "app/paint_box.h"
#include "app/settings_place.h"
#include "app/tool_icons.h"
#include "app/up_down.h"
#include "clip/clip_types.h"
#include "clip/video_source.h"
#include "export/file_output.h"
#include "pointing/style_table.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScopeGuard>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>

namespace traxilo {

namespace {

const QStringList kSessionFilters = {QStringLiteral("sessions Traxilo (*.trx)")};
constexpr int kAutosaveMs = 30000;

// The measurements without where the user stands: what a change changes.
SessionData measurementsOf(SessionData s) {
    s.currentFrame = 0;
    s.currentPoint = 1;
    return s;
}

// One change of the measurements: the state before and after it. Undo and
// redo show one or the other; the first redo, when the change is pushed,
// has already happened.
class MeasurementChange : public QUndoCommand {
public:
    MeasurementChange(TForm1& window, const QString& text, SessionData before, SessionData after,
                      int mergeId)
        : QUndoCommand(text), m_window(window), m_before(std::move(before)),
          m_after(std::move(after)), m_mergeId(mergeId) {}

    void undo() override { m_window.applySession(m_before, false); }
    void redo() override {
        if (m_done)
            m_window.applySession(m_after, false);
        m_done = true;
    }
    int id() const override { return m_mergeId; }
    bool mergeWith(const QUndoCommand* other) override {
        // Typing a distance is one change, not one per key.
        m_after = static_cast<const MeasurementChange*>(other)->m_after;
        return true;
    }

private:
    TForm1& m_window;
    SessionData m_before;
    SessionData m_after;
    int m_mergeId;
    bool m_done = false;
};

QString recoveryQuestion(const RecoveryStore::Entry& entry) {
    return QStringLiteral("Des mesures non enregistrées ont été retrouvées : Traxilo ne s'est pas "
                          "fermé normalement.\r\rClip : %1\rDate : %2\rPoints mesurés : %3\r\r"
                          "Voulez-vous les restaurer ?")
        .arg(entry.clipName, entry.written.toString(QStringLiteral("dd/MM/yyyy HH:mm")))
        .arg(entry.points);
}

} // namespace

void TForm1::buildSessionCommands() {
    undoStack = new QUndoStack(this);
    undoStack->setObjectName(QStringLiteral("undoStack"));

    // "Fichiers": the two session commands and the recent copies, before "Quitter".
    QAction* before = mnuQuitter;
    mnuOuvrirSession = new QAction(QStringLiteral("Ouvrir une session..."), this);
    mnuOuvrirSession->setObjectName(QStringLiteral("mnuOuvrirSession"));
    mnuOuvrirSession->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    HintTracker::setHint(mnuOuvrirSession,
                         QStringLiteral("|Reprendre des mesures enregistrées dans une session "
                                        "(*.trx), avec leur clip"));
    mnuEnregistrerSession = new QAction(QStringLiteral("Enregistrer la session..."), this);
    mnuEnregistrerSession->setObjectName(QStringLiteral("mnuEnregistrerSession"));
    mnuEnregistrerSession->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuEnregistrerSession->setEnabled(false);
    HintTracker::setHint(mnuEnregistrerSession,
                         QStringLiteral("|Enregistrer le clip, l'étalonnage et toutes les mesures "
                                        "pour les reprendre plus tard"));
    mnuSessionsRecentes = new QMenu(QStringLiteral("Sessions récentes"), this);
    mnuSessionsRecentes->setObjectName(QStringLiteral("mnuSessionsRecentes"));
    HintTracker::setHint(mnuSessionsRecentes->menuAction(),
                         QStringLiteral("|Les copies automatiques des mesures, par clip et par "
                                        "jour"));
    mnuFichiers->insertAction(before, mnuOuvrirSession);
    mnuFichiers->insertAction(before, mnuEnregistrerSession);
    mnuFichiers->insertMenu(before, mnuSessionsRecentes);
    mnuFichiers->insertSeparator(before);
    connect(mnuOuvrirSession, &QAction::triggered, this, &TForm1::mnuOuvrirSessionClick);
    connect(mnuEnregistrerSession, &QAction::triggered, this, &TForm1::mnuEnregistrerSessionClick);
    connect(mnuSessionsRecentes, &QMenu::aboutToShow, this, &TForm1::fillRecentSessions);

    // "Edition", after "Fichiers".
    mnuEdition = new QMenu(QStringLiteral("Edition"), this);
    mnuEdition->setObjectName(QStringLiteral("mnuEdition"));
    menuBar()->insertMenu(mnuClip->menuAction(), mnuEdition);
    mnuAnnuler = mnuEdition->addAction(QStringLiteral("Annuler"));
    mnuAnnuler->setObjectName(QStringLiteral("mnuAnnuler"));
    mnuAnnuler->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuRetablir = mnuEdition->addAction(QStringLiteral("Rétablir"));
    mnuRetablir->setObjectName(QStringLiteral("mnuRetablir"));
    mnuRetablir->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    HintTracker::setHint(mnuAnnuler, QStringLiteral("|Annuler la dernière modification des "
                                                    "mesures"));
    HintTracker::setHint(mnuRetablir, QStringLiteral("|Rétablir la modification annulée"));
    connect(mnuAnnuler, &QAction::triggered, undoStack, &QUndoStack::undo);
    connect(mnuRetablir, &QAction::triggered, undoStack, &QUndoStack::redo);

    // Two tool buttons, after the clip's.
    QAction* anchor = ToolBar1->actions().value(1);
    auto button = [this, anchor](const char* name, const QString& icon,
                                 QStyle::StandardPixmap fallback, QAction* action,
                                 const QString& hint) {
        auto* b = new QToolButton(ToolBar1);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(QIcon::fromTheme(icon, style()->standardIcon(fallback)));
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        HintTracker::setHint(b, hint);
        connect(b, &QToolButton::clicked, action, &QAction::trigger);
        ToolBar1->insertWidget(anchor, b);
        return b;
    };
    bbtnAnnuler =
        button("bbtnAnnuler", QStringLiteral("edit-undo"), QStyle::SP_ArrowBack, mnuAnnuler,
               QStringLiteral("Annuler (Ctrl+Z)|Annuler la dernière modification des "
                              "mesures"));
    bbtnRetablir =
        button("bbtnRetablir", QStringLiteral("edit-redo"), QStyle::SP_ArrowForward, mnuRetablir,
               QStringLiteral("Rétablir (Ctrl+Y)|Rétablir la modification annulée"));
    for (QObject* command : {static_cast<QObject*>(mnuAnnuler), static_cast<QObject*>(bbtnAnnuler)})
        connect(undoStack, &QUndoStack::canUndoChanged, command, [command](bool on) {
            if (auto* a = qobject_cast<QAction*>(command))
                a->setEnabled(on);
            else
                static_cast<QWidget*>(command)->setEnabled(on);
        });
    for (QObject* command :
         {static_cast<QObject*>(mnuRetablir), static_cast<QObject*>(bbtnRetablir)})
        connect(undoStack, &QUndoStack::canRedoChanged, command, [command](bool on) {
            if (auto* a = qobject_cast<QAction*>(command))
                a->setEnabled(on);
            else
                static_cast<QWidget*>(command)->setEnabled(on);
        });
    for (QAction* a : {mnuAnnuler, mnuRetablir})
        a->setEnabled(false);
    bbtnAnnuler->setEnabled(false);
    bbtnRetablir->setEnabled(false);

    // A change starts the clock of the automatic copy.
    autosaveTimer = new QTimer(this);
    autosaveTimer->setObjectName(QStringLiteral("autosaveTimer"));
    autosaveTimer->setSingleShot(true);
    bool overridden = false;
    const int ms = qEnvironmentVariableIntValue("TRAXILO_AUTOSAVE_MS", &overridden);
    autosaveTimer->setInterval(overridden && ms > 0 ? ms : kAutosaveMs);
    connect(autosaveTimer, &QTimer::timeout, this, &TForm1::saveRecoveryNow);
    connect(undoStack, &QUndoStack::indexChanged, this, [this] {
        if (!autosaveTimer->isActive())
            autosaveTimer->start();
    });
    recovery = std::make_unique<RecoveryStore>(RecoveryStore::defaultFolder());
}

SessionData TForm1::captureSession() const {
    SessionData s;
    s.clipPath = OpenDialog1FileName;
    s.frameCount = ClipInfo.frameCount;
    s.pictureSize = QSize(ClipInfo.width, ClipInfo.height);
    s.codec = ClipInfo.codecFourCC;
    s.displayPercent = displaySize.displayPercent;
    s.calibration = Calibration;
    // Whether the print scale is to be proposed anew is not a measurement.
    s.calibration.scaleChanged = false;
    s.distanceText = lastValidDistance;
    s.timeOrigin = tables.timeOrigin();
    s.captureRate = ClipInfo.captureRate;
    s.timeDecimals = udFmt_t->position();
    s.xyDigits = tables.xyDigits();
    s.pointsPerFrame = tables.pointsPerFrame();
    s.currentPoint = tables.currentPoint();
    s.currentFrame = std::max(0, currentFrame);
    const TextGrid& pixels = tables.PixelTable;
    for (int row = 1; row <= tables.frameCount(); ++row) {
        for (int point = 1; point <= s.pointsPerFrame; ++point) {
            bool xOk = false;
            const int x = pixels.cell(2 * point - 1, row).toInt(&xOk);
            if (!xOk)
                continue;
            bool yOk = false;
            const int y = pixels.cell(2 * point, row).toInt(&yOk);
            s.positions.append({row - 1, point, x, yOk ? std::optional<int>(y) : std::nullopt});
        }
    }
    for (int col = 0; col <= s.pointsPerFrame; ++col) {
        QStringList column;
        for (int row = 0; row < 3; ++row)
            column << tables.StyleTable.cell(col, row);
        s.styleColumns.append(column);
    }
    s.markSize = pointStyle.markSize + 1;
    s.pointerColour = pointStyle.colourChoice + 1;
    s.pointerShape = pointStyle.shapeChoice + 1;
    return s;
}

void TForm1::applySession(const SessionData& s, bool withLooks) {
    if (!clipOpen())
        return;
    m_applyingSession = true;
    if (s.displayPercent != displaySize.displayPercent) {
        displaySize.clipSize = QSize(ClipInfo.width, ClipInfo.height);
        showAtPercent(s.displayPercent, false);
        displaySize.displayPercent = s.displayPercent;
        dialogs->tailleImaBox->setPosition(s.displayPercent);
    }
    // The capture rate changes every time: undone like any measurement, with
    // the decimals of t it brought.
    if (withLooks || s.captureRate != ClipInfo.captureRate) {
        ClipInfo.captureRate = s.captureRate;
        noteClipTimingOnOpening(); // the field and the time column follow the rate
        udFmt_t->setPosition(s.timeDecimals);
        tables.setTimeDecimals(s.timeDecimals, Calibration);
    }
    if (withLooks) {
        udFmt_xy->setPosition(s.xyDigits - 1);
        tables.setXYDigits(s.xyDigits, Calibration, QString());
        pointStyle.colourChoice = s.pointerColour - 1;
        pointStyle.shapeChoice = s.pointerShape - 1;
        Curseur();
        mnuTaille1Click(s.markSize);
    }

    // Points per frame first: it lays out the columns the positions go in.
    udPointsPlan->setPosition(s.pointsPerFrame);
    udPointNumero->setRange(1, s.pointsPerFrame);
    nbPointsPlan(s.pointsPerFrame);
    if (withLooks) {
        for (int col = 0; col < s.styleColumns.size(); ++col)
            for (int row = 0; row < 3; ++row)
                tables.StyleTable.setCell(col, row, s.styleColumns[col].value(row));
        chkBoxAxDed->setChecked(styleOf(tables.StyleTable, 0).drawn);
    }

    ClearRequest clear = tables.tableClear();
    clear.ask = false;
    clear.showSelection = false;
    tables.applyClear(clear);
    for (const RecordedPosition& p : s.positions) {
        tables.PixelTable.setCell(2 * p.point - 1, p.frame + 1, QString::number(p.x));
        tables.PixelTable.setCell(2 * p.point, p.frame + 1,
                                  p.y ? QString::number(*p.y) : QString());
    }

    udt0->setPosition(s.timeOrigin);
    lblt0->setText(QString::number(s.timeOrigin));
    tables.setTimeOrigin(s.timeOrigin);

    Calibration = s.calibration;
    Calibration.scaleChanged = true; // the print scale follows the calibration
    showCalibration(s.distanceText); // recomputes the metres from the pixels

    tables.choosePoint(s.currentPoint);
    ChgPointNumero(s.currentPoint);
    marksChanged();
    reDraw(std::clamp(s.currentFrame, 0, std::max(0, ClipInfo.frameCount - 1)));
    setTableRowsToCurrentFrame();
    ShowTimeOriginMark();
    refreshCoordinateLine();
    m_applyingSession = false;
}

void TForm1::recordChange(const QString& what, const std::function<void()>& change, int mergeId) {
    if (!clipOpen() || m_applyingSession || m_recordingChange || m_openingClip || !undoStack) {
        change();
        return;
    }
    SessionData before = captureSession();
    {
        m_recordingChange = true;
        const auto done = qScopeGuard([this] { m_recordingChange = false; });
        change();
    }
    SessionData after = captureSession();
    if (measurementsOf(before) == measurementsOf(after))
        return;
    undoStack->push(
        new MeasurementChange(*this, what, std::move(before), std::move(after), mergeId));
}

bool TForm1::saveSessionFile(const QString& path) {
    const QByteArray bytes = writeSession(captureSession(), path);
    if (const std::optional<QString> error = saveBytes(path, bytes)) {
        MessageSeam::showError(*error, this);
        return false;
    }
    return true;
}

bool TForm1::openSessionFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    auto refuse = [&](const QString& why) {
        MessageSeam::showError(
            QStringLiteral("Impossible d'ouvrir la session « %1 » : %2").arg(name, why), this);
        return false;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(file.errorString());
    const SessionReadResult read = readSession(file.readAll());
    if (!read.session)
        return refuse(read.error);
    const SessionData& session = *read.session;

    QString clip = locateSessionClip(session, path);
    if (clip.isEmpty()) {
        const QString clipName = QFileInfo(session.clipPath).fileName();
        const std::optional<QString> chosen = FileDialogSeam::getOpenFileName(
            this, QStringLiteral("Où est le clip « %1 » de cette session ?").arg(clipName),
            QFileInfo(path).absolutePath(), clipDialogFilters());
        if (!chosen)
            return false;
        clip = *chosen;
    }
    // The clip must be the one measured: its frames and picture, before
    // anything in the window changes.
    QString why;
    const std::unique_ptr<VideoSource> probe = openVideoSource(clip, &why);
    if (!probe)
        return refuse(why);
    const VideoFacts& facts = probe->facts();
    if (facts.frameCount != session.frameCount ||
        QSize(facts.width, facts.height) != session.pictureSize) {
        return refuse(QStringLiteral("le clip %1 n'est pas celui de la session (%2 images de "
                                     "%3 × %4 attendues, %5 images de %6 × %7 trouvées).")
                          .arg(QFileInfo(clip).fileName())
                          .arg(session.frameCount)
                          .arg(session.pictureSize.width())
                          .arg(session.pictureSize.height())
                          .arg(facts.frameCount)
                          .arg(facts.width)
                          .arg(facts.height));
    }
    if (!openClipFile(clip))
        return false;
    applySession(session, true);
    undoStack->clear();
    setActivePage(tsMesures);
    PageControl1Change();
    popUpMnuModeAcquerirClick();
    return true;
}

void TForm1::mnuOuvrirSessionClick() {
    const std::optional<QString> chosen = FileDialogSeam::getOpenFileName(
        this, QStringLiteral("Ouvrir une session"), openDialogStartFolder(), kSessionFilters);
    if (chosen)
        openSessionFile(*chosen);
}

void TForm1::mnuEnregistrerSessionClick() {
    if (!clipOpen())
        return;
    const QFileInfo clip(OpenDialog1FileName);
    // Beside the clip, unless it lies where the user cannot write (the demo clip).
    const QString folder =
        folderIsWritable(clip.absolutePath()) ? clip.absolutePath() : userVideosFolder();
    const std::optional<QString> chosen = FileDialogSeam::getSaveFileName(
        this, QStringLiteral("Enregistrer la session"), folder, kSessionFilters,
        clip.completeBaseName() + QStringLiteral(".trx"), QStringLiteral("trx"));
    if (chosen)
        saveSessionFile(*chosen);
}

void TForm1::fillRecentSessions() {
    mnuSessionsRecentes->clear();
    const QList<RecoveryStore::Entry> entries = recovery->entries();
    if (entries.isEmpty()) {
        mnuSessionsRecentes->addAction(QStringLiteral("(aucune)"))->setEnabled(false);
        return;
    }
    for (const RecoveryStore::Entry& entry : entries) {
        const QString caption =
            QStringLiteral("%1 — %2 — %3 point(s)")
                .arg(entry.clipName, entry.written.toString(QStringLiteral("dd/MM/yyyy HH:mm")))
                .arg(entry.points);
        const QString path = entry.path;
        connect(mnuSessionsRecentes->addAction(caption), &QAction::triggered, this,
                [this, path] { openSessionFile(path); });
    }
}

void TForm1::saveRecoveryNow() {
    autosaveTimer->stop();
    if (!tableauOccupe())
        return;
    const QString error = recovery->save(captureSession());
    if (!error.isEmpty() && !m_autosaveWarned) {
        m_autosaveWarned = true; // said once; the program works on
        MessageSeam::showWarning(
            QStringLiteral("L'enregistrement automatique des mesures est désactivé : le dossier "
                           "%1 ne peut pas être écrit (%2).\r\rEnregistrez vos mesures avec "
                           "« Enregistrer la session... ».")
                .arg(recovery->folder(), error),
            this);
    }
}

void TForm1::startRecovery() {
    if (const std::optional<RecoveryStore::Entry> left = recovery->takeAbnormalEnd()) {
        if (MessageSeam::confirm(recoveryQuestion(*left), this))
            openSessionFile(left->path);
    }
    if (!recovery->markRunning() && !m_autosaveWarned) {
        m_autosaveWarned = true;
        MessageSeam::showWarning(
            QStringLiteral("L'enregistrement automatique des mesures est désactivé : le dossier "
                           "%1 ne peut pas être écrit.\r\rEnregistrez vos mesures avec "
                           "« Enregistrer la session... ».")
                .arg(recovery->folder()),
            this);
    }
}

void TForm1::endRecovery() {
    saveRecoveryNow();
    recovery->markEnded();
}

} // namespace traxilo
