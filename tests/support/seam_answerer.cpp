#include "support/seam_answerer.h"

#include "app/color_dialog_seam.h"
#include "app/print_dialog_seam.h"

#include <QPrinter>
#include <QTest>

namespace traxilo::test {

QString kindName(MessageKind kind) {
    switch (kind) {
    case MessageKind::Error:
        return QStringLiteral("error");
    case MessageKind::Warning:
        return QStringLiteral("warning");
    case MessageKind::Confirmation:
        break;
    }
    return QStringLiteral("confirmation");
}

SeamAnswerer::SeamAnswerer() {
    MessageSeam::setAnswerer([this](const Message& message) { return onMessage(message); });
    FileDialogSeam::setAnswerer(
        [this](const FileDialogRequest& request) { return onFileDialog(request); });
    PrintDialogSeam::setAnswerer([this](QPrinter& printer) { return onPrintDialog(printer); });
    ColorDialogSeam::setAnswerer([this](const QColor& initial) { return onColourDialog(initial); });
    TrackingDoubtSeam::setAnswerer(
        [this](const TrackingQuestion& question) { return onDoubt(question); });
}

SeamAnswerer::~SeamAnswerer() {
    MessageSeam::setAnswerer({});
    FileDialogSeam::setAnswerer({});
    PrintDialogSeam::setAnswerer({});
    ColorDialogSeam::setAnswerer({});
    TrackingDoubtSeam::setAnswerer({});
}

void SeamAnswerer::answerNext(bool yes) {
    m_answers.push_back(yes);
}

int SeamAnswerer::count(MessageKind kind) const {
    int n = 0;
    for (const Message& message : m_messages) {
        n += message.kind == kind ? 1 : 0;
    }
    return n;
}

void SeamAnswerer::clear() {
    m_messages.clear();
    m_answers.clear();
    m_fileRequests.clear();
    m_fileAnswers.clear();
    m_printAnswers.clear();
    m_printRequests = 0;
    m_colourRequests.clear();
    m_colourAnswers.clear();
    m_doubtQuestions.clear();
}

TrackingDoubtSeam::Choice SeamAnswerer::onDoubt(const TrackingQuestion& question) {
    m_doubtQuestions.append(question);
    if (m_doubtAnswer)
        return m_doubtAnswer(question);
    if (m_failOnUnexpected) {
        const QByteArray text =
            (QStringLiteral("unexpected tracking question: ") + question.explanation).toUtf8();
        QTest::qFail(text.constData(), __FILE__, __LINE__);
    }
    return TrackingDoubtSeam::Choice::Stop;
}

void SeamAnswerer::answerNextColour(std::optional<QColor> colour) {
    m_colourAnswers.push_back(colour);
}

void SeamAnswerer::answerNextFile(std::optional<QString> path) {
    m_fileAnswers.emplace_back(path.has_value(), path.value_or(QString()));
}

bool SeamAnswerer::onMessage(const Message& message) {
    m_messages.append(message);
    if (!m_answers.empty()) {
        const bool answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    if (m_failOnUnexpected) {
        const QByteArray text =
            (QStringLiteral("unexpected %1 message: ").arg(kindName(message.kind)) + message.text)
                .toUtf8();
        QTest::qFail(text.constData(), __FILE__, __LINE__);
        return false;
    }
    return message.kind == MessageKind::Confirmation ? m_defaultConfirmation : true;
}

std::optional<QString> SeamAnswerer::onFileDialog(const FileDialogRequest& request) {
    m_fileRequests.append(request);
    if (m_fileHook) {
        m_fileHook(request);
    }
    if (!m_fileAnswers.empty()) {
        const auto [chosen, path] = m_fileAnswers.front();
        m_fileAnswers.pop_front();
        return chosen ? std::optional<QString>(path) : std::nullopt;
    }
    if (m_failOnUnexpected) {
        const QByteArray text =
            (QStringLiteral("unexpected file dialog: ") + request.title).toUtf8();
        QTest::qFail(text.constData(), __FILE__, __LINE__);
    }
    return std::nullopt;
}

void SeamAnswerer::answerNextPrint(std::optional<QString> pdfPath) {
    m_printAnswers.push_back(std::move(pdfPath));
}

bool SeamAnswerer::onPrintDialog(QPrinter& printer) {
    ++m_printRequests;
    if (m_printAnswers.empty()) {
        if (m_failOnUnexpected)
            QTest::qFail("unexpected print dialog", __FILE__, __LINE__);
        return false;
    }
    const std::optional<QString> pdf = m_printAnswers.front();
    m_printAnswers.pop_front();
    if (!pdf)
        return false;
    // What choosing "Print to file (PDF)" with a name does in Qt's dialog.
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(*pdf);
    return true;
}

std::optional<QColor> SeamAnswerer::onColourDialog(const QColor& initial) {
    m_colourRequests.append(initial);
    if (!m_colourAnswers.empty()) {
        const std::optional<QColor> answer = m_colourAnswers.front();
        m_colourAnswers.pop_front();
        return answer;
    }
    if (m_failOnUnexpected) {
        QTest::qFail("unexpected colour chooser", __FILE__, __LINE__);
    }
    return std::nullopt;
}

} // namespace traxilo::test
