#pragma once

#include "Dialogs.h"

#include <QList>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// A fault in a test's own script, an answer the question does not offer: the test programs'
// main makes it a failure of the test under way; a fuzz target ends there.
inline std::function<void(const std::string &)> &scriptFailure()
{
    static std::function<void(const std::string &)> report = [](const std::string &what) {
        qFatal("%s", what.c_str());
    };
    return report;
}

// Answers the host's message boxes and Open dialogs for the length of a test: message
// boxes are recorded and closed at once, a box with a question taking the queued answers in
// turn (Cancel, as for Escape, once the queue is empty); Open dialogs return the queued
// paths in turn (empty text, as for Cancel, once the queue is empty), and text boxes the queued
// lines (nothing, as for Cancel, once the queue is empty). An answer that is not
// one of the question's buttons fails the test. `whileAsking` runs while a box with a
// question is open, as a person's hesitation gives other programs time.
class DialogScript {
public:
    DialogScript()
    {
        m_previousBox = host::setMessageBoxHandler([this](const host::MessageBoxRequest &request) {
            messages.push_back(request);
            if (request.buttons == host::MessageButtons::Ok)
                return host::MessageAnswer::Ok;
            // A copy runs, so that the hesitation may clear itself.
            if (const auto hesitation = whileAsking)
                hesitation(request);
            const host::MessageAnswer answer =
                answers.isEmpty() ? host::MessageAnswer::Cancel : answers.takeFirst();
            // An answer no person can give proves nothing.
            const std::vector<host::MessageAnswer> offered = host::boxAnswers(request.buttons);
            if (std::find(offered.begin(), offered.end(), answer) == offered.end())
                scriptFailure()(
                    "the scripted answer " + std::to_string(static_cast<int>(answer)) +
                    " is not one of the question's buttons: " + request.prompt.toStdString());
            return answer;
        });
        m_previousOpen = host::setOpenFileHandler([this](const host::OpenFileRequest &request) {
            openRequests.push_back(request);
            return chosenPaths.isEmpty() ? QString() : chosenPaths.takeFirst();
        });
        m_previousInput = host::setTextInputHandler([this](const host::TextInputRequest &request) {
            inputRequests.push_back(request);
            return typedLines.isEmpty() ? std::nullopt : typedLines.takeFirst();
        });
    }
    ~DialogScript()
    {
        host::setMessageBoxHandler(m_previousBox);
        host::setOpenFileHandler(m_previousOpen);
        host::setTextInputHandler(m_previousInput);
    }
    DialogScript(const DialogScript &) = delete;
    DialogScript &operator=(const DialogScript &) = delete;

    QStringList chosenPaths;
    QList<host::MessageAnswer> answers;
    QList<std::optional<QString>> typedLines;
    std::vector<host::MessageBoxRequest> messages;
    std::vector<host::OpenFileRequest> openRequests;
    std::vector<host::TextInputRequest> inputRequests;
    std::function<void(const host::MessageBoxRequest &)> whileAsking;

private:
    host::MessageBoxHandler m_previousBox;
    host::OpenFileHandler m_previousOpen;
    host::TextInputHandler m_previousInput;
};

} // namespace testing_support
