#pragma once

#include <QString>
#include <QStringList>

namespace traxilo {

// The kinds of file the clip dialogs offer. The video layer opens whatever
// its container library recognises from the file's content; these are the
// names under which cameras, phones and editing programs save such clips,
// AVI first (the school cameras' format).
const QStringList& clipExtensions(); // "avi", "mp4", "mov", ... lower case, no dot

// "clips vidéo (*.avi *.mp4 ...)": every kind the program opens.
QString clipFilesFilter();

// The filters of a dialog that chooses a clip, every kind first (the one
// shown by default), then AVI alone and every file.
QStringList clipDialogFilters();

} // namespace traxilo
