#include "app/main_window.h"

#include "app/clip_area.h"

#include "app/magnifier_panel.h"

#include "app/pages/measures_page.h"
#include "app/widget_style.h"

#include "app/dialogs/clips_folder_dialog.h"
#include "app/dialogs/dialogs.h"
#include "app/dialogs/display_size_dialog.h"
#include "app/file_dialog_seam.h"
#include "app/hint_tracker.h"
#include "app/message_seam.h"
#include "app/pages/clip_properties_page.h"
#include "app/paint_box.h"
#include "app/settings_place.h"
#include "app/string_grid.h"
#include "clip/avi_header.h"
#include "clip/clip_facts.h"
#include "clip/clip_player.h"
#include "clip/clip_types.h"
#include "clip/file_utils.h"
#include "document/measurement_document.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScopeGuard>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QUndoStack>
#include <algorithm>
#include <cmath>

namespace traxilo {

namespace {

const QString kOpenTitle = QStringLiteral("Ouverture d'un clip vidéo");
const QString kUnknownError = QStringLiteral("Code d'erreur inconnu");

} // namespace

bool TForm1::clipOpen() const {
    return MediaPlayer1 && MediaPlayer1->isOpen();
}

void TForm1::connectClipSignals() {
    MediaPlayer1 = new ClipPlayer(this);
    MediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));
    // Showing a frame replaces the surface image, and so wipes the marks.
    connect(MediaPlayer1, &ClipPlayer::frameShown, PaintBox1,
            [this](int, const QImage& image) { PaintBox1->setImage(image); });
    connect(MediaPlayer1, &ClipPlayer::notify, this, &TForm1::MediaPlayer1Notify);

    connect(bbtnOpenAvi, &QToolButton::clicked, this, &TForm1::bbtnOpenAviClick);
    connect(mnuOuvrirClip, &QAction::triggered, this, &TForm1::bbtnOpenAviClick);
    connect(mnuAccesClips, &QAction::triggered, this, &TForm1::ClipPathExecute);
    connect(pnl1, &ClipArea::navigationClicked, this, &TForm1::bbtnPlayClick);
    // A picture dragged about is no longer fitted to the clip area.
    connect(pnl1, &ClipArea::panelDragStarted, this, [this] { mnuImaAdapter->setEnabled(true); });
}

QString TForm1::openDialogStartFolder() const {
    const QString folder = config.exists() ? config.ConfigLines[4] : QString();
    return folder.isEmpty() ? userVideosFolder() : folder;
}

void TForm1::bbtnOpenAviClick() {
    // The properties page previews the file under the cursor while browsing.
    QWidget* const pageBefore = PageControl1->currentWidget();
    setActivePage(tsProClip);
    const std::optional<QString> chosen = FileDialogSeam::getOpenFileName(
        this, kOpenTitle, openDialogStartFolder(), clipDialogFilters(),
        [this](const QString& file) { OpenDialog1SelectionChange(file); });
    // Without a new clip the page the user was on comes back, with the
    // open clip's facts on the properties page.
    if (!chosen) {
        RAZProClip();
        setActivePage(pageBefore);
    } else if (!openClipFile(*chosen)) {
        setActivePage(pageBefore);
    }
}

