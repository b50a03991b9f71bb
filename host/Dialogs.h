#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace host {

// The modal message box and the Open File chooser, reached through replaceable seams so
// that tests answer them instead of a person.
enum class MessageIcon { Information, Critical, Exclamation };

struct MessageBoxRequest {
    QWidget *owner = nullptr;
    QString prompt;
    QString title;
    MessageIcon icon = MessageIcon::Information;
};

struct OpenFileRequest {
    QWidget *owner = nullptr;
    QString caption;
    QString filter; // Qt form: "Nes File(*.nes)"
    QString startFolder;
};

using MessageBoxHandler = std::function<void(const MessageBoxRequest &)>;
// Returns the chosen path, or empty text when the chooser was cancelled.
using OpenFileHandler = std::function<QString(const OpenFileRequest &)>;

void MsgBox(const MessageBoxRequest &request);
QString GetOpenFileName(const OpenFileRequest &request);

// Installs a handler and returns the one it replaces.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);
OpenFileHandler setOpenFileHandler(OpenFileHandler handler);

} // namespace host
