#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace traxilo {

// The question of a tracking run that stopped on a doubtful frame: what is
// wrong, and the four answers. Built with plain values; the window shows
// the candidate over the picture, asks, and passes the answer to the run.
class TrackingDoubtDialog : public QDialog {
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Suivi automatique");

    enum class Choice {
        AcceptCandidate, // the dashed mark is right
        PlaceObject,     // the user clicks the right place: a new reference there
        SkipFrame,       // no position on this frame
        Stop,            // the run ends; what was tracked stays
    };

    explicit TrackingDoubtDialog(QWidget* parent = nullptr);

    // `frame` is 0-based (shown as image n° frame + 1); `explanation` the
    // run's French text; without a candidate, there is nothing to accept.
    void setQuestion(int frame, const QString& explanation, bool hasCandidate);

    // The answer of the last showing; Stop when closed by Escape.
    Choice choice() const { return m_choice; }

private:
    void answer(Choice choice);

    QLabel* m_question = nullptr;
    QPushButton* m_accept = nullptr;
    Choice m_choice = Choice::Stop;
};

} // namespace traxilo
