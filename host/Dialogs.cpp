#include "Dialogs.h"

#include "ModalDialogScope.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include <vector>

namespace host {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        break;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::Information;
}

struct BoxButton {
    QString text;
    QMessageBox::ButtonRole role;
    MessageAnswer answer;
};

// The buttons of a set other than Ok, left to right; the first is the default unless the
// set makes Cancel the default.
std::vector<BoxButton> boxButtons(MessageButtons buttons)
{
    const BoxButton cancel{QStringLiteral("取消"), QMessageBox::RejectRole, MessageAnswer::Cancel};
    switch (buttons) {
    case MessageButtons::Ok:
        break;
    case MessageButtons::SaveDiscardCancel:
        return {{QStringLiteral("保存"), QMessageBox::AcceptRole, MessageAnswer::Save},
                {QStringLiteral("不保存"), QMessageBox::DestructiveRole, MessageAnswer::Discard},
                cancel};
    case MessageButtons::KeepMineUseFileCancel:
        return {{QStringLiteral("保留我的修改"), QMessageBox::AcceptRole, MessageAnswer::KeepMine},
                {QStringLiteral("使用文件中的"), QMessageBox::AcceptRole, MessageAnswer::UseFile},
                cancel};
    case MessageButtons::OverwriteCancel:
        return {{QStringLiteral("覆盖"), QMessageBox::DestructiveRole, MessageAnswer::Overwrite},
                cancel};
    case MessageButtons::RestoreDeleteCancel:
        return {
            {QStringLiteral("恢复备份"), QMessageBox::AcceptRole, MessageAnswer::Restore},
            {QStringLiteral("删除备份"), QMessageBox::DestructiveRole, MessageAnswer::DeleteBackup},
            cancel};
    case MessageButtons::RecoverDiscardCancel:
        return {{QStringLiteral("恢复"), QMessageBox::AcceptRole, MessageAnswer::Restore},
                {QStringLiteral("丢弃"), QMessageBox::DestructiveRole, MessageAnswer::Discard},
                cancel};
    case MessageButtons::DiscardCancel:
        return {{QStringLiteral("丢弃"), QMessageBox::DestructiveRole, MessageAnswer::Discard},
                cancel};
    }
    return {};
}

} // namespace

std::vector<MessageAnswer> boxAnswers(MessageButtons buttons)
{
    if (buttons == MessageButtons::Ok)
        return {MessageAnswer::Ok};
    std::vector<MessageAnswer> answers;
    for (const BoxButton &button : boxButtons(buttons))
        answers.push_back(button.answer);
    return answers;
}

MessageAnswer showMessageBox(const MessageBoxRequest &request)
{
    const ModalDialogScope modal;
    QMessageBox box(boxIcon(request.icon), request.title, request.prompt, QMessageBox::NoButton,
                    request.owner);
    if (request.buttons == MessageButtons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return MessageAnswer::Ok;
    }
    const std::vector<BoxButton> buttons = boxButtons(request.buttons);
    std::vector<std::pair<QPushButton *, MessageAnswer>> shown;
    for (const BoxButton &button : buttons)
        shown.emplace_back(box.addButton(button.text, button.role), button.answer);
    QPushButton *cancel = shown.back().first;
    // Where the first answer writes over or deletes a file, Enter must not give it.
    const bool cancelByDefault = request.buttons == MessageButtons::OverwriteCancel ||
                                 request.buttons == MessageButtons::RestoreDeleteCancel ||
                                 request.buttons == MessageButtons::DiscardCancel;
    box.setDefaultButton(cancelByDefault ? cancel : shown.front().first);
    box.setEscapeButton(cancel);
    box.exec();
    for (const auto &[button, answer] : shown)
        if (box.clickedButton() == button)
            return answer;
    return MessageAnswer::Cancel;
}

QString showOpenFileDialog(const OpenFileRequest &request)
{
    const ModalDialogScope modal;
    QFileDialog dialog(request.owner, request.caption, request.startFolder, request.filter);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> showInputBox(const TextInputRequest &request)
{
    const ModalDialogScope modal;
    QInputDialog dialog(request.owner);
    dialog.setWindowTitle(request.title);
    dialog.setLabelText(request.prompt);
    dialog.setTextValue(request.text);
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

int showDialog(QDialog &dialog)
{
    const ModalDialogScope modal;
    return dialog.exec();
}

namespace {

DialogHandler &dialogHandler()
{
    static DialogHandler handler = showDialog;
    return handler;
}

MessageBoxHandler &messageBoxHandler()
{
    static MessageBoxHandler handler = showMessageBox;
    return handler;
}

OpenFileHandler &openFileHandler()
{
    static OpenFileHandler handler = showOpenFileDialog;
    return handler;
}

TextInputHandler &textInputHandler()
{
    static TextInputHandler handler = showInputBox;
    return handler;
}

} // namespace

MessageAnswer MsgBox(const MessageBoxRequest &request)
{
    return messageBoxHandler()(request);
}

QString GetOpenFileName(const OpenFileRequest &request)
{
    return openFileHandler()(request);
}

std::optional<QString> InputBox(const TextInputRequest &request)
{
    return textInputHandler()(request);
}

int ExecDialog(QDialog &dialog)
{
    return dialogHandler()(dialog);
}

DialogHandler setDialogHandler(DialogHandler handler)
{
    return std::exchange(dialogHandler(), std::move(handler));
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(messageBoxHandler(), std::move(handler));
}

OpenFileHandler setOpenFileHandler(OpenFileHandler handler)
{
    return std::exchange(openFileHandler(), std::move(handler));
}

TextInputHandler setTextInputHandler(TextInputHandler handler)
{
    return std::exchange(textInputHandler(), std::move(handler));
}

} // namespace host
