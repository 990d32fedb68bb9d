#pragma once

#include "app/dialogs/tracking_doubt_dialog.h"

#include <QString>
#include <functional>

namespace traxilo {

// What a tracking run asks when it stops on a doubtful frame.
struct TrackingQuestion {
    int frame = -1; // 0-based
    QString explanation;
    bool hasCandidate = false;
};

// The question of a stopped tracking run goes through here, so that tests
// can answer it as they answer the message boxes.
class TrackingDoubtSeam {
public:
    using Choice = TrackingDoubtDialog::Choice;
    using Answerer = std::function<Choice(const TrackingQuestion&)>;

    // Shows `dialog` modally with the question, or asks the answerer.
    static Choice ask(TrackingDoubtDialog& dialog, const TrackingQuestion& question);

    // An empty answerer puts back the real dialog.
    static void setAnswerer(Answerer answerer);
};

} // namespace traxilo
