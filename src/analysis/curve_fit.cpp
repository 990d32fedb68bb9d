#include "analysis/curve_fit.h"

#include "analysis/vector_state.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace traxilo {

namespace {

using Eigen::MatrixXd;
using Eigen::VectorXd;

constexpr double kPi = std::numbers::pi;

// ---- Texts ---------------------------------------------------------------

QString tooFewPoints(int needed, int given) {
    return QStringLiteral("Pas assez de points pour ce modèle : il en faut au moins %1, "
                          "la plage en compte %2.")
        .arg(needed)
        .arg(given);
}

const QString kNotANumber =
    QStringLiteral("Une des valeurs n'est pas un nombre : ajustement impossible.");
const QString kSameAbscissa =
    QStringLiteral("Tous les points ont la même abscisse : ajustement impossible.");
const QString kTooFewAbscissas = QStringLiteral("Trop peu d'abscisses différentes pour ce modèle.");
const QString kFlat =
    QStringLiteral("Les valeurs sont toutes égales : il n'y a rien à ajuster avec ce modèle.");
const QString kNoConvergence =
    QStringLiteral("L'ajustement ne converge pas : essayez une autre plage ou un autre modèle.");
const QString kUndetermined =
    QStringLiteral("Ces points ne déterminent pas les paramètres de ce modèle.");

FitResult failure(FitModel model, const QString& error) {
    FitResult result;
    result.model = model;
    result.error = error;
    return result;
}

// ---- Models --------------------------------------------------------------

// Value and gradient over the parameters at x.
void evaluate(FitModel model, double x, const double* p, double& f, double* grad) {
    switch (model) {
    case FitModel::Line:
        f = p[0] * x + p[1];
        if (grad) {
            grad[0] = x;
            grad[1] = 1;
        }
        return;
    case FitModel::Parabola:
        f = (p[0] * x + p[1]) * x + p[2];
        if (grad) {
            grad[0] = x * x;
            grad[1] = x;
            grad[2] = 1;
        }
        return;
    case FitModel::Sine: {
        const double s = std::sin(p[1] * x + p[2]);
        f = p[0] * s + p[3];
        if (grad) {
            const double c = std::cos(p[1] * x + p[2]);
            grad[0] = s;
            grad[1] = p[0] * x * c;
            grad[2] = p[0] * c;
            grad[3] = 1;
        }
        return;
    }
    case FitModel::DampedSine: {
        const double e = std::exp(-x / p[1]);
        const double s = std::sin(p[2] * x + p[3]);
        f = p[0] * e * s + p[4];
        if (grad) {
            const double c = std::cos(p[2] * x + p[3]);
            grad[0] = e * s;
            grad[1] = p[0] * e * s * x / (p[1] * p[1]);
            grad[2] = p[0] * e * x * c;
            grad[3] = p[0] * e * c;
            grad[4] = 1;
        }
        return;
    }
    case FitModel::Exponential: {
        const double e = std::exp(-x / p[1]);
        f = p[0] * e + p[2];
        if (grad) {
            grad[0] = e;
            grad[1] = p[0] * e * x / (p[1] * p[1]);
            grad[2] = 1;
        }
        return;
    }
    }
    f = 0;
}

double wrapAngle(double a) {
    a = std::remainder(a, 2 * kPi); // [−π, π]
    return a <= -kPi ? a + 2 * kPi : a;
}

// Sum of squared residuals, with the residuals; +∞ when the model overflows.
double residualsOf(FitModel model, const VectorXd& x, const VectorXd& y, const VectorXd& p,
                   VectorXd& r) {
    r.resize(x.size());
    for (Eigen::Index i = 0; i < x.size(); ++i) {
        double f = 0;
        evaluate(model, x[i], p.data(), f, nullptr);
        r[i] = y[i] - f;
    }
    const double rss = r.squaredNorm();
    return std::isfinite(rss) ? rss : HUGE_VAL;
}

MatrixXd jacobian(FitModel model, const VectorXd& x, const VectorXd& p) {
    MatrixXd j(x.size(), p.size());
    Eigen::Matrix<double, 1, Eigen::Dynamic> row(p.size());
    for (Eigen::Index i = 0; i < x.size(); ++i) {
        double f = 0;
        evaluate(model, x[i], p.data(), f, row.data());
        j.row(i) = row;
    }
    return j;
}

// (JᵀJ)⁻¹ through its unit-diagonal scaling; empty when JᵀJ is singular to
// working precision (a parameter the points do not determine).
std::optional<MatrixXd> inverseNormal(const MatrixXd& normal) {
    const Eigen::Index p = normal.rows();
    VectorXd d(p);
    for (Eigen::Index i = 0; i < p; ++i) {
        if (!(normal(i, i) > 0) || !std::isfinite(normal(i, i)))
            return std::nullopt;
        d[i] = 1 / std::sqrt(normal(i, i));
    }
    const MatrixXd scaled = d.asDiagonal() * normal * d.asDiagonal();
    Eigen::SelfAdjointEigenSolver<MatrixXd> eigen(scaled);
    if (eigen.info() != Eigen::Success)
        return std::nullopt;
    const VectorXd values = eigen.eigenvalues();
    if (!(values.minCoeff() > 1e-13 * values.maxCoeff()))
        return std::nullopt;
    const MatrixXd inverse = eigen.eigenvectors() * values.cwiseInverse().asDiagonal() *
                             eigen.eigenvectors().transpose();
    return MatrixXd(d.asDiagonal() * inverse * d.asDiagonal());
}

// Fills the uncertainties from the covariance in the fitted parameters and a
// linear map to the reported ones (reported = map · fitted near the solution).
bool finish(FitResult& result, const MatrixXd& normal, double rss, int n, const MatrixXd& map,
            const VectorXd& reported, const VectorXd& residuals) {
    const int p = int(reported.size());
    const auto inverse = inverseNormal(normal);
    if (!inverse) {
        result.error = kUndetermined;
        return false;
    }
    const MatrixXd covariance = map * (*inverse * (rss / (n - p))) * map.transpose();
    result.parameters.assign(reported.data(), reported.data() + p);
    result.uncertainties.resize(p);
    for (int i = 0; i < p; ++i)
        result.uncertainties[i] = std::sqrt(std::max(0.0, covariance(i, i)));
    result.residuals.assign(residuals.data(), residuals.data() + n);
    result.rmsResidual = std::sqrt(rss / n);
    const auto finite = [](double v) { return std::isfinite(v); };
    if (!std::all_of(result.parameters.begin(), result.parameters.end(), finite) ||
        !std::all_of(result.uncertainties.begin(), result.uncertainties.end(), finite) ||
        !std::isfinite(result.rmsResidual)) {
        result.error = kUndetermined;
        result.parameters.clear();
        result.uncertainties.clear();
        result.residuals.clear();
        return false;
    }
    return true;
}

// ---- Line and parabola ---------------------------------------------------

FitResult linearFit(FitModel model, const VectorXd& x, const VectorXd& y) {
    FitResult result;
    result.model = model;
    const int n = int(x.size());
    const int p = fitParameterCount(model);
    // Least squares in u = (x − m) / s, in [−1, 1], keeps the QR well
    // conditioned at any clock value; the parameters are mapped back after.
    const double m = (x.maxCoeff() + x.minCoeff()) / 2;
    const double s = (x.maxCoeff() - x.minCoeff()) / 2;
    MatrixXd basis(n, p);
    for (int i = 0; i < n; ++i) {
        const double u = (x[i] - m) / s;
        basis(i, 0) = 1;
        basis(i, 1) = u;
        if (p == 3)
            basis(i, 2) = u * u;
    }
    const Eigen::ColPivHouseholderQR<MatrixXd> qr(basis);
    if (qr.rank() < p) {
        result.error = kTooFewAbscissas;
        return result;
    }
    const VectorXd q = qr.solve(y);
    const VectorXd residuals = y - basis * q;
    const double rss = residuals.squaredNorm();

    MatrixXd map = MatrixXd::Zero(p, p); // reported (a, b[, c]) from (q0, q1[, q2])
    if (p == 2) {
        map << 0, 1 / s, //
            1, -m / s;
    } else {
        map << 0, 0, 1 / (s * s),       //
            0, 1 / s, -2 * m / (s * s), //
            1, -m / s, m * m / (s * s);
    }
    const VectorXd reported = map * q;
    finish(result, basis.transpose() * basis, rss, n, map, reported, residuals);
    return result;
}

// ---- Starting values -----------------------------------------------------

// Best least-squares fit of y ≈ β0·b0 + β1·b1 + β2 with its sum of squares.
struct LinearTrial {
    double rss = HUGE_VAL;
    Eigen::Vector3d beta = Eigen::Vector3d::Zero();
};

LinearTrial solveThree(const VectorXd& b0, const VectorXd& b1, const VectorXd& y) {
    Eigen::Matrix3d normal;
    Eigen::Vector3d rhs;
    const double n = double(y.size());
    normal << b0.squaredNorm(), b0.dot(b1), b0.sum(), //
        b0.dot(b1), b1.squaredNorm(), b1.sum(),       //
        b0.sum(), b1.sum(), n;
    rhs << b0.dot(y), b1.dot(y), y.sum();
    LinearTrial trial;
    const Eigen::LDLT<Eigen::Matrix3d> ldlt(normal);
    if (ldlt.info() != Eigen::Success)
        return trial;
    trial.beta = ldlt.solve(rhs);
    if (!trial.beta.allFinite())
        return trial;
    trial.rss =
        (y - trial.beta[0] * b0 - trial.beta[1] * b1 - VectorXd::Constant(y.size(), trial.beta[2]))
            .squaredNorm();
    return trial;
}

// Angular frequency from the crossings of the mean, counted with a
// hysteresis so that noise near the mean does not add crossings.
double crossingFrequency(const VectorXd& x, const VectorXd& y, int* crossings) {
    const double mean = y.mean();
    const double band = 0.2 * (y.maxCoeff() - y.minCoeff()) / 2;
    int state = 0;
    double lastCross = x[0];
    double first = 0;
    double last = 0;
    int count = 0;
    for (Eigen::Index i = 0; i < x.size(); ++i) {
        const double d = y[i] - mean;
        if (i > 0 && (d >= 0) != (y[i - 1] - mean >= 0)) {
            const double d0 = y[i - 1] - mean;
            lastCross = x[i - 1] + (x[i] - x[i - 1]) * d0 / (d0 - d);
        }
        const int now = d > band ? 1 : d < -band ? -1 : 0;
        if (now != 0 && state != 0 && now != state) {
            if (count == 0)
                first = lastCross;
            last = lastCross;
            ++count;
        }
        if (now != 0)
            state = now;
    }
    *crossings = count;
    const double span = x.maxCoeff() - x.minCoeff();
    if (count >= 2 && last > first)
        return kPi * (count - 1) / (last - first);
    return kPi / span; // less than a period seen: half a period over the range
}

struct OscillationStart {
    double omega = 0;
    double tau = HUGE_VAL;
    LinearTrial trial;
};

// Scans ω (and τ when damped) around the crossing estimate; for each, the
// amplitude, phase and offset come from linear least squares.
OscillationStart oscillationStart(const VectorXd& x, const VectorXd& y, bool damped) {
    int crossings = 0;
    const double omega0 = crossingFrequency(x, y, &crossings);
    const double span = x.maxCoeff() - x.minCoeff();
    const double periods = std::max(0.5, span * omega0 / (2 * kPi));
    // The crossing estimate is off by about one crossing in their count; the
    // step keeps the phase drift over the range under a quarter turn.
    const double width = std::clamp(3.0 / std::max(1, crossings), 0.15, 1.0);
    const double ratio = 1 + 1 / (4 * periods);
    const int steps = std::clamp(int(std::ceil(2 * std::log1p(width) / std::log(ratio))), 16, 400);
    const double low = omega0 / (1 + width);
    const double factor = std::pow((1 + width) * (1 + width), 1.0 / (steps - 1));

    const Eigen::Index n = x.size();
    VectorXd s(n), c(n), es(n), ec(n);
    auto trialAt = [&](double omega, double tau) {
        for (Eigen::Index i = 0; i < n; ++i) {
            s[i] = std::sin(omega * x[i]);
            c[i] = std::cos(omega * x[i]);
        }
        if (!std::isfinite(tau))
            return solveThree(s, c, y);
        const VectorXd e = (-x.array() / tau).exp().matrix();
        es = e.cwiseProduct(s);
        ec = e.cwiseProduct(c);
        return solveThree(es, ec, y);
    };

    OscillationStart best;
    int bestStep = 0;
    for (int k = 0; k < steps; ++k) {
        const double omega = low * std::pow(factor, k);
        const LinearTrial trial = trialAt(omega, HUGE_VAL);
        if (trial.rss < best.trial.rss) {
            best = {omega, HUGE_VAL, trial};
            bestStep = k;
        }
    }
    if (damped) {
        // The damping widens the peak without moving it much: try a few
        // time constants near the undamped best.
        static const double taus[] = {0.1, 0.25, 0.5, 1, 2, 4, 20};
        for (int k = std::max(0, bestStep - 3); k <= std::min(steps - 1, bestStep + 3); ++k) {
            const double omega = low * std::pow(factor, k);
            for (double t : taus) {
                const LinearTrial trial = trialAt(omega, t * span);
                if (trial.rss < best.trial.rss)
                    best = {omega, t * span, trial};
            }
        }
        if (!std::isfinite(best.tau))
            best.tau = 20 * span;
    }
    return best;
}

VectorXd startingValues(FitModel model, const VectorXd& x, const VectorXd& y) {
    const double span = x.maxCoeff() - x.minCoeff();
    if (model == FitModel::Exponential) {
        // y ≈ A·e^(−x/τ) + C is linear in A and C once τ is chosen: decays
        // and growths over a wide range of time constants.
        static const double taus[] = {0.03, 0.1, 0.2, 0.35, 0.5, 0.75, 1, 1.5, 2, 3, 5, 10, 30};
        double bestRss = HUGE_VAL;
        VectorXd best(3);
        best << y[0] - y[y.size() - 1], span, y[y.size() - 1];
        for (int sign : {1, -1})
            for (double t : taus) {
                const double tau = sign * t * span;
                const VectorXd e = (-x.array() / tau).exp().matrix();
                const double n = double(y.size());
                Eigen::Matrix2d normal;
                normal << e.squaredNorm(), e.sum(), e.sum(), n;
                const Eigen::Vector2d beta =
                    normal.ldlt().solve(Eigen::Vector2d(e.dot(y), y.sum()));
                if (!beta.allFinite())
                    continue;
                const double rss =
                    (y - beta[0] * e - VectorXd::Constant(y.size(), beta[1])).squaredNorm();
                if (rss < bestRss) {
                    bestRss = rss;
                    best << beta[0], tau, beta[1];
                }
            }
        return best;
    }
    const bool damped = model == FitModel::DampedSine;
    const OscillationStart start = oscillationStart(x, y, damped);
    const double a = std::hypot(start.trial.beta[0], start.trial.beta[1]);
    const double phi = std::atan2(start.trial.beta[1], start.trial.beta[0]);
    VectorXd p(damped ? 5 : 4);
    if (damped)
        p << a, start.tau, start.omega, phi, start.trial.beta[2];
    else
        p << a, start.omega, phi, start.trial.beta[2];
    return p;
}

// ---- Levenberg–Marquardt -------------------------------------------------

struct Search {
    VectorXd p;
    VectorXd residuals;
    double rss = HUGE_VAL;
    int iterations = 0;
    bool converged = false;
};

Search levenbergMarquardt(FitModel model, const VectorXd& x, const VectorXd& y, VectorXd p) {
    constexpr int kMaxIterations = 500;
    Search search;
    search.p = std::move(p);
    search.rss = residualsOf(model, x, y, search.p, search.residuals);
    if (!std::isfinite(search.rss))
        return search;
    double lambda = 1e-3;
    VectorXd trialResiduals;
    for (int it = 1; it <= kMaxIterations; ++it) {
        search.iterations = it;
        const MatrixXd j = jacobian(model, x, search.p);
        const MatrixXd normal = j.transpose() * j;
        const VectorXd gradient = j.transpose() * search.residuals;
        bool stepped = false;
        while (lambda < 1e16) {
            MatrixXd damped = normal;
            for (Eigen::Index i = 0; i < damped.rows(); ++i)
                damped(i, i) += lambda * std::max(normal(i, i), 1e-300);
            const VectorXd step = damped.ldlt().solve(gradient);
            if (!step.allFinite()) {
                lambda *= 10;
                continue;
            }
            const VectorXd trial = search.p + step;
            const double rss = residualsOf(model, x, y, trial, trialResiduals);
            if (rss < search.rss) {
                const bool small = search.rss - rss <= 1e-12 * search.rss ||
                                   step.norm() <= 1e-12 * (search.p.norm() + 1e-300);
                search.p = trial;
                search.residuals = trialResiduals;
                search.rss = rss;
                lambda = std::max(lambda / 10, 1e-12);
                stepped = true;
                if (small) {
                    search.converged = true;
                    return search;
                }
                break;
            }
            lambda *= 10;
        }
        if (!stepped) {
            // Not even a short step downhill lowers the sum: a minimum to
            // working precision.
            search.converged = true;
            return search;
        }
    }
    return search;
}

// A positive amplitude and angular frequency, the phase in (−π, π].
void normaliseOscillation(FitModel model, VectorXd& p) {
    const int a = 0;
    const int omega = model == FitModel::DampedSine ? 2 : 1;
    const int phi = omega + 1;
    if (p[omega] < 0) {
        p[omega] = -p[omega];
        p[phi] = -p[phi];
        p[a] = -p[a];
    }
    if (p[a] < 0) {
        p[a] = -p[a];
        p[phi] += kPi;
    }
    p[phi] = wrapAngle(p[phi]);
}

FitResult nonLinearFit(FitModel model, const VectorXd& xAbsolute, const VectorXd& y) {
    FitResult result;
    result.model = model;
    if (y.maxCoeff() == y.minCoeff()) {
        result.error = kFlat;
        return result;
    }
    // The search runs on times from the first point, where the guesses are
    // made; the parameters are then moved to the caller's origin.
    const double origin = xAbsolute.minCoeff();
    const VectorXd x = (xAbsolute.array() - origin).matrix();
    Search search = levenbergMarquardt(model, x, y, startingValues(model, x, y));
    result.iterations = search.iterations;
    if (!search.converged || !search.p.allFinite()) {
        result.error = kNoConvergence;
        return result;
    }
    VectorXd p = search.p;
    if (model != FitModel::Exponential)
        normaliseOscillation(model, p);
    const MatrixXd j = jacobian(model, x, p);
    const int n = int(x.size());
    const int count = int(p.size());

    // Shifting the origin by x0: φ' = φ − ω·x0, A' = A·e^(x0/τ).
    MatrixXd map = MatrixXd::Identity(count, count);
    VectorXd reported = p;
    if (model == FitModel::Sine) {
        reported[2] = wrapAngle(p[2] - p[1] * origin);
        map(2, 1) = -origin;
    } else {
        const double grow = std::exp(origin / p[1]);
        reported[0] = p[0] * grow;
        map(0, 0) = grow;
        map(0, 1) = -p[0] * grow * origin / (p[1] * p[1]);
        if (model == FitModel::DampedSine) {
            reported[3] = wrapAngle(p[3] - p[2] * origin);
            map(3, 2) = -origin;
        }
    }
    finish(result, j.transpose() * j, search.rss, n, map, reported, search.residuals);
    return result;
}

} // namespace

