#pragma once

#include <QString>

namespace traxilo {

// Where txconfig.txt lives. Started from the build tree, in the folder the
// program was started from (the README's `run/`), as always. Installed, that
// folder is whatever the desktop chose (the home folder, "/"), so the file
// goes to the user's configuration folder instead; so it does whenever the
// start folder cannot be written.
struct SettingsPlace {
    QString folder;             // holds txconfig.txt
    QString defaultClipsFolder; // line 5 of a new file
};

// An installed program sits in <prefix>/bin with its data in <prefix>/share/traxilo.
bool runsFromInstalledLocation(const QString& programFolder);

// True when a file can be created in `folder` (tried, not guessed from the
// permission bits: root, read-only mounts).
bool folderIsWritable(const QString& folder);

// The user's Videos folder, or the home folder when there is none.
QString userVideosFolder();

SettingsPlace chooseSettingsPlace(const QString& startFolder, const QString& programFolder);

} // namespace traxilo
