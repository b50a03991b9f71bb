#include "modFileOpen.h"

#include "Dialogs.h"
#include "LastImageFolder.h"

#include <QDir>

namespace app {

QString ShowOpenDialog(QWidget *owner)
{
    host::OpenFileRequest request;
    request.owner = owner;
    request.caption = QStringLiteral("选择文件");
    request.filter = QStringLiteral("Nes File(*.nes)");
    // Where images were opened last, and before that the current folder.
    const QString remembered = lastImageFolder();
    request.startFolder = remembered.isEmpty() ? QDir::currentPath() : remembered;
    return host::GetOpenFileName(request).trimmed();
}

} // namespace app
