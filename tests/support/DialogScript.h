#pragma once

#include "Dialogs.h"

#include <QStringList>

#include <vector>

namespace testing_support {

// Answers the host's message boxes and Open dialogs for the length of a test: message
// boxes are recorded and closed at once, Open dialogs return the queued paths in turn
// (empty text, as for Cancel, once the queue is empty).
class DialogScript {
public:
    DialogScript()
    {
        m_previousBox = host::setMessageBoxHandler(
            [this](const host::MessageBoxRequest &request) { messages.push_back(request); });
        m_previousOpen = host::setOpenFileHandler([this](const host::OpenFileRequest &request) {
            openRequests.push_back(request);
            return chosenPaths.isEmpty() ? QString() : chosenPaths.takeFirst();
        });
    }
    ~DialogScript()
    {
        host::setMessageBoxHandler(m_previousBox);
        host::setOpenFileHandler(m_previousOpen);
    }
    DialogScript(const DialogScript &) = delete;
    DialogScript &operator=(const DialogScript &) = delete;

    QStringList chosenPaths;
    std::vector<host::MessageBoxRequest> messages;
    std::vector<host::OpenFileRequest> openRequests;

private:
    host::MessageBoxHandler m_previousBox;
    host::OpenFileHandler m_previousOpen;
};

} // namespace testing_support
