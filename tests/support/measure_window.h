#pragma once

#include "clipgen/clip_generator.h"
#include "support/main_window_fixture.h"

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <optional>

class QAbstractButton;
class QWidget;

namespace traxilo::test {

// A shown main window with a generated clip opened through the clip dialog
// (answered), and the clip's truth.
struct OpenedClip {
    std::optional<clipgen::ClipTruth> truth;
    QString path;
    QString error;
    bool ok() const { return truth.has_value() && error.isEmpty(); }
};

// Writes `clipSpec` as `name` in the scratch folder (once per name), shows the
// window and opens the clip with the file dialog answered.
OpenedClip openGeneratedClip(MainWindowFixture& fixture, const clipgen::ClipSpec& clipSpec,
                             const QString& name);

// A small free-fall clip: 160 x 120, 12 frames, MJPEG.
clipgen::ClipSpec smallClipSpec(int frames = 12);

// A click with `button` released on the pointing surface at `pixel`.
void clickSurface(TForm1& window, QPoint pixel, Qt::MouseButton button = Qt::LeftButton);

// The colour of a pixel of the pointing surface image, as 0xRRGGBB.
unsigned surfaceRgb(const TForm1& window, QPoint pixel);

// A click on the indicator of a check box or radio button (its hit area).
void clickBox(QAbstractButton* box);

// The scale set as a user sets it: the calibration page, the two ends of the
// ruler clicked, `distance` typed; the field is then left, which takes it.
void scaleOnRuler(TForm1& window, QPoint a, QPoint b, const QString& distance);

// A true position rounded to the pixel a user would click.
QPoint rounded(QPointF p);

// A cell's number (the locale's separator), NaN when it is none.
double parse(const QString& text);

// The text of the window's label `name`, "<none>" when there is no such label.
QString labelText(const TForm1& window, const char* name);

// Every cell of the table on the "Mesures" page as it shows them (its header
// row first), row by row: tables compared cell for cell.
QStringList tableCells(const TForm1& window);

// The child of the window named `name` (a widget, an action, a menu...).
QWidget* widgetNamed(const TForm1& window, const QString& name);
template <class T> T* child(const TForm1& window, const char* name) {
    return window.findChild<T*>(QString::fromLatin1(name));
}
// The same child, for a test that cannot go on without it.
template <class T> T* required(const TForm1& window, const char* name) {
    T* found = child<T>(window, name);
    if (!found)
        qFatal("no %s named %s", T::staticMetaObject.className(), name);
    return found;
}

// The picture on the pointing surface, marks included.
const QImage& surfaceImage(const TForm1& window);
// The frame shown, as the window's number says (0-based).
int frameShown(const TForm1& window);
// Clicks the menu item or action named `name`.
void trigger(const TForm1& window, const char* name);
// Shows frame `frame` as a click on its row of the table does.
void showFrame(TForm1& window, int frame);

} // namespace traxilo::test
