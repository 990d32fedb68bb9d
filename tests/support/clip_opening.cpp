#include "support/clip_opening.h"

#include "app/main_window.h"
#include "app/paint_box.h"
#include "document/measurement_document.h"
#include "support/generated_clips.h"
#include "support/seam_answerer.h"

#include <QFileInfo>
#include <QToolButton>

namespace traxilo::test {

QString smallClip(int frames, int width, int height, clipgen::Codec codec,
                  clipgen::Container container) {
    clipgen::ClipSpec clipSpec;
    clipSpec.codec = codec;
    clipSpec.container = container;
    clipSpec.width = width;
    clipSpec.height = height;
    clipSpec.frames = frames;
    const QString name = QStringLiteral("clip_%1_%2x%3_%4.%5")
                             .arg(frames)
                             .arg(width)
                             .arg(height)
                             .arg(int(codec))
                             .arg(container == clipgen::Container::Avi ? "avi" : "mp4");
    return testing::generatedClip(clipSpec, name);
}

bool openClipThroughDialog(TForm1& window, SeamAnswerer& seams, const QString& path) {
    seams.answerNextFile(path);
    window.findChild<QToolButton*>(QStringLiteral("bbtnOpenAvi"))->click();
    return window.document().hasClip() &&
           window.document().clip().path == QFileInfo(path).absoluteFilePath();
}

int shownFrame(const TForm1& window) {
    return clipgen::readFrameIndex(
        window.findChild<PaintBox*>(QStringLiteral("PaintBox1"))->image());
}

} // namespace traxilo::test
