#include "clip/library_versions.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
#include <libswscale/swscale.h>
}

namespace traxilo {

namespace {

// FFmpeg states its licence in English ("GPL version 2 or later", "nonfree
// and unredistributable"); the about box speaks French like the rest.
QString frenchLicence(const char* stated) {
    QString licence = QString::fromUtf8(stated);
    licence.replace(QLatin1String("nonfree and unredistributable"),
                    QStringLiteral("non libre et non redistribuable"));
    licence.replace(QLatin1String(" or later"), QStringLiteral(" ou ultérieure"));
    return licence;
}

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
         frenchLicence(avformat_license())},
        {QStringLiteral("libavcodec"), versionText(avcodec_version()),
         frenchLicence(avcodec_license())},
        {QStringLiteral("libswscale"), versionText(swscale_version()),
         frenchLicence(swscale_license())},
        {QStringLiteral("libavutil"), versionText(avutil_version()),
         frenchLicence(avutil_license())},
    };
}

} // namespace traxilo
