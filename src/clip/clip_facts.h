#pragma once

#include "clip/avi_header.h"
#include "clip/clip_info.h"
#include "clip/video_source.h"

#include <QString>
#include <optional>

namespace traxilo {

// The texts of the labels of the clip properties page, by label name. The page
// only shows them; lblDim and lblCodec1 never change.
struct ProClipTexts {
    static inline const QString lblDim = QStringLiteral("Dimensions");
    static inline const QString lblCodec1 = QStringLiteral("Compression / décompression :");

    QString lblFile;
    QString lblOctets;
    QString lblDurTot;
    QString lblNbImages;
    QString lblPeriode;
    QString lblFrequence;
    QString lblDimL;
    QString lblDimH;
    std::optional<QString> lblAdapt; // absent: the label keeps its text
    QString lblCodec2;               // FourCC
    QString lblCodec3;               // codec name
    // Of the open clip only, each empty (and hidden) when there is nothing to
    // say: a phone's display rotation, a stored picture of another size than
    // the one shown, the intervals of a variable frame rate.
    QString lblRotation;
    QString lblDimStockee;
    QString lblIntervalles;
    QString lblIrregulieres;
    // Of a previewed file the video layer cannot read: why its facts are
    // not shown. Empty (and hidden) otherwise.
    QString lblApercu;
};

// The texts the page is built with, before anything is shown.
ProClipTexts DesignedProClipTexts();

// The page with no clip open.
ProClipTexts NoClipTexts();

// RAZProClip: the open clip's facts, or NoClipTexts() when `openClip` is null.
// The FourCC is shown as stored, then the stored one becomes lower-case, so
// every later call shows it in lower case.
ProClipTexts RAZProClipTexts(ClipInfo* openClip);

// Notes in `clip` the picture's geometry and the frames' times from the
// backend; `clip.framePeriod` must be set. The capture rate starts at the one
// the file records, if any.
void NotePictureAndTiming(ClipInfo& clip, const VideoFacts& facts);

// Notes in `clip` the codec really decoded when the header's FourCC names
// another one (and clears it otherwise).
void NoteDecodedCodec(ClipInfo& clip, const VideoFacts& facts);

// The preview of a file's header (lblAdapt untouched). Meant for a valid header.
ProClipTexts PreviewTexts(const QString& fileName, const QString& sizeText,
                          const AviHeaderInfo& header);
// The preview of a file as the video layer sees it (lblAdapt untouched).
ProClipTexts PreviewTexts(const QString& fileName, const QString& sizeText,
                          const VideoFacts& facts);
// A file that cannot be previewed: its name and size, no facts, and `why`.
ProClipTexts UnreadablePreviewTexts(const QString& fileName, const QString& sizeText,
                                    const QString& why);

// What the open dialog's preview does when the selection becomes `selectedPath`.
struct PreviewOutcome {
    enum class Action {
        Reset,     // RAZProClip
        ShowError, // error box with errorText, the page unchanged
        Show,      // put `texts` into the labels
    };
    Action action = Action::Reset;
    QString errorText;
    QString targetPath; // the file previewed, a shortcut followed
    ProClipTexts texts;
};

// Follows shortcuts (".lnk"). A file whose extension is "avi" in any letter
// case is previewed from its header, read at the fixed offsets whatever it
// holds; any other file, or an AVI whose header is not valid, through the
// video layer. A file neither can read shows its name, no facts and why:
// the facts of a file previewed before never stay on show under its name.
PreviewOutcome PreviewSelection(const QString& selectedPath);

} // namespace traxilo