bool TForm1::openClipFile(const QString& chosenPath) {
    const QFileInfo file(chosenPath);
    const QString path = file.absoluteFilePath();

    // The new clip opens first: a file that turns out not to be one leaves
    // the clip, the measurements and every label as they were.
    if (!MediaPlayer1->open(path)) {
        const QString why = MediaPlayer1->errorString();
        MessageSeam::showError(why.isEmpty() ? kUnknownError : why, this);
        RAZProClip(); // as when the dialog is cancelled: the open clip's facts
        return false;
    }
    const int frames = MediaPlayer1->length();
    // The measurements of the previous clip go to their automatic copy
    // ("Sessions récentes" brings them back); their changes cannot be undone
    // on another clip. What the opening itself writes (the reset distance,
    // the new tables) is no change of the user's either: the history starts
    // once the clip is laid out.
    saveRecoveryNow();
    const auto opened = qScopeGuard([this] { undoStack->clear(); });
    // Nothing of the previous clip stays on show, even when the first frame
    // could not be decoded.
    PaintBox1->setImage(MediaPlayer1->currentImage());

    // Opening a clip starts a new set of measurements: no question asked;
    // the tables are emptied as they are laid out for the new clip, below.
    currentFrame = -1;
    OpenDialog1FileName = path;
    m_pointerSeen = false;

    if (config.ConfigLines[3] == QLatin1String("0")) {
        config.ConfigLines[4] = file.absolutePath() + QLatin1Char('/');
        config.save();
    }

    ClipInfo.fileName = file.fileName();
    lblNomAvi->setText(FitPath(path, lblNomAvi->fontMetrics(), lblNomAvi->width()));
    ClipInfo.sizeText = FileSizeText(path);
    const bool avi = file.suffix().toLower() == QLatin1String("avi");
    ClipInfo.codecFourCC = MediaPlayer1->facts().codecFourCC;
    if (avi) {
        const AviHeaderResult header = ReadAviHeader(path);
        ClipInfo.codecFourCC = header.ok() ? header.info.codecFourCC : QString();
    }

    NoteDecodedCodec(ClipInfo, MediaPlayer1->facts());

    // Timing from the player: frame count and duration.
    const long double durationMs = MediaPlayer1->lengthMs();
    ClipInfo.frameCount = frames;
    ClipInfo.framePeriod = durationMs / frames / 1000;
    if (ClipInfo.framePeriod != 0) {
        const long double rate = std::nearbyint(1 / ClipInfo.framePeriod); // halves to even
        ClipInfo.frameRate = std::isfinite(rate) && rate < 2147483647.0L ? qint32(rate) : 0;
    }
    NotePictureAndTiming(ClipInfo, MediaPlayer1->facts());

    const QRect natural = MediaPlayer1->displayRect();
    const int width = natural.width();
    const int height = natural.height();
    ClipInfo.width = width;
    ClipInfo.height = height;

    // Shown at its own size.
    displaySize.clipSize = QSize(width, height);
    dialogs->tailleImaBox->setPosition(100);
    tsProClip->showAdaptation(adaptationText(100));

    MediaPlayer1->setDisplayRect(QRect(4, 4, width, height));
    pnl1->showOpenedClip(QSize(width, height));

    // A new set of measurements, on this clip's frames and times.
    DocumentClip measured;
    measured.path = path;
    measured.frameCount = frames;
    measured.pictureSize = QSize(width, height);
    measured.codec = ClipInfo.codecFourCC;
    measured.period = ClipInfo.framePeriod;
    if (!ClipInfo.timing.evenlySpaced)
        measured.times.assign(ClipInfo.timing.times.begin(), ClipInfo.timing.times.end());
    m_document->openClip(measured);
    lastMousePos = QPoint(0, 0);
    displaySize.displayHeight = height;
    displaySize.displayWidth = width;
    displaySize.displayFactor = 1;

    mpPositionner(0);
    loupePnl->setCentre(QPoint(pnl1->x() + pnl1->width(), pnl1->y()));
    initEchelle();

    // Also for a one-frame clip, where the last two do nothing.
    pnl1->enableNavigation(true, false);

    layoutTablesForClip();
    noteClipTimingOnOpening();

    enableMeasurementForClip();
    popUpMnuModeAcquerir->setEnabled(true);
    popUpMnuModeEtalonner->setEnabled(true);
    popUpMnuModeProClip->setEnabled(true);

    // Point size box.
    QPalette sizeBox = Panel7->palette();
    sizeBox.setColor(QPalette::Window, QColor(0, 128, 128));
    sizeBox.setColor(QPalette::WindowText,
                     QApplication::style()->standardPalette().color(QPalette::ToolTipBase));
    Panel7->setPalette(sizeBox);
    Panel7->setAutoFillBackground(true);
    Panel7->setEnabled(true);

    if (config.exists()) {
        mnuRegExec->setEnabled(true);
        bbtnRegExec->setEnabled(true);
    }
    bbtnEnregistrerMesures->setEnabled(true);
    mnuMesures->menuAction()->setEnabled(true);
    bbtnCopierMesuresPP->setEnabled(true);
    bbtnCopierGraphiquePP->setEnabled(true);
    mnuCopierPP->menuAction()->setEnabled(true);

    displaySize.displayPercent = 100;
    bbtnIma->setEnabled(true);
    enableDisplaySizeCommands(100, false); // whatever the clip before was shown at
    displaySize.fitRequested = true;
    mnuClip->menuAction()->setEnabled(true);
    loupeBtn->setEnabled(true);
    LoupePopupMnu->setEnabled(true);

    // The properties page still shows the last file previewed, which need
    // not be this clip (another selection, a header it could not read).
    showOpenClipFacts();
    setActivePage(tsMesures);
    PageControl1Change();
    finishClipOpening();
    mnuEnregistrerSession->setEnabled(true);
    PaintBox1->setFocus(); // the keys step the new clip at once
    warnOfVariableRate();
    return true;
}

void TForm1::mpPositionner(int a) {
    if (!clipOpen() || MediaPlayer1->length() <= 0) {
        return;
    }
    const int length = MediaPlayer1->length();
    a = std::clamp(a, 0, length - 1);
    const int previous = currentFrame;
    // Frame 0 is on show right after an opening. Otherwise the player goes to
    // the frame itself rather than stepping from currentFrame: a playback
    // may have moved it past currentFrame.
    bool shown = true;
    if (!(a == 0 && currentFrame == -1)) {
        shown = MediaPlayer1->seek(a);
    }
    currentFrame = a;
    pnl1->showFrameNumber(a + 1, length);
    ShowTimeOriginMark();
    SetNavButtons();
    if (!shown) {
        // No other frame's picture under this number: a blank surface, which
        // still takes the marks, and the reason once on arriving there.
        QImage blank(MediaPlayer1->displayRect().size(), QImage::Format_RGB32);
        blank.fill(Qt::white);
        PaintBox1->setImage(blank);
        if (a != previous) {
            MessageSeam::showError(MediaPlayer1->errorString(), this);
        }
    }
}

