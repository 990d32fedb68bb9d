#pragma once

#include "geometry/calibration.h"

#include <QColor>
#include <QString>
#include <optional>

namespace traxilo {

inline const QString kIdenticalPointsMessage = QStringLiteral(
    "Les points 1 et 2 sont identiques !\r\rLes sensibilités précédentes\rvont être rétablies...");
inline const QString kDistanceWarning = QStringLiteral(
    "Entrez un nombre !\r\rcaractères autorisés :\r       0 1 2 3 4 5 6 7 8 9 . , E e\r\r"
    "formats possibles :\r       - décimal ex : 0,029\r       - scientifique ex : 2,9E-2");
// %1 is the distance field's text.
inline const QString kNotAFloatMessage =
    QStringLiteral("'%1' n'est pas une valeur en virgule flottante correcte");

// Colours of the distance field, which tell its state.
struct FieldColours {
    QColor background;
    QColor text;
    bool operator==(const FieldColours&) const = default;
};
inline const FieldColours kDistanceValidColours{QColor(0, 255, 0), QColor(128, 0, 0)};
inline const FieldColours kDistanceInvalidColours{QColor(255, 0, 0), QColor(255, 255, 255)};
inline const FieldColours kDistanceIdleColours{QColor(214, 214, 214), QColor(128, 128, 128)};

// The change handling of the distance field. On a valid text the sensitivity
// is set from p1, p2 and the distance, `lastValidDistance` takes the text and
// the scale is defined; otherwise nothing changes in the calibration and the
// widget shows kDistanceWarning.
struct DistanceOutcome {
    bool valid = false;
    QString sensitivityText; // both sensitivity labels
    FieldColours colours;
};
DistanceOutcome applyDistanceText(Calibration& calibration, const QString& text,
                                  QString& lastValidDistance, int xyDigits);

// The text the field takes when it is left: the absolute value of its own
// number, or of the last valid distance while the field is invalid,
// formatted. Writing it runs the change handling again. Empty when neither
// parses.
std::optional<QString> distanceExitText(const QString& fieldText, bool fieldInvalid,
                                        const QString& lastValidDistance, int xyDigits);

// The distance field's text written with `digits` significant digits, when
// that does not round the distance (showing less must not change the scale);
// empty when the text is not a number or would be rounded.
std::optional<QString> distanceAtDigits(const QString& distanceText, int digits);

// A click that moves p1 (firstPoint) or p2 to `position`.
struct ScalePointOutcome {
    bool identicalPoints = false; // show kIdenticalPointsMessage; both points were put back
    // Set when the field does not parse: show it in an error box; neither the
    // sensitivity nor the table is recomputed.
    std::optional<QString> error;
    bool recompute = false; // labels refreshed, ActualGrid to run
    QString sensitivityText;
};
ScalePointOutcome scalePointClick(Calibration& calibration, bool firstPoint, QPointF position,
                                  const QString& distanceText, int xyDigits);

// Cursor for placing a scale point, after the pointer colour (the hundreds
// digit of the current cursor): 141/241 for p1, 142/242 for p2.
std::optional<int> scalePointCursor(int currentCursor, bool firstPoint);

} // namespace traxilo
