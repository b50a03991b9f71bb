#include "PlaceNames.h"

#include "MapPlace.h"

namespace app {

namespace {

// A question names this many places at most, then says how many there are.
constexpr qsizetype kPlacesNamed = 10;

QString hexOffset(qint64 offset)
{
    return QStringLiteral("0x%1").arg(QString::number(offset, 16).toUpper());
}

} // namespace

QString placeText(const core::ChapterDirectory &chapters, qsizetype offset)
{
    if (const auto place = core::mapPlaceOfByte(chapters, offset))
        return QStringLiteral("第%1章 第%2列 第%3行")
            .arg(place->chapter)
            .arg(place->cell.column)
            .arg(place->cell.row);
    return QStringLiteral("偏移 0x%1").arg(QString::number(offset, 16).toUpper());
}

QString listed(const QStringList &lines)
{
    QStringList shown = lines.mid(0, kPlacesNamed);
    if (lines.size() > shown.size())
        shown << QStringLiteral("……共 %1 处").arg(lines.size());
    return shown.join(QLatin1Char('\n'));
}

QString listedPlaces(const core::ChapterDirectory &chapters, const std::vector<qsizetype> &offsets)
{
    QStringList places;
    for (const qsizetype offset : offsets)
        places << placeText(chapters, offset);
    return listed(places);
}

QString layoutChangeText(const core::LayoutDifference &difference)
{
    using Kind = core::LayoutDifference::Kind;
    const core::ChapterMap &was = difference.before;
    const core::ChapterMap &is = difference.after;
    switch (difference.kind) {
    case Kind::NoDirectory:
        return QStringLiteral("文件中已读不出25个关卡的地图目录");
    case Kind::Resized:
        return QStringLiteral("第%1章 的大小从 %2X%3 变为 %4X%5")
            .arg(difference.chapter)
            .arg(was.Width)
            .arg(was.Height)
            .arg(is.Width)
            .arg(is.Height);
    case Kind::Moved:
        return QStringLiteral("第%1章 的位置从 %2 移到 %3")
            .arg(difference.chapter)
            .arg(hexOffset(was.recordOffset()), hexOffset(is.recordOffset()));
    case Kind::Added:
        return QStringLiteral("第%1章 的地图现在完整地在文件之内").arg(difference.chapter);
    case Kind::Gone:
        return QStringLiteral("第%1章 的地图已超出文件的末尾").arg(difference.chapter);
    }
    return {};
}

} // namespace app
