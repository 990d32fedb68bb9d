#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace traxilo {

// What a Windows shortcut file (Shell Link binary format) says about its
// target. Strings are decoded from UTF-16 or from the Windows Latin code page.
struct ShellLink {
    quint32 linkFlags = 0;
    QString localBasePath;    // from LinkInfo, "C:\test\a.txt" without the suffix
    QString commonPathSuffix; // from LinkInfo
    QString netName;          // from LinkInfo's network link, "\\server\share"
    QString name;             // StringData: description
    QString relativePath;     // StringData: relative to the shortcut's folder
    QString workingDir;
    QString arguments;
    QString iconLocation;

    QString localPath() const { return localBasePath + commonPathSuffix; }
};

// Parses a whole shortcut file. Empty when the header is not a shell link's
// or any structure runs past the end: every read is checked.
std::optional<ShellLink> ParseShellLink(const QByteArray& data);

struct ShortcutTarget {
    QString path;      // an existing file or folder here
    QString errorText; // "Cible introuvable" when there is none
    bool ok() const { return errorText.isEmpty(); }
};

// Follows a shortcut to a target that exists on this machine: its local path
// when that is an absolute path here, else its relative path taken from the
// shortcut's folder ("\" read as "/"). A drive or network path cannot exist
// here. The caller shows errorText in its error box.
ShortcutTarget ResolveShortcut(const QString& shortcutPath);

} // namespace traxilo
