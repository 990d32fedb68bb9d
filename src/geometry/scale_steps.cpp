#include "geometry/scale_steps.h"

namespace traxilo {

namespace {

const QString T1a = QStringLiteral("1 - Cochez ' 1er point ' pour définir p1");
const QString T1b = QStringLiteral("1 - Cliquez sur le clip pour désigner p1");
const QString T2a = QStringLiteral("2 - Cochez ' 2ème point ' pour définir p2");
const QString T2b = QStringLiteral("2 - Cliquez sur le clip pour désigner p2");
const QString T3a = QStringLiteral("3 - Modifiez la valeur réelle\r") +
                    QString(32, QLatin1Char(' ')) + QStringLiteral("de la distance p1p2");
const QString T3b = QStringLiteral("3 - Entrez la distance p1p2 en mètre(s)");
const QString T4a = QStringLiteral("4 - Modifiez la couleur du segment p1p2");
const QString T4b = QStringLiteral("4 - Choisissez la couleur\r") + QString(35, QLatin1Char(' ')) +
                    QStringLiteral("du segment p1p2");

} // namespace

StepsView echEtapAff(int stepsState) {
    StepsView view;
    view.visible = stepsState != 0;
    auto& l = view.labels;
    switch (stepsState) {
    case 0:
        l = {StepLabel{T1a, kStepGrey}, StepLabel{T2a, kStepGrey}, StepLabel{T3a, kStepGrey},
             StepLabel{T4a, kStepGrey}};
        break;
    case 10:
        l = {StepLabel{T1b, kStepCurrent}, StepLabel{T2a, kStepPale}, StepLabel{T3a, kStepPale},
             StepLabel{T4a, kStepPale}};
        break;
    case 20:
        l = {StepLabel{T1a, kStepPale}, StepLabel{T2b, kStepCurrent}, StepLabel{T3a, kStepPale},
             StepLabel{T4a, kStepPale}};
        break;
    case 30:
        l[2] = StepLabel{T3b, kStepCurrent};
        l[3] = StepLabel{T4a, kStepPale};
        break;
    case 40:
        l[2] = StepLabel{T3a, kStepPale};
        l[3] = StepLabel{T4b, kStepCurrent};
        break;
    case 41:
        l[3] = StepLabel{T4a, kStepPale};
        break;
    default:
        break;
    }
    return view;
}

} // namespace traxilo
