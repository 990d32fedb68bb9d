#pragma once

#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QString>
#include <optional>

namespace traxilo {

inline constexpr int kMinDisplayPercent = 10;
inline constexpr int kMaxDisplayPercent = 400;
// The largest picture shown, in pixels (64 MB a frame): a big clip at 400 %
// would need several copies of half a gigabyte each.
inline constexpr long long kMaxDisplayPixels = 4096LL * 4096LL;

// Positions are kept in pixels of the picture at 100 %; the clip is shown at
// `factor` times that. A shown pixel is the picture position scaled and
// rounded (halves to even); a click converts back once.
QPoint toDisplayPixel(QPointF picture, long double factor);
QPointF toPicturePixel(QPoint shown, long double factor);

// The size the clip is shown at.
struct DisplaySize {
    int displayPercent = 100;      // the size as last confirmed
    long double displayFactor = 1; // percent / 100 of the size last applied
    bool fitRequested = false;     // the dialog opens with "Adapter" checked
    bool resetTo100 = false;       // the dialog was opened by "100%"
    int displayWidth = 0;          // the picture as displayed, in pixels
    int displayHeight = 0;
    QSize clipSize; // the clip's own picture
    QSize clipArea; // the room the window gives the clip, for the fitting
};

// The largest percent for a clip: 400, or less when the picture would pass
// kMaxDisplayPixels; never below 10.
int maxDisplayPercent(QSize clip);

// round(width x factor) by round(height x factor), halves to even, at least
// one pixel each way.
QSize displayedSize(QSize clip, long double factor);

// The fitting ("Adapter"): the percent at which the clip fits the area less
// 9 pixels each way (the panel's margins and one more), the tighter of the
// two directions, rounded, and lowered when the rounding made the picture
// pass the area; kept within 10..maxPercent (a tiny window still gets 10 %).
int fitPercent(QSize area, QSize clip, int maxPercent);

// The step of the percent's arrows after one more tick of the held button:
// 1, 6, 11, 16, 20, 20, ...
int nextHeldStep(int step);

// What "OK" does with the position chosen.
enum class DisplaySizeOk {
    Apply,         // a new size, or "100%" (applied even at 100 %)
    MovePanelOnly, // the same size with "Adapter": the panel goes to the corner
    Nothing,       // the same size
};
DisplaySizeOk displaySizeOk(int position, int displayPercent, bool resetTo100, bool adaptChecked);

// A percent typed by the user: digits with an optional "%" and blanks; a
// decimal with "," or "." is rounded. Kept within 10..maxPercent. Empty when
// the text is not a number.
std::optional<int> parsePercent(const QString& text, int maxPercent);

// Said when the percent field is left with a text that is not a number.
QString percentWarning(int maxPercent);

// The percent as the dialog and the properties page show it.
QString percentText(int percent);    // "150%"
QString adaptationText(int percent); // "Adaptation : 150%"
QString rangeText(int maxPercent);   // "(10..400)"

} // namespace traxilo
