#include "fuzz_targets.h"

#include "clip/avi_header.h"

#include <QBuffer>
#include <QByteArray>

namespace traxilo::fuzz {

int aviHeader(const std::uint8_t* data, std::size_t size) {
    silenceQtMessages();
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const AviHeaderResult result = ReadAviHeader(buffer);

    // The last field read ends at byte 136.
    check(result.ok() == (size >= 136), "a header is read exactly when the file holds it");
    if (!result.ok()) {
        check(result.error == AviHeaderError::BeyondEnd && !result.errorText.isEmpty(),
              "a short file says so");
        return 0;
    }
    const AviHeaderInfo& info = result.info;
    check(info.codecFourCC.size() <= 4, "a FourCC has at most four characters");
    check(info.valid ==
              (info.frameCount > 0 && info.width > 0 && info.height > 0 && info.framePeriod > 0),
          "the validity rule");
    check(info.rate >= 1 || info.framePeriod == -1, "no rate, no period");
    if (info.valid) {
        check(info.duration > 0, "a valid clip lasts");
        check(info.framesPerSecond >= 0, "a valid clip has no negative rate");
    }
    const QString name = CodecName(info.codecFourCC);
    check(!name.isEmpty() || LowerFourCC(info.codecFourCC) == QLatin1String("dvsd"),
          "every code but dvsd has a name");
    check(LowerFourCC(info.codecFourCC).size() == info.codecFourCC.size(),
          "lower-casing keeps the length");
    return 0;
}

} // namespace traxilo::fuzz
