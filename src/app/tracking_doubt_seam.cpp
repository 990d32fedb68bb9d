#include "app/tracking_doubt_seam.h"

namespace traxilo {

namespace {
TrackingDoubtSeam::Answerer& currentAnswerer() {
    static TrackingDoubtSeam::Answerer answerer;
    return answerer;
}
} // namespace

TrackingDoubtSeam::Choice TrackingDoubtSeam::ask(TrackingDoubtDialog& dialog,
                                                 const TrackingQuestion& question) {
    if (currentAnswerer())
        return currentAnswerer()(question);
    dialog.setQuestion(question.frame, question.explanation, question.hasCandidate);
    dialog.exec();
    return dialog.choice();
}

void TrackingDoubtSeam::setAnswerer(Answerer answerer) {
    currentAnswerer() = std::move(answerer);
}

} // namespace traxilo
