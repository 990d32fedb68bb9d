#include "clipgen/clip_generator.h"

#include "clipgen/clip_encoder.h"
#include "clipgen/frame_code.h"
#include "clipgen/scene.h"
#include "clipgen/tracking_scene.h"

#include <QFile>
#include <QSaveFile>
#include <QTextStream>
#include <QTransform>
#include <cmath>

namespace traxilo::clipgen {

namespace {

// Phone clips trimmed without re-encoding: the cut falls between keyframes,
// so the file starts on frames that are decoded but never shown.
std::optional<ClipSpec> trimmedRecipe(const QString& name) {
    ClipSpec s;
    s.fpsNum = 30;
    s.container = Container::Mp4;
    s.audio = true;
    s.bFrames = 2;
    if (name == QLatin1String("phone-trimmed")) {
        s.codec = Codec::H264;
        s.frames = 90;
        s.gop = 30;
        s.cutAt = 40;
    } else if (name == QLatin1String("phone-hevc-trimmed")) {
        s.codec = Codec::Hevc;
        s.container = Container::Mov;
        s.frames = 60;
        s.gop = 20;
        s.cutAt = 27;
        s.rotation = 90;
    } else {
        return std::nullopt;
    }
    return s;
}

const QStringList kTrimmedRecipes = {QStringLiteral("phone-trimmed"),
                                     QStringLiteral("phone-hevc-trimmed")};

} // namespace

std::optional<ClipSpec> recipe(const QString& name) {
    // Clips for assisted tracking.
    if (name.startsWith(QLatin1String("track-")))
        return trackingRecipe(name);

    if (kTrimmedRecipes.contains(name))
        return trimmedRecipe(name);
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
    } else if (name == QLatin1String("phone-portrait")) {
        s.codec = Codec::H264;
        s.container = Container::Mp4;
        s.width = 1920;
        s.height = 1080;
        s.frames = 60;
        s.gop = 30;
        s.bFrames = 2;
        s.rotation = 90;
    } else if (name == QLatin1String("phone-vfr")) {
        s.codec = Codec::H264;
        s.container = Container::Mp4;
        s.width = 320;
        s.height = 480;
        s.frames = 90;
        s.gop = 30;
        s.laterFpsNum = 60;
        s.rateChangeAt = 30;
        s.g = 1.0; // a slow fall that stays in the picture for 2 s
    } else if (name == QLatin1String("phone-slowmo")) {
        s.codec = Codec::H264;
        s.container = Container::Mp4;
        s.frames = 90;
        s.gop = 30;
        s.captureRate = 240;
        s.writeCaptureRate = true;
    } else if (name == QLatin1String("phone-hevc10")) {
        s.codec = Codec::Hevc;
        s.container = Container::Mov;
        s.frames = 30;
        s.gop = 10;
        s.bFrames = 2;
        s.tenBit = true;
        s.rotation = 270;
    } else if (name == QLatin1String("camcorder-dv")) {
        s.codec = Codec::Dv;
        s.width = 720;
        s.height = 576;
        s.fpsNum = 25;
        s.frames = 12;
        s.sarNum = 16;
        s.sarDen = 15;
        s.verticalRuler = true;
    } else {
        return std::nullopt;
    }
    return s;
}

QStringList recipeNames() {
    QStringList names = {QStringLiteral("mpeg4-open-gop"),    QStringLiteral("hevc-avi-remux"),
                         QStringLiteral("cinepak-truncated"), QStringLiteral("phone-portrait"),
                         QStringLiteral("phone-vfr"),         QStringLiteral("phone-slowmo"),
                         QStringLiteral("phone-hevc10"),      QStringLiteral("camcorder-dv")};
    // Clips for assisted tracking.
    names += trackingRecipeNames();
    names += kTrimmedRecipes;
    return names;
}

QSize shownSize(const ClipSpec& clipSpec) {
    const int den = clipSpec.sarDen > 0 ? clipSpec.sarDen : 1;
    const int num = clipSpec.sarNum > 0 ? clipSpec.sarNum : 1;
    const int width = int(std::lround(double(clipSpec.width) * num / den));
    const bool quarter = clipSpec.rotation == 90 || clipSpec.rotation == 270;
    return quarter ? QSize(clipSpec.height, width) : QSize(width, clipSpec.height);
}

