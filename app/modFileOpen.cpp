#include "modFileOpen.h"

#include "Dialogs.h"

#include <QDir>

namespace app {

QString ShowOpenDialog(QWidget *owner)
{
    host::OpenFileRequest request;
    request.owner = owner;
    request.caption = QStringLiteral("选择文件");
    request.filter = QStringLiteral("Nes File(*.nes)");
    request.startFolder = QDir::currentPath();
    return host::GetOpenFileName(request).trimmed();
}

} // namespace app
