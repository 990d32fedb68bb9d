#pragma once

#include <QImage>
#include <QPointF>
#include <QSize>
#include <QString>
#include <algorithm>
#include <memory>
#include <optional>

namespace traxilo::tracking {

// When a match is taken without asking the user. Both limits live here and
// nowhere else: a looser score let matches 2 to 5 pixels off through.
struct Acceptance {
    static constexpr double kMinScore = 0.8;        // normalised correlation at the peak
    static constexpr double kMinDistance = 8.0;     // pixels from the prediction allowed, at least
    static constexpr double kDistanceInRadii = 0.4; // or this share of the object's radius
    static double maxDistance(double radius) {
        return std::max(kMinDistance, kDistanceInRadii * radius);
    }
};

// What became of the search for an object on one frame.
enum class Verdict {
    Accepted, // good likeness where the object was expected: recorded without a word
    LowScore, // the best likeness found is too weak
    TooFar,   // a good likeness, too far from where the object should be
    NotFound, // the best likeness is at the edge of the search area, or the object is hidden
};

struct Match {
    Verdict verdict = Verdict::NotFound;
    QPointF position;  // the candidate, picture pixels; meaningless when NotFound
    QPointF predicted; // where the object was expected
    double score = 0;  // likeness of the candidate, -1 to 1
    bool accepted() const { return verdict == Verdict::Accepted; }
    bool hasCandidate() const { return verdict != Verdict::NotFound; }
};

// A short French explanation of a match not taken; empty for one taken.
QString explanation(const Match& match);

// Why a disc cannot be followed on a picture of `size` (a French sentence),
// or empty when it can: a radius under 3 pixels or over the picture, a
// centre outside it.
QString objectProblem(QSize size, QPointF centre, double radius);

// Follows one round object from frame to frame. Positions are continuous
// coordinates of the upright picture at 100 %, pixel (i, j) covering
// [i, i + 1) x [j, j + 1); pictures are QImage::Format_RGB32 (others are
// converted). The object's look is taken once, on its reference frame, as
// the colours inside its disc, and kept: a look that follows the object
// drifts onto the background while still matching well.
class PointTracker {
public:
    // Empty, with objectProblem()'s sentence in `error`, when the disc
    // cannot be followed.
    static std::optional<PointTracker> start(const QImage& picture, QPointF centre, double radius,
                                             double time, QString* error = nullptr);

    PointTracker(PointTracker&&) noexcept;
    PointTracker& operator=(PointTracker&&) noexcept;
    ~PointTracker();

    double radius() const;

    // Where the object should be at `time`: at constant acceleration from
    // its last three known positions (x = 3 x0 - 3 x1 + x2 at a regular
    // rate), at constant speed from two, where it was from one.
    QPointF predict(double time) const;

    // Looks for the object on `picture`, filmed at `time`, around the
    // prediction; records nothing.
    Match match(const QImage& picture, double time) const;

    // The object was at `position` at `time` (a match taken, a candidate the
    // user accepted): the next predictions start from it.
    void record(QPointF position, double time);

    // The user showed the object at `centre` on `picture`: its look is taken
    // anew there and the position recorded. False, with the reason in
    // `error`, when the disc cannot be followed there (nothing changes).
    bool setReference(const QImage& picture, QPointF centre, double time, QString* error = nullptr);

private:
    struct Private;
    explicit PointTracker(std::unique_ptr<Private> d);
    std::unique_ptr<Private> d;
};

} // namespace traxilo::tracking
