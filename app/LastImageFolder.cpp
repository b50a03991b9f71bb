#include "LastImageFolder.h"

#include <QFileInfo>
#include <QSettings>

namespace app {

namespace {

const QString kKey = QStringLiteral("open/lastImageFolder");

QSettings settings()
{
    return QSettings(QStringLiteral("TARVOS"), QStringLiteral("TARVOS"));
}

} // namespace

QString lastImageFolder()
{
    const QString folder = settings().value(kKey).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void rememberImageFolder(const QString &imagePath)
{
    settings().setValue(kKey, QFileInfo(imagePath).absolutePath());
}

} // namespace app
