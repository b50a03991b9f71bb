#include "TileNaming.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace core {

namespace {

std::optional<int> hexDigit(QChar ch)
{
    const char16_t u = ch.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return std::nullopt;
}

} // namespace

QString tileFolderIn(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("MAP"));
}

QString tileFolder(const QString &programFolder)
{
    const QString beside = tileFolderIn(programFolder);
    if (QFileInfo(beside).isDir())
        return beside;
    // The data folders are named without the program's own name: the editor and
    // tarvos-cli are two programs that share one tile folder.
    const QString installed =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("tarvos/MAP"),
                               QStandardPaths::LocateDirectory);
    return installed.isEmpty() ? beside : installed;
}

QString tileFileName(std::uint8_t code)
{
    return QString::number(code, 16).toUpper() + QStringLiteral(".bmp");
}

std::optional<std::uint8_t> paletteTileCode(const QString &fileName)
{
    if (fileName.size() < 2)
        return std::nullopt;
    const auto high = hexDigit(fileName[0]);
    if (!high)
        return std::nullopt;
    if (fileName[1] == u'.')
        return static_cast<std::uint8_t>(*high);
    const auto low = hexDigit(fileName[1]);
    if (!low)
        return std::nullopt;
    return static_cast<std::uint8_t>(*high * 16 + *low);
}

} // namespace core
