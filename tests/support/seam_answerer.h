#pragma once

#include "app/file_dialog_seam.h"
#include "app/message_seam.h"
#include "app/tracking_doubt_seam.h"

#include <QColor>
#include <QList>
#include <QString>
#include <deque>
#include <functional>
#include <optional>

class QPrinter;

namespace traxilo::test {

// Answers the program's message boxes, file dialogs, colour choosers and
// print dialogs for the lifetime of the object, and records every request.
// Answers are used in the order they were queued. A request nobody queued an
// answer for fails the test with its text; with failOnUnexpected(false),
// errors and warnings are acknowledged, confirmations get the default answer,
// and the other dialogs are cancelled.
class SeamAnswerer {
public:
    SeamAnswerer();
    ~SeamAnswerer();
    SeamAnswerer(const SeamAnswerer&) = delete;
    SeamAnswerer& operator=(const SeamAnswerer&) = delete;

    void answerNext(bool yes);
    void setDefaultConfirmation(bool yes) { m_defaultConfirmation = yes; }
    void failOnUnexpected(bool on) { m_failOnUnexpected = on; }

    const QList<Message>& messages() const { return m_messages; }
    int count(MessageKind kind) const;
    QString lastText() const { return m_messages.isEmpty() ? QString() : m_messages.last().text; }
    void clear();

    // File dialogs: the path chosen, or std::nullopt for Cancel.
    void answerNextFile(std::optional<QString> path);
    // Runs before a file dialog is answered, e.g. to play the selection
    // changes of a user browsing (request.selectionChanged).
    void setFileDialogHook(std::function<void(const FileDialogRequest&)> hook) {
        m_fileHook = std::move(hook);
    }
    const QList<FileDialogRequest>& fileRequests() const { return m_fileRequests; }

    // The question of a tracking run stopped on a doubtful frame: `answer`
    // decides each one (it may queue the clicks that follow the answer).
    void setDoubtAnswerer(TrackingDoubtSeam::Answerer answer) { m_doubtAnswer = std::move(answer); }
    const QList<TrackingQuestion>& doubtQuestions() const { return m_doubtQuestions; }

    // Qt's print dialog: printing to the PDF file `pdfPath`, or std::nullopt
    // for Cancel.
    void answerNextPrint(std::optional<QString> pdfPath);
    int printRequests() const { return m_printRequests; }
    // Colour choosers: the colour chosen, or std::nullopt for Cancel.
    void answerNextColour(std::optional<QColor> colour);
    // The colour each chooser opened on, in order.
    const QList<QColor>& colourRequests() const { return m_colourRequests; }

private:
    bool onMessage(const Message& message);
    std::optional<QString> onFileDialog(const FileDialogRequest& request);
    bool onPrintDialog(QPrinter& printer);
    std::optional<QColor> onColourDialog(const QColor& initial);
    TrackingDoubtSeam::Choice onDoubt(const TrackingQuestion& question);

    QList<Message> m_messages;
    std::deque<bool> m_answers;
    bool m_defaultConfirmation = false;
    bool m_failOnUnexpected = true;
    QList<FileDialogRequest> m_fileRequests;
    std::deque<std::pair<bool, QString>> m_fileAnswers; // chosen, path
    std::function<void(const FileDialogRequest&)> m_fileHook;
    std::deque<std::optional<QString>> m_printAnswers;
    int m_printRequests = 0;
    QList<QColor> m_colourRequests;
    std::deque<std::optional<QColor>> m_colourAnswers;
    TrackingDoubtSeam::Answerer m_doubtAnswer;
    QList<TrackingQuestion> m_doubtQuestions;
};

QString kindName(MessageKind kind);

} // namespace traxilo::test
