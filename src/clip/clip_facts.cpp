#include "clip/clip_facts.h"

#include "clip/capture_rate.h"
#include "clip/file_utils.h"
#include "clip/shell_link.h"
#include "clip/video_probe.h"
#include "common/number_format.h"

#include <QFileInfo>
#include <cmath>

namespace traxilo {

namespace {

// The facts common to the open clip and the previewed file.
void writeFacts(ProClipTexts& t, qint32 frames, long double duration, qint32 rate,
                long double period, qint32 width, qint32 height) {
    t.lblNbImages = QStringLiteral("Nombre d'images : ") + QString::number(frames);
    t.lblDurTot =
        QStringLiteral("Durée du clip : ") + FormatFixed(3, duration) + QStringLiteral(" s");
    t.lblFrequence =
        QStringLiteral("Fréquence : ") + QString::number(rate) + QStringLiteral(" images / s");
    t.lblPeriode =
        QStringLiteral("Durée / image : ") + FormatFixed(0, period * 1000) + QStringLiteral(" ms");
    t.lblDimL = QStringLiteral("Largeur : ") + QString::number(width) + QStringLiteral(" pixels");
    t.lblDimH = QStringLiteral("Hauteur : ") + QString::number(height) + QStringLiteral(" pixels");
}

QString extensionOf(const QString& path) {
    return QFileInfo(path).suffix().toLower();
}

} // namespace

ProClipTexts NoClipTexts() {
    ProClipTexts t;
    t.lblFile = QStringLiteral("Fichier : ?");
    t.lblOctets = QStringLiteral("Taille : ?");
    t.lblDurTot = QStringLiteral("Durée du clip : 0 s");
    t.lblNbImages = QStringLiteral("Nombre d'images : 0");
    t.lblPeriode = QStringLiteral("Durée / image : 0 s");
    t.lblFrequence = QStringLiteral("Fréquence : ? image / s");
    t.lblDimL = QStringLiteral("Largeur : 0 pixel");
    t.lblDimH = QStringLiteral("Hauteur : 0 pixel");
    t.lblAdapt = QStringLiteral("Adaptation : ?");
    t.lblCodec2 = QStringLiteral("?");
    t.lblCodec3 = QStringLiteral("?");
    return t;
}

ProClipTexts DesignedProClipTexts() {
    ProClipTexts t = NoClipTexts();
    t.lblFrequence = QStringLiteral("Fréquence : ? images / s");
    t.lblCodec2 = QStringLiteral("fourcc ?");
    t.lblCodec3 = QStringLiteral("codec ?");
    return t;
}

ProClipTexts RAZProClipTexts(ClipInfo* openClip) {
    if (!openClip)
        return NoClipTexts();
    ClipInfo& clip = *openClip;
    ProClipTexts t;
    t.lblFile = QStringLiteral("Fichier : ") + clip.fileName;
    t.lblOctets = QStringLiteral("Taille : ") + clip.sizeText;
    writeFacts(t, clip.frameCount, clip.frameCount * clip.framePeriod, clip.frameRate,
               clip.framePeriod, clip.width, clip.height);
    t.lblAdapt = QStringLiteral("Adaptation : 100%");
    t.lblCodec2 = clip.codecFourCC;
    clip.codecFourCC = LowerFourCC(clip.codecFourCC);
    t.lblCodec3 = CodecName(clip.codecFourCC);
    // An MP4's "avc1" is no AVI code: the decoder still knows what it is.
    if (t.lblCodec3 == QLatin1String("inconnu") && !clip.decoderName.isEmpty())
        t.lblCodec3 = clip.decoderName;
    if (!clip.decodedCodec.isEmpty()) {
        // The codec really decoded, the header's code in brackets.
        t.lblCodec2 = clip.decodedCodec + QStringLiteral(" (") + t.lblCodec2 + QLatin1Char(')');
        t.lblCodec3 = clip.decodedCodecName;
    }
    if (clip.rotation != 0 || clip.mirrored)
        t.lblRotation = QStringLiteral("rotation : %1°").arg(clip.rotation) +
                        (clip.mirrored ? QStringLiteral(", miroir") : QString());
    if (clip.storedWidth > 0 &&
        (clip.storedWidth != clip.width || clip.storedHeight != clip.height))
        t.lblDimStockee = QStringLiteral("Taille stockée : %1 × %2 pixels")
                              .arg(clip.storedWidth)
                              .arg(clip.storedHeight);
    if (clip.timing.variableRate) {
        t.lblIntervalles =
            QStringLiteral("Intervalles : de %1 à %2")
                .arg(intervalText(clip.timing.minInterval), intervalText(clip.timing.maxInterval));
        // Image numbers as the counter shows them; a long list is cut.
        constexpr int kListed = 20;
        const std::vector<int>& frames = clip.timing.irregularFrames;
        QStringList numbers;
        for (std::size_t i = 0; i < frames.size() && i < kListed; ++i)
            numbers << QString::number(frames[i] + 1);
        if (!numbers.isEmpty()) {
            t.lblIrregulieres =
                QStringLiteral("Images irrégulières : ") + numbers.join(QStringLiteral(", "));
            if (frames.size() > kListed)
                t.lblIrregulieres += QStringLiteral("… (%1 en tout)").arg(frames.size());
        }
    }
    return t;
}

void NotePictureAndTiming(ClipInfo& clip, const VideoFacts& facts) {
    clip.storedWidth = facts.storedWidth;
    clip.storedHeight = facts.storedHeight;
    clip.rotation = facts.rotation;
    clip.mirrored = facts.mirrored;
    clip.timing = facts.timing;
    clip.fileCaptureRate = facts.captureRate;
    clip.captureRate.reset();
    if (facts.captureRate > 0 && !isFileRate(clip.framePeriod, facts.captureRate))
        clip.captureRate = facts.captureRate;
}

void NoteDecodedCodec(ClipInfo& clip, const VideoFacts& facts) {
    clip.decodedCodec.clear();
    clip.decodedCodecName.clear();
    clip.decoderName = facts.codecLongName;
    if (fourCCNamesDecoder(clip.codecFourCC, facts))
        return;
    clip.decodedCodec = facts.codecFourCC.isEmpty() ? facts.codecName : facts.codecFourCC;
    clip.decodedCodecName = facts.codecLongName;
}

ProClipTexts PreviewTexts(const QString& fileName, const QString& sizeText,
                          const AviHeaderInfo& header) {
    ProClipTexts t;
    t.lblFile = QStringLiteral("Fichier : ") + fileName;
    t.lblOctets = QStringLiteral("Taille : ") + sizeText;
    writeFacts(t, header.frameCount, header.duration, header.framesPerSecond, header.framePeriod,
               header.width, header.height);
    t.lblCodec2 = header.codecFourCC;
    t.lblCodec3 = CodecName(header.codecFourCC);
    return t;
}

ProClipTexts PreviewTexts(const QString& fileName, const QString& sizeText,
                          const VideoFacts& facts) {
    ProClipTexts t;
    t.lblFile = QStringLiteral("Fichier : ") + fileName;
    t.lblOctets = QStringLiteral("Taille : ") + sizeText;
    // The period and the rate as an opening works them out.
    const long double period = facts.durationMs / 1000.0L / facts.frameCount;
    const long double rate = period > 0 ? std::nearbyint(1 / period) : 0;
    writeFacts(t, facts.frameCount, facts.frameCount * period,
               std::isfinite(rate) && rate < 2147483647.0L ? qint32(rate) : 0, period, facts.width,
               facts.height);
    t.lblCodec2 = facts.codecFourCC.isEmpty() ? facts.codecName : facts.codecFourCC;
    t.lblCodec3 = CodecName(LowerFourCC(facts.codecFourCC));
    if (t.lblCodec3 == QLatin1String("inconnu") && !facts.codecLongName.isEmpty())
        t.lblCodec3 = facts.codecLongName;
    return t;
}

ProClipTexts UnreadablePreviewTexts(const QString& fileName, const QString& sizeText,
                                    const QString& why) {
    ProClipTexts t = NoClipTexts();
    t.lblAdapt.reset();
    t.lblFile = QStringLiteral("Fichier : ") + fileName;
    t.lblOctets = QStringLiteral("Taille : ") + sizeText;
    t.lblApercu = QStringLiteral("Aperçu impossible : ") + why;
    return t;
}

PreviewOutcome PreviewSelection(const QString& selectedPath) {
    using Action = PreviewOutcome::Action;
    PreviewOutcome outcome;
    if (!QFileInfo(selectedPath).isFile()) {
        outcome.action = Action::Reset;
        return outcome;
    }
    QString target = selectedPath;
    if (extensionOf(selectedPath) == QStringLiteral("lnk")) {
        const ShortcutTarget resolved = ResolveShortcut(selectedPath);
        if (!resolved.ok()) {
            outcome.action = Action::ShowError;
            outcome.errorText = resolved.errorText;
            return outcome;
        }
        target = resolved.path;
    }
    outcome.targetPath = target;
    const QString name = QFileInfo(target).fileName();
    const QString sizeText = FileSizeText(target);
    if (extensionOf(target) == QStringLiteral("avi")) {
        const AviHeaderResult header = ReadAviHeader(target);
        if (header.error == AviHeaderError::CannotOpen) {
            outcome.action = Action::Reset;
            return outcome;
        }
        if (header.error == AviHeaderError::BeyondEnd) {
            outcome.action = Action::ShowError;
            outcome.errorText = header.errorText;
            return outcome;
        }
        if (header.info.valid) {
            outcome.action = Action::Show;
            outcome.texts = PreviewTexts(name, sizeText, header.info);
            return outcome;
        }
    }
    QString why;
    const std::optional<VideoFacts> facts = probeVideoFile(target, &why);
    outcome.action = Action::Show;
    outcome.texts =
        facts ? PreviewTexts(name, sizeText, *facts) : UnreadablePreviewTexts(name, sizeText, why);
    return outcome;
}

} // namespace traxilo
