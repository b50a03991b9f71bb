#include "PlaceNames.h"

#include "MapPlace.h"

namespace app {

namespace {

// A question names this many places at most, then says how many there are.
constexpr qsizetype kPlacesNamed = 10;

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

} // namespace app
