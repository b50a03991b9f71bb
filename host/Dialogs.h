#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QDialog;
class QWidget;

namespace host {

// The modal message box, the Open File chooser and the one-line text box, reached through
// replaceable seams so that tests answer them instead of a person.
enum class MessageIcon { Information, Critical, Exclamation, Question };

// The buttons a box offers. SaveDiscardCancel shows "保存" (the default, Enter), "不保存"
// and "取消" (Escape, as is closing the box). KeepMineUseFileCancel shows "保留我的修改" (the
// default), "使用文件中的" and "取消" (Escape). OverwriteCancel shows "覆盖" and "取消" (the
// default and Escape). RestoreDeleteCancel shows "恢复备份", "删除备份" and "取消" (the default
// and Escape): both other answers change files, so they must be chosen. RecoverDiscardCancel
// shows "恢复" (the default), "丢弃" and "取消" (Escape). DiscardCancel shows "丢弃" and
// "取消" (the default and Escape): discarding removes a file, so it must be chosen.
enum class MessageButtons {
    Ok,
    SaveDiscardCancel,
    KeepMineUseFileCancel,
    OverwriteCancel,
    RestoreDeleteCancel,
    RecoverDiscardCancel,
    DiscardCancel,
};
enum class MessageAnswer {
    Ok,
    Save,
    Discard,
    Cancel,
    KeepMine,
    UseFile,
    Overwrite,
    Restore,
    DeleteBackup,
};

// The answers a box with these buttons gives: one for each of its buttons.
std::vector<MessageAnswer> boxAnswers(MessageButtons buttons);

struct MessageBoxRequest {
    QWidget *owner = nullptr;
    QString prompt;
    QString title;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
};

struct OpenFileRequest {
    QWidget *owner = nullptr;
    QString caption;
    QString filter; // Qt form: "Nes File(*.nes)"
    QString startFolder;
};

// A line for the person to type, shown with the text it starts with.
struct TextInputRequest {
    QWidget *owner = nullptr;
    QString title;
    QString prompt;
    QString text;
};

// Runs a dialog of the program's own, modal, as a person answers it: returns its result,
// QDialog::Accepted or QDialog::Rejected.
using DialogHandler = std::function<int(QDialog &)>;

// Returns the button the user chose.
using MessageBoxHandler = std::function<MessageAnswer(const MessageBoxRequest &)>;
// Returns the chosen path, or empty text when the chooser was cancelled.
using OpenFileHandler = std::function<QString(const OpenFileRequest &)>;
// Returns the typed line, or nothing when the box was cancelled.
using TextInputHandler = std::function<std::optional<QString>(const TextInputRequest &)>;

MessageAnswer MsgBox(const MessageBoxRequest &request);
QString GetOpenFileName(const OpenFileRequest &request);
std::optional<QString> InputBox(const TextInputRequest &request);
int ExecDialog(QDialog &dialog);

// The host's own boxes and chooser, on the screen: the seams' handlers until replaced.
MessageAnswer showMessageBox(const MessageBoxRequest &request);
QString showOpenFileDialog(const OpenFileRequest &request);
std::optional<QString> showInputBox(const TextInputRequest &request);
int showDialog(QDialog &dialog);

// Installs a handler and returns the one it replaces.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);
OpenFileHandler setOpenFileHandler(OpenFileHandler handler);
TextInputHandler setTextInputHandler(TextInputHandler handler);
DialogHandler setDialogHandler(DialogHandler handler);

} // namespace host