namespace {

// The picture as the file stores it: the shown one flipped back, turned
// back and squeezed to the stored pixels.
QImage storedPicture(const QImage& shown, const ClipSpec& clipSpec) {
    QImage stored = clipSpec.mirrored ? shown.mirrored(true, false) : shown;
    if (clipSpec.rotation != 0)
        stored = stored.transformed(QTransform().rotate(-clipSpec.rotation));
    if (stored.size() != QSize(clipSpec.width, clipSpec.height))
        stored = stored.scaled(clipSpec.width, clipSpec.height, Qt::IgnoreAspectRatio,
                               Qt::SmoothTransformation);
    return stored;
}

} // namespace

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
    const bool cut = clipSpec.cutAt > 0;
    if (cut && (clipSpec.container == Container::Avi || clipSpec.remuxToAvi ||
                clipSpec.cutAt >= clipSpec.frames)) {
        if (error)
            *error = QStringLiteral("la coupe demande un MP4 ou un MOV et une image après elle");
        return std::nullopt;
    }
    // A remuxed clip is first written as MP4 beside the AVI, a cut one whole
    // beside the cut.
    ClipSpec encoded = clipSpec;
    QString encodedPath = path;
    if (clipSpec.remuxToAvi) {
        encoded.container = Container::Mp4;
        encodedPath = path + QStringLiteral(".mp4");
    } else if (cut) {
        encodedPath = path + QStringLiteral(".whole");
    }
    ClipEncoder encoder;
    if (!encoder.open(encoded, encodedPath, error))
        return std::nullopt;
    const Scene scene(clipSpec);
    for (int i = 0; i < clipSpec.frames; ++i) {
        if (!encoder.write(storedPicture(scene.render(i), clipSpec), scene.stampTime(i), error))
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
    if (!cut)
        return scene.truth();
    const bool trimmed = trimWithoutReencoding(encodedPath, path, clipSpec.container,
                                               scene.stampTime(clipSpec.cutAt), error);
    QFile::remove(encodedPath);
    if (!trimmed)
        return std::nullopt;
    // The truth of the frames shown, timed from the first of them.
    ClipTruth truth = scene.truth();
    const double t0 = truth.frames[std::size_t(clipSpec.cutAt)].t;
    truth.frames.erase(truth.frames.begin(), truth.frames.begin() + clipSpec.cutAt);
    for (FrameTruth& frame : truth.frames)
        frame.t -= t0;
    return truth;
}

bool writeTruthFile(const ClipTruth& truth, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out.setRealNumberPrecision(10);
    out << "# traxilo-clipgen truth: ball centre in picture pixels, y from the top edge\n";
    out << "# shown " << truth.shownSize.width() << 'x' << truth.shownSize.height() << '\n';
    out << "# ruler " << truth.rulerA.x() << ' ' << truth.rulerA.y() << ' ' << truth.rulerB.x()
        << ' ' << truth.rulerB.y() << ' ' << truth.rulerLengthM << " m\n";
    if (truth.rulerC != truth.rulerA)
        out << "# upright ruler " << truth.rulerC.x() << ' ' << truth.rulerC.y() << ' '
            << truth.rulerD.x() << ' ' << truth.rulerD.y() << ' ' << truth.rulerLengthM << " m\n";
    out << "# g " << truth.g << " m/s2, " << truth.pixelsPerMetre << " px/m\n";
    QStringList hidden;
    for (size_t i = 0; i < truth.frames.size(); ++i) {
        if (truth.frames[i].hidden)
            hidden << QString::number(i);
    }
    if (!hidden.isEmpty())
        out << "# ball wholly hidden on frames " << hidden.join(' ') << '\n';
    out << "# index t x y (t: the time each frame was filmed)\n";
    for (size_t i = 0; i < truth.frames.size(); ++i) {
        const FrameTruth& f = truth.frames[i];
        out << i << ' ' << f.t << ' ' << f.ball.x() << ' ' << f.ball.y() << '\n';
    }
    out.flush();
    return file.commit();
}

} // namespace traxilo::clipgen
