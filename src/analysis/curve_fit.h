#pragma once

#include "analysis/physical_unit.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace traxilo {

// The models a curve can be fitted with, y against x (x is usually t):
//   Line         y = a·x + b
//   Parabola     y = a·x² + b·x + c
//   Sine         y = A·sin(ω·x + φ) + C
//   DampedSine   y = A·e^(−x/τ)·sin(ω·x + φ) + C
//   Exponential  y = A·e^(−x/τ) + C
// Parameters come in that order of reading.
enum class FitModel { Line, Parabola, Sine, DampedSine, Exponential };
inline constexpr int kFitModelCount = 5;

QString fitModelName(FitModel model); // "Parabole"...
int fitParameterCount(FitModel model);
QStringList fitParameterNames(FitModel model); // "a", "b", "c"; "A", "ω", "φ", "C"...
// Each parameter's unit for ordinates in `y` against abscissas in `x`.
QStringList fitParameterUnits(FitModel model, PhysicalUnit x, PhysicalUnit y);
// "y = a·t² + b·t + c" with the curve's own names.
QString fitFormula(FitModel model, const QString& y, const QString& x);
double fitModelValue(FitModel model, const std::vector<double>& parameters, double x);

struct FitResult {
    FitModel model = FitModel::Line;
    QString error; // for the user, in French; empty when the fit succeeded
    std::vector<double> parameters;
    // Standard uncertainties from the covariance s²(JᵀJ)⁻¹, s² = RSS / (N − p).
    std::vector<double> uncertainties;
    std::vector<double> residuals; // y − model, one per point
    double rmsResidual = 0;        // √(RSS / N)
    int iterations = 0;            // of the non-linear search; 0 for the linear models

    bool ok() const { return error.isEmpty(); }
    double valueAt(double x) const { return fitModelValue(model, parameters, x); }
};

// Line and parabola by least squares (QR); the others by Levenberg–Marquardt
// from starting values found in the data (the period from the zero crossings,
// refined by a scan; the amplitude and offset by linear least squares). A
// result that is not ok() carries no numbers, so nothing undefined reaches
// the screen.
FitResult fitCurve(FitModel model, const std::vector<double>& x, const std::vector<double>& y);

} // namespace traxilo
