#include "clipgen/clip_generator.h"

#include "clipgen/clip_encoder.h"
#include "clipgen/frame_code.h"
#include "clipgen/scene.h"

#include <QSaveFile>
#include <QTextStream>

namespace traxilo::clipgen {

std::optional<ClipTruth> generateClip(const ClipSpec& clipSpec, const QString& path,
                                      QString* error) {
    if (clipSpec.frames > kMaxCodedIndex + 1) {
        if (error)
            *error = QStringLiteral("au plus %1 images").arg(kMaxCodedIndex + 1);
        return std::nullopt;
    }
    ClipEncoder encoder;
    if (!encoder.open(clipSpec, path, error))
        return std::nullopt;
    const Scene scene(clipSpec);
    for (int i = 0; i < clipSpec.frames; ++i) {
        if (!encoder.write(scene.render(i), scene.frameTime(i), error))
            return std::nullopt;
    }
    if (!encoder.finish(error))
        return std::nullopt;
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
