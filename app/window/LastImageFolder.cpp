#include "LastImageFolder.h"

#include <QFileInfo>

namespace app {

namespace {

const QString kKey = QStringLiteral("open/lastImageFolder");

} // namespace

QSettings programSettings()
{
    return QSettings(QSettings::defaultFormat(), QSettings::UserScope, QStringLiteral("TARVOS"),
                     QStringLiteral("TARVOS"));
}

QString lastImageFolder()
{
    const QString folder = programSettings().value(kKey).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void rememberImageFolder(const QString &imagePath)
{
    programSettings().setValue(kKey, QFileInfo(imagePath).absolutePath());
}

} // namespace app
