#include "FileCheck.h"

#include <QFile>
#include <QFileInfo>

namespace core {

bool FileCheck(const QString &path)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return false;
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    file.close();
    return opened;
}

} // namespace core
