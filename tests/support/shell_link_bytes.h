#pragma once

#include <QByteArray>
#include <QString>

namespace traxilo::test {

// A shortcut file in the Shell Link binary format, built field by field.
struct ShellLinkFields {
    bool unicode = true;
    bool withIdList = true;   // an empty item list before LinkInfo
    QByteArray localBasePath; // LinkInfo, code-page bytes; none when empty
    QByteArray commonPathSuffix;
    QString name;
    QString relativePath;
    QString workingDir;
};

QByteArray makeShellLinkBytes(const ShellLinkFields& linkFields);

// Offset of LinkInfo's LocalBasePathOffset field in makeShellLinkBytes' output.
int localBasePathOffsetField(const ShellLinkFields& linkFields);

} // namespace traxilo::test
