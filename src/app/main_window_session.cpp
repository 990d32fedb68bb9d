#include "app/main_window.h"

#include "app/pages/measures_page.h"

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
#include "document/document_commands.h"
#include "document/measurement_document.h"
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
#include <algorithm>

namespace traxilo {

namespace {

const QStringList kSessionFilters = {QStringLiteral("sessions Traxilo (*.trx)")};
constexpr int kAutosaveMs = 30000;

QString recoveryQuestion(const RecoveryStore::Entry& entry) {
    return QStringLiteral("Des mesures non enregistrées ont été retrouvées : Traxilo ne s'est pas "
                          "fermé normalement.\r\rClip : %1\rDate : %2\rPoints mesurés : %3\r\r"
                          "Voulez-vous les restaurer ?")
        .arg(entry.clipName, entry.written.toString(QStringLiteral("dd/MM/yyyy HH:mm")))
        .arg(entry.points);
}

} // namespace

void TForm1::buildSessionCommands() {
    undoStack = m_document->undoStack();

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
    connect(mnuAnnuler, &QAction::triggered, this, [this] { undoOrRedo(true); });
    connect(mnuRetablir, &QAction::triggered, this, [this] { undoOrRedo(false); });

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

void TForm1::pushChange(QUndoCommand* command) {
    undoStack->push(command);
}

void TForm1::undoOrRedo(bool undo) {
    if (undo ? !undoStack->canUndo() : !undoStack->canRedo())
        return;
    // Positions clicked, cleared or tracked, undone or redone, bring back
    // the first frame they change and make its point current: the user sees
    // what changed and can click again.
    const QUndoCommand* command = undoStack->command(undoStack->index() - (undo ? 1 : 0));
    undo ? undoStack->undo() : undoStack->redo();
    const auto* positions = dynamic_cast<const ChangePositions*>(command);
    if (positions && !positions->isEmpty() && clipOpen()) {
        const std::vector<PositionChange>& changes = positions->changes();
        const PositionChange& change = *std::min_element(
            changes.begin(), changes.end(), [](const PositionChange& a, const PositionChange& b) {
                return std::pair(a.frame, a.point) < std::pair(b.frame, b.point);
            });
        m_document->setCurrentPoint(change.point);
        tsMesures->setCurrentCell(2 * change.point - 1, change.frame + 1);
        reDraw(change.frame);
        setTableRowsToCurrentFrame();
    }
}

SessionData TForm1::captureSession() const {
    SessionView view;
    view.displayPercent = displaySize.displayPercent;
    view.currentFrame = std::max(0, currentFrame);
    view.pointerColour = pointStyle.colourChoice + 1;
    view.pointerShape = pointStyle.shapeChoice + 1;
    SessionData s = sessionOf(*m_document, view);
    s.clipPath = OpenDialog1FileName;
    return s;
}

void TForm1::applySession(const SessionData& s) {
    if (!clipOpen())
        return;
    restoreSession(*m_document, s);
    if (s.displayPercent != displaySize.displayPercent) {
        displaySize.clipSize = QSize(ClipInfo.width, ClipInfo.height);
        showAtPercent(s.displayPercent, false);
        dialogs->tailleImaBox->setPosition(s.displayPercent);
    }
    pointStyle.colourChoice = s.pointerColour - 1;
    pointStyle.shapeChoice = s.pointerShape - 1;
    Curseur();
    tsMesures->selectPoint(m_document->currentPoint());
    reDraw(std::clamp(s.currentFrame, 0, std::max(0, ClipInfo.frameCount - 1)));
    setTableRowsToCurrentFrame();
    ShowTimeOriginMark();
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
    applySession(session);
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

void TForm1::startRecovery(const QString& commandLineFile) {
    bool restored = false;
    if (const std::optional<RecoveryStore::Entry> left = recovery->takeAbnormalEnd()) {
        if (MessageSeam::confirm(recoveryQuestion(*left), this))
            restored = openSessionFile(left->path);
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
    if (restored || commandLineFile.isEmpty())
        return;
    if (commandLineFile.endsWith(QLatin1String(".trx"), Qt::CaseInsensitive))
        openSessionFile(commandLineFile);
    else
        openClipFile(commandLineFile);
}

void TForm1::endRecovery() {
    saveRecoveryNow();
    recovery->markEnded();
}

} // namespace traxilo
