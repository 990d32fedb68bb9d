#include "clipgen/clip_generator.h"

#include "clipgen/clip_encoder.h"
#include "clipgen/frame_code.h"
#include "clipgen/scene.h"

#include <QFile>
#include <QSaveFile>
#include <QTextStream>

namespace traxilo::clipgen {

std::optional<ClipSpec> recipe(const QString& name) {
    ClipSpec s;
    s.fpsNum = 30;
    if (name == QLatin1String("mpeg4-open-gop")) {
        s.codec = Codec::Mpeg4Xvid;
        s.width = 640;
        s.height = 480;
        s.frames = 120;
        s.gop = 12;
        s.bFrames = 2;
        s.openGop = true;
    } else if (name == QLatin1String("hevc-avi-remux")) {
        s.codec = Codec::Hevc;
        s.frames = 40;
        s.gop = 12;
        s.bFrames = 3;
        s.openGop = true;
        s.remuxToAvi = true;
    } else if (name == QLatin1String("cinepak-truncated")) {
        s.codec = Codec::Cinepak;
        s.width = 160;
        s.height = 120;
        s.fpsNum = 15;
        s.frames = 28;
        s.gop = 10;
        s.truncated = true;
    } else {
        return std::nullopt;
    }
    return s;
}

QStringList recipeNames() {
    return {QStringLiteral("mpeg4-open-gop"), QStringLiteral("hevc-avi-remux"),
            QStringLiteral("cinepak-truncated")};
}

std::optional<ClipTruth> generateClip(const ClipSpec& clipSpec, const QString& path,
                                      QString* error) {
    if (clipSpec.frames > kMaxCodedIndex + 1) {
        if (error)
            *error = QStringLiteral("au plus %1 images").arg(kMaxCodedIndex + 1);
        return std::nullopt;
    }
    if (clipSpec.remuxToAvi && clipSpec.codec != Codec::H264 && clipSpec.codec != Codec::Hevc) {
        if (error)
            *error = QStringLiteral("la copie vers l'AVI demande du H.264 ou du HEVC");
        return std::nullopt;
    }
    // A remuxed clip is first written as MP4 beside the AVI.
    ClipSpec encoded = clipSpec;
    QString encodedPath = path;
    if (clipSpec.remuxToAvi) {
        encoded.container = Container::Mp4;
        encodedPath = path + QStringLiteral(".mp4");
    }
    ClipEncoder encoder;
    if (!encoder.open(encoded, encodedPath, error))
        return std::nullopt;
    const Scene scene(clipSpec);
    for (int i = 0; i < clipSpec.frames; ++i) {
        if (!encoder.write(scene.render(i), scene.frameTime(i), error))
            return std::nullopt;
    }
    if (!encoder.finish(error))
        return std::nullopt;
    if (clipSpec.remuxToAvi) {
        const bool copied = copyToAvi(encodedPath, path, error);
        QFile::remove(encodedPath);
        if (!copied)
            return std::nullopt;
    }
    return scene.truth();
}

bool writeTruthFile(const ClipTruth& truth, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out.setRealNumberPrecision(10);
    out << "# traxilo-clipgen truth: ball centre in picture pixels, y from the top edge\n";
    out << "# ruler " << truth.rulerA.x() << ' ' << truth.rulerA.y() << ' ' << truth.rulerB.x()
        << ' ' << truth.rulerB.y() << ' ' << truth.rulerLengthM << " m\n";
    out << "# g " << truth.g << " m/s2, " << truth.pixelsPerMetre << " px/m\n";
    out << "# index t x y\n";
    for (size_t i = 0; i < truth.frames.size(); ++i) {
        const FrameTruth& f = truth.frames[i];
        out << i << ' ' << f.t << ' ' << f.ball.x() << ' ' << f.ball.y() << '\n';
    }
    out.flush();
    return file.commit();
}

} // namespace traxilo::clipgen
