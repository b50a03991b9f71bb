#include "Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

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

MessageAnswer showMessageBox(const MessageBoxRequest &request)
{
    QMessageBox box(boxIcon(request.icon), request.title, request.prompt, QMessageBox::NoButton,
                    request.owner);
    if (request.buttons == MessageButtons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return MessageAnswer::Ok;
    }
    QPushButton *save = box.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(QStringLiteral("不保存"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return MessageAnswer::Save;
    if (box.clickedButton() == discard)
        return MessageAnswer::Discard;
    return MessageAnswer::Cancel;
}

QString showOpenFileDialog(const OpenFileRequest &request)
{
    QFileDialog dialog(request.owner, request.caption, request.startFolder, request.filter);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
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

} // namespace

MessageAnswer MsgBox(const MessageBoxRequest &request)
{
    return messageBoxHandler()(request);
}

QString GetOpenFileName(const OpenFileRequest &request) { return openFileHandler()(request); }

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler)
{
    return std::exchange(messageBoxHandler(), std::move(handler));
}

OpenFileHandler setOpenFileHandler(OpenFileHandler handler)
{
    return std::exchange(openFileHandler(), std::move(handler));
}

} // namespace host
