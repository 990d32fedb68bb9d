#pragma once

#include <QColor>
#include <QIcon>
#include <QString>
#include <QStringList>

namespace traxilo {

// The pictures of the program's buttons. Each comes from the desktop's icon
// theme under its freedesktop name, with a picture of our own, drawn here,
// when no theme has it.
enum class ToolIcon {
    OpenClip,
    DisplaySize,
    Magnifier,
    RunRegressi,
    CopyTable,
    CopyGraph,
    SaveMeasures,
    Print,
    Help,
    About,
    Quit,
    Play,
    First,
    Last,
    Previous,
    Next,
    ClearColumn,
    ClearRow,
    ClearTable,
};

// The freedesktop names tried in turn; none: the picture is always our own.
QStringList themeNames(ToolIcon icon);
QIcon ownIcon(ToolIcon icon);  // the compiled-in picture
QIcon toolIcon(ToolIcon icon); // the theme's picture, else our own

// The axes in the given colour: the axes colour button shows its colour.
QIcon axesIcon(const QColor& colour);

// One mark of a point, in its colour and shape (0 cross, 1 square, 2 circle),
// on a grey ground that lets light and dark colours show.
QIcon markIcon(const QColor& colour, int shape);

// The program's own icon: the dots of a trajectory over a film frame
// (packaging/icons).
QIcon programIcon();

// Without a desktop telling Qt which icon theme to use, take one of the
// Debian themes the install script adds, so the buttons get its pictures.
void chooseIconTheme();

} // namespace traxilo