void TForm1::ShowTimeOriginMark() {
    pnl1->showTimeOriginMark(timeOriginFrameNumber() == currentFrame + 1);
}

void TForm1::SetNavButtons() {
    const int last = MediaPlayer1 ? MediaPlayer1->length() - 1 : -1;
    pnl1->enableNavigation(currentFrame<last, currentFrame> 0);
}

void TForm1::bbtnPlayClick(int button) {
    if (clipOpen()) {
        const int length = MediaPlayer1->length();
        switch (button) {
        case ClipArea::Play:
            if (MediaPlayer1->mode() == ClipPlayer::Mode::Playing) {
                // Stops on the frame reached.
                const int position = MediaPlayer1->position();
                mpPositionner(position == length ? position - 1 : position);
            } else {
                MediaPlayer1->play(); // MediaPlayer1Notify follows at the end
            }
            break;
        case ClipArea::First:
            if (currentFrame > 0) {
                mpPositionner(0);
            }
            break;
        case ClipArea::Last:
            if (currentFrame < length - 1) {
                mpPositionner(length - 1);
            }
            break;
        case ClipArea::Previous:
            if (currentFrame > 0) {
                mpPositionner(std::max(0, currentFrame - tsMesures->frameStep()));
            }
            break;
        case ClipArea::Next:
            if (currentFrame < length - 1) {
                mpPositionner(std::min(length - 1, currentFrame + tsMesures->frameStep()));
            }
            break;
        default:
            break;
        }
        setTableRowsToCurrentFrame();
    }
    Drawpoints();
}

bool TForm1::frameKey(int key, bool overTable) {
    if (!clipOpen()) {
        return false;
    }
    std::optional<ClipArea::Navigation> button;
    switch (key) {
    case Qt::Key_Space:
        button = ClipArea::Play;
        break;
    case Qt::Key_PageDown:
        button = ClipArea::Next;
        break;
    case Qt::Key_PageUp:
        button = ClipArea::Previous;
        break;
    case Qt::Key_Home:
        button = ClipArea::First;
        break;
    case Qt::Key_End:
        button = ClipArea::Last;
        break;
    // In the table the arrows move between cells, as in any table: Up and
    // Down already change the frame with the row.
    case Qt::Key_Right:
        if (!overTable)
            button = ClipArea::Next;
        break;
    case Qt::Key_Left:
        if (!overTable)
            button = ClipArea::Previous;
        break;
    default:
        break;
    }
    if (!button) {
        return false;
    }
    // Space also stops a playback, when the play button is off at the end.
    if (pnl1->navigationEnabled(*button) ||
        (button == ClipArea::Play && MediaPlayer1->mode() == ClipPlayer::Mode::Playing)) {
        bbtnPlayClick(*button);
    }
    return true;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        (watched == PaintBox1 || watched == tsMesures->table())) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier) {
            return false; // Shift+Page Down still extends a selection
        }
        return frameKey(key->key(), watched == tsMesures->table());
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::MediaPlayer1Notify() {
    if (!clipOpen()) {
        return;
    }
    const int length = MediaPlayer1->length();
    if (MediaPlayer1->position() >= length) {
        MediaPlayer1->seek(length - 1);
    }
    currentFrame = MediaPlayer1->position();
    setTableRowsToCurrentFrame();
    // The labels and buttons follow the frame the playback stopped on;
    // left as they were, they would name the frame it started from.
    pnl1->showFrameNumber(currentFrame + 1, length);
    ShowTimeOriginMark();
    SetNavButtons();
    // The frames played over the surface have wiped the marks.
    redrawPending = true;
}

void TForm1::ClipPathExecute() {
    if (dialogs) {
        dialogs->accesClipsBox->exec();
    }
}

void TForm1::RAZProClip() {
    tsProClip->showTexts(RAZProClipTexts(clipOpen() ? &ClipInfo : nullptr));
}

void TForm1::showOpenClipFacts() {
    traxilo::ClipInfo shown = ClipInfo; // the next RAZProClip still shows the code as stored
    tsProClip->showTexts(RAZProClipTexts(clipOpen() ? &shown : nullptr));
}

// The properties page previews the file under the cursor of the clip dialog.
void TForm1::OpenDialog1SelectionChange(const QString& currentFile) {
    const PreviewOutcome outcome = PreviewSelection(currentFile);
    switch (outcome.action) {
    case PreviewOutcome::Action::Reset:
        RAZProClip();
        break;
    case PreviewOutcome::Action::ShowError:
        MessageSeam::showError(outcome.errorText, this);
        break;
    case PreviewOutcome::Action::Show:
        tsProClip->showTexts(outcome.texts);
        break;
    }
}

} // namespace traxilo
