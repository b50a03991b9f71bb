#include "Dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace host {

namespace {

void showMessageBox(const MessageBoxRequest &request)
{
    QMessageBox::Icon icon = QMessageBox::Information;
    if (request.icon == MessageIcon::Critical)
        icon = QMessageBox::Critical;
    else if (request.icon == MessageIcon::Exclamation)
        icon = QMessageBox::Warning;
    QMessageBox box(icon, request.title, request.prompt, QMessageBox::Ok, request.owner);
    box.exec();
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

void MsgBox(const MessageBoxRequest &request) { messageBoxHandler()(request); }

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