QString fitModelName(FitModel model) {
    switch (model) {
    case FitModel::Line:
        return QStringLiteral("Droite");
    case FitModel::Parabola:
        return QStringLiteral("Parabole");
    case FitModel::Sine:
        return QStringLiteral("Sinusoïde");
    case FitModel::DampedSine:
        return QStringLiteral("Sinusoïde amortie");
    case FitModel::Exponential:
        return QStringLiteral("Exponentielle");
    }
    return {};
}

int fitParameterCount(FitModel model) {
    return int(fitParameterNames(model).size());
}

QStringList fitParameterNames(FitModel model) {
    switch (model) {
    case FitModel::Line:
        return {QStringLiteral("a"), QStringLiteral("b")};
    case FitModel::Parabola:
        return {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    case FitModel::Sine:
        return {QStringLiteral("A"), QStringLiteral("ω"), QStringLiteral("φ"), QStringLiteral("C")};
    case FitModel::DampedSine:
        return {QStringLiteral("A"), QStringLiteral("τ"), QStringLiteral("ω"), QStringLiteral("φ"),
                QStringLiteral("C")};
    case FitModel::Exponential:
        return {QStringLiteral("A"), QStringLiteral("τ"), QStringLiteral("C")};
    }
    return {};
}

QStringList fitParameterUnits(FitModel model, PhysicalUnit x, PhysicalUnit y) {
    const QString rad = QStringLiteral("rad");
    const QString perX = x.inverse().text(rad);
    switch (model) {
    case FitModel::Line:
        return {(y / x).text(), y.text()};
    case FitModel::Parabola:
        return {(y / (x * x)).text(), (y / x).text(), y.text()};
    case FitModel::Sine:
        return {y.text(), perX, rad, y.text()};
    case FitModel::DampedSine:
        return {y.text(), x.text(), perX, rad, y.text()};
    case FitModel::Exponential:
        return {y.text(), x.text(), y.text()};
    }
    return {};
}

QString fitFormula(FitModel model, const QString& y, const QString& x) {
    switch (model) {
    case FitModel::Line:
        return QStringLiteral("%1 = a·%2 + b").arg(y, x);
    case FitModel::Parabola:
        return QStringLiteral("%1 = a·%2² + b·%2 + c").arg(y, x);
    case FitModel::Sine:
        return QStringLiteral("%1 = A·sin(ω·%2 + φ) + C").arg(y, x);
    case FitModel::DampedSine:
        return QStringLiteral("%1 = A·e^(−%2/τ)·sin(ω·%2 + φ) + C").arg(y, x);
    case FitModel::Exponential:
        return QStringLiteral("%1 = A·e^(−%2/τ) + C").arg(y, x);
    }
    return {};
}

double fitModelValue(FitModel model, const std::vector<double>& parameters, double x) {
    if (int(parameters.size()) != fitParameterCount(model))
        return 0;
    double f = 0;
    evaluate(model, x, parameters.data(), f, nullptr);
    return f;
}

FitResult fitCurve(FitModel model, const std::vector<double>& x, const std::vector<double>& y) {
    const int n = int(std::min(x.size(), y.size()));
    const int p = fitParameterCount(model);
    if (x.size() != y.size())
        return failure(model,
                       QStringLiteral("Les abscisses et les ordonnées ne vont pas par paires."));
    for (int i = 0; i < n; ++i)
        if (!std::isfinite(x[i]) || !std::isfinite(y[i]))
            return failure(model, kNotANumber);
    // As many points as parameters leave no residual to judge the
    // uncertainties by: one more at least.
    if (n <= p)
        return failure(model, tooFewPoints(p + 1, n));
    clearUpperVectorState();
    const VectorXd xv = Eigen::Map<const VectorXd>(x.data(), n);
    const VectorXd yv = Eigen::Map<const VectorXd>(y.data(), n);
    if (xv.maxCoeff() == xv.minCoeff())
        return failure(model, kSameAbscissa);
    if (model == FitModel::Line || model == FitModel::Parabola)
        return linearFit(model, xv, yv);
    return nonLinearFit(model, xv, yv);
}

} // namespace traxilo
