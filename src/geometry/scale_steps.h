#pragma once

#include <QColor>
#include <QString>
#include <array>
#include <optional>

namespace traxilo {

inline const QString kStepsOrderText = QStringLiteral("L'ordre des étapes 1 à 4 est indifférent");

inline const QColor kStepGrey{192, 192, 192};
inline const QColor kStepPale{255, 255, 144};
inline const QColor kStepCurrent{255, 255, 0};

// One of the four step labels lblEchEtap1..4.
struct StepLabel {
    QString text;
    QColor background;
    bool operator==(const StepLabel&) const = default;
};

// What a step state shows: the panel and its caption are visible for every
// state but 0; a label left empty keeps what it shows.
struct StepsView {
    bool visible = false;
    std::array<std::optional<StepLabel>, 4> labels;
};

// The guided steps of scale editing, for the states 0, 10, 20, 30, 40, 41;
// any other value only sets the visibility.
StepsView echEtapAff(int stepsState);

} // namespace traxilo
