#include "fuzz_targets.h"

#include "clip/shell_link.h"

#include <QByteArray>

namespace traxilo::fuzz {

int shellLink(const std::uint8_t* data, std::size_t size) {
    silenceQtMessages();
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<ShellLink> link = ParseShellLink(bytes);
    if (!link)
        return 0;
    check(size >= 76, "a shortcut has its 76-byte header");
    // Every text comes from the file's own bytes: none can be longer.
    const auto fits = [size](const QString& text) {
        return static_cast<std::size_t>(text.size()) <= size;
    };
    check(fits(link->localBasePath) && fits(link->commonPathSuffix) && fits(link->netName) &&
              fits(link->name) && fits(link->relativePath) && fits(link->workingDir) &&
              fits(link->arguments) && fits(link->iconLocation),
          "texts within the file");
    check(link->localPath() == link->localBasePath + link->commonPathSuffix, "the local path");
    return 0;
}

} // namespace traxilo::fuzz
