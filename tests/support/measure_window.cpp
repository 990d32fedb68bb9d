#include "support/measure_window.h"

#include "app/paint_box.h"
#include "app/string_grid.h"
#include "common/number_format.h"
#include "document/measurement_document.h"
#include "support/generated_clips.h"

#include <QAbstractButton>
#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <map>

namespace traxilo::test {

namespace {
// One generation per clip name for the whole test run.
std::map<QString, clipgen::ClipTruth>& truths() {
    static std::map<QString, clipgen::ClipTruth> cache;
    return cache;
}
} // namespace

clipgen::ClipSpec smallClipSpec(int frames) {
    clipgen::ClipSpec clipSpec;
    clipSpec.codec = clipgen::Codec::Mjpeg;
    clipSpec.width = 160;
    clipSpec.height = 120;
    clipSpec.frames = frames;
    return clipSpec;
}

OpenedClip openGeneratedClip(MainWindowFixture& fixture, const clipgen::ClipSpec& clipSpec,
                             const QString& name) {
    OpenedClip result;
    result.path = testing::scratchFolder() + QLatin1Char('/') + name;
    auto found = truths().find(name);
    if (found == truths().end() || !QFileInfo::exists(result.path)) {
        QString why;
        std::optional<clipgen::ClipTruth> truth =
            clipgen::generateClip(clipSpec, result.path, &why);
        if (!truth) {
            result.error = QStringLiteral("clip generation failed: ") + why;
            return result;
        }
        found = truths().insert_or_assign(name, *truth).first;
    }
    result.truth = found->second;
    TForm1& w = *fixture.window;
    if (!w.isVisible()) {
        w.resize(1100, 700);
        w.show();
        if (!QTest::qWaitForWindowExposed(&w)) {
            result.error = QStringLiteral("window not exposed");
            return result;
        }
    }
    fixture.seams.answerNextFile(result.path);
    child<QToolButton>(w, "bbtnOpenAvi")->click();
    if (!w.document().hasClip() || w.document().clip().path != result.path) {
        result.error = QStringLiteral("the clip did not open: ") + fixture.seams.lastText();
    }
    return result;
}

void clickSurface(TForm1& window, QPoint pixel, Qt::MouseButton button) {
    QTest::mouseClick(child<PaintBox>(window, "PaintBox1"), button, Qt::NoModifier, pixel);
}

const QImage& surfaceImage(const TForm1& window) {
    return child<PaintBox>(window, "PaintBox1")->image();
}

unsigned surfaceRgb(const TForm1& window, QPoint pixel) {
    return surfaceImage(window).pixel(pixel) & 0xFFFFFFu;
}

int frameShown(const TForm1& window) {
    return window.frameShown();
}

void trigger(const TForm1& window, const char* name) {
    if (auto* action = window.findChild<QAction*>(QString::fromLatin1(name)))
        action->trigger();
    else
        QTest::qFail(qPrintable(QStringLiteral("no action %1").arg(QLatin1String(name))), __FILE__,
                     __LINE__);
}

void showFrame(TForm1& window, int frame) {
    auto* table = child<StringGrid>(window, "StringGrid1");
    table->grid()->setRow(frame + 1);
    table->refresh();
}

void clickBox(QAbstractButton* box) {
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, box->height() / 2));
}

void scaleOnRuler(TForm1& window, QPoint a, QPoint b, const QString& distance) {
    trigger(window, "popUpMnuModeEtalonner");
    auto* scaleMode = child<QAbstractButton>(window, "rbEtalonSimu");
    clickBox(scaleMode);
    clickSurface(window, a);
    clickBox(child<QAbstractButton>(window, "chkBoxPt2"));
    clickSurface(window, b);
    auto* field = child<QLineEdit>(window, "edSi");
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, distance);
    scaleMode->setFocus();
}

QPoint rounded(QPointF p) {
    return QPoint(int(std::lround(p.x())), int(std::lround(p.y())));
}

double parse(const QString& text) {
    const std::optional<long double> v = ParseNumber(text);
    return v ? double(*v) : std::nan("");
}

QString labelText(const TForm1& window, const char* name) {
    const QLabel* label = window.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<none>");
}

QStringList tableCells(const TForm1& window) {
    const auto* table = child<StringGrid>(window, "StringGrid1");
    QStringList out;
    for (int r = 0; r < table->grid()->rowCount(); ++r)
        for (int c = 0; c < table->grid()->colCount(); ++c)
            out << table->text(c, r);
    return out;
}

QWidget* widgetNamed(const TForm1& window, const QString& name) {
    return window.findChild<QWidget*>(name);
}

} // namespace traxilo::test
