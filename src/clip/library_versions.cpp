#include "clip/library_versions.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
#include <libswscale/swscale.h>
}

namespace traxilo {

namespace {

QString versionText(unsigned version) {
    return QStringLiteral("%1.%2.%3")
        .arg(AV_VERSION_MAJOR(version))
        .arg(AV_VERSION_MINOR(version))
        .arg(AV_VERSION_MICRO(version));
}

} // namespace

std::vector<LibraryVersion> videoLibraries() {
    return {
        {QStringLiteral("libavformat"), versionText(avformat_version()),
         QString::fromUtf8(avformat_license())},
        {QStringLiteral("libavcodec"), versionText(avcodec_version()),
         QString::fromUtf8(avcodec_license())},
        {QStringLiteral("libswscale"), versionText(swscale_version()),
         QString::fromUtf8(swscale_license())},
        {QStringLiteral("libavutil"), versionText(avutil_version()),
         QString::fromUtf8(avutil_license())},
    };
}

} // namespace traxilo
