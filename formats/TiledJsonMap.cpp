#include "TiledJsonMap.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace formats {

namespace {

QJsonObject intProperty(const QString &name, int value)
{
    return {{QStringLiteral("name"), name},
            {QStringLiteral("type"), QStringLiteral("int")},
            {QStringLiteral("value"), value}};
}

QJsonObject tileset(const TiledChapter &map)
{
    int tileWidth = kTilePixels;
    int tileHeight = kTilePixels;
    QJsonArray tiles;
    for (const TilesetTile &tile : map.tiles) {
        tileWidth = std::max(tileWidth, tile.width);
        tileHeight = std::max(tileHeight, tile.height);
        tiles.append(QJsonObject{{QStringLiteral("id"), int{tile.code}},
                                 {QStringLiteral("image"), tile.image},
                                 {QStringLiteral("imagewidth"), tile.width},
                                 {QStringLiteral("imageheight"), tile.height}});
    }
    return {{QStringLiteral("columns"), 0},
            {QStringLiteral("firstgid"), static_cast<int>(kFirstGid)},
            {QStringLiteral("grid"),
             QJsonObject{{QStringLiteral("orientation"), QStringLiteral("orthogonal")},
                         {QStringLiteral("width"), 1},
                         {QStringLiteral("height"), 1}}},
            {QStringLiteral("margin"), 0},
            {QStringLiteral("name"), QStringLiteral("MAP")},
            {QStringLiteral("spacing"), 0},
            {QStringLiteral("tilecount"), static_cast<int>(map.tiles.size())},
            {QStringLiteral("tilewidth"), tileWidth},
            {QStringLiteral("tileheight"), tileHeight},
            {QStringLiteral("tiles"), tiles}};
}

} // namespace

QByteArray writeTiledJsonMap(const TiledChapter &map)
{
    QJsonArray data;
    for (const std::uint8_t code : map.grid.codes)
        data.append(static_cast<int>(kFirstGid + code));
    const QJsonObject layer{
        {QStringLiteral("data"), data},    {QStringLiteral("height"), map.grid.height},
        {QStringLiteral("id"), 1},         {QStringLiteral("name"), map.title},
        {QStringLiteral("opacity"), 1},    {QStringLiteral("type"), QStringLiteral("tilelayer")},
        {QStringLiteral("visible"), true}, {QStringLiteral("width"), map.grid.width},
        {QStringLiteral("x"), 0},          {QStringLiteral("y"), 0}};
    const QJsonObject root{{QStringLiteral("compressionlevel"), -1},
                           {QStringLiteral("height"), map.grid.height},
                           {QStringLiteral("infinite"), false},
                           {QStringLiteral("layers"), QJsonArray{layer}},
                           {QStringLiteral("nextlayerid"), 2},
                           {QStringLiteral("nextobjectid"), 1},
                           {QStringLiteral("orientation"), QStringLiteral("orthogonal")},
                           {QStringLiteral("properties"),
                            QJsonArray{intProperty(QStringLiteral("chapter"), map.chapter),
                                       intProperty(QStringLiteral("dataOffset"), map.dataOffset)}},
                           {QStringLiteral("renderorder"), QStringLiteral("right-down")},
                           {QStringLiteral("tileheight"), kTilePixels},
                           {QStringLiteral("tilesets"), QJsonArray{tileset(map)}},
                           {QStringLiteral("tilewidth"), kTilePixels},
                           {QStringLiteral("type"), QStringLiteral("map")},
                           {QStringLiteral("version"), QStringLiteral("1.8")},
                           {QStringLiteral("width"), map.grid.width}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

namespace {

// A JSON number that is a whole number in [low, high].
std::optional<long long> wholeNumber(const QJsonValue &value, double low, double high)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (!(number >= low && number <= high) || std::floor(number) != number)
        return std::nullopt;
    return static_cast<long long>(number);
}

// Tile layers anywhere in the layer tree; group layers hold layers of their own.
void collectTileLayers(const QJsonArray &layers, std::vector<QJsonObject> &found)
{
    for (const QJsonValue &value : layers) {
        const QJsonObject layer = value.toObject();
        const QString type = layer.value(QLatin1StringView("type")).toString();
        if (type == u"tilelayer")
            found.push_back(layer);
        else if (type == u"group")
            collectTileLayers(layer.value(QLatin1StringView("layers")).toArray(), found);
    }
}

std::variant<GidList, QString> layerGids(const QJsonObject &layer, qsizetype count)
{
    const QJsonValue data = layer.value(QLatin1StringView("data"));
    if (data.isString()) {
        if (layer.value(QLatin1StringView("encoding")).toString() != u"base64")
            return QStringLiteral("layer data as text needs \"encoding\": \"base64\"");
        return decodeBase64Gids(data.toString().toUtf8(),
                                layer.value(QLatin1StringView("compression")).toString(), count);
    }
    if (!data.isArray())
        return QStringLiteral("the tile layer has no data");
    const QJsonArray cells = data.toArray();
    if (cells.size() != count)
        return QStringLiteral("layer data holds %1 cells, the layer has %2")
            .arg(cells.size())
            .arg(count);
    GidList gids;
    gids.reserve(static_cast<std::size_t>(count));
    for (const QJsonValue &cell : cells) {
        const auto gid = wholeNumber(cell, 0, 4294967295.0);
        if (!gid)
            return QStringLiteral("cell %1 of the layer data is not a tile id")
                .arg(gids.size() + 1);
        gids.push_back(static_cast<std::uint32_t>(*gid));
    }
    return gids;
}

} // namespace

MapParse parseTiledJsonMap(const QByteArray &text)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError) {
        const qsizetype line = text.left(error.offset).count('\n') + 1;
        return MapFault{QStringLiteral("line %1: %2").arg(line).arg(error.errorString())};
    }
    if (!document.isObject())
        return MapFault{QStringLiteral("not a Tiled map (no JSON object)")};
    const QJsonObject root = document.object();
    if (root.value(QLatin1StringView("infinite")).toBool())
        return MapFault{QStringLiteral("infinite maps are not supported; save the map as finite")};
    const auto width = wholeNumber(root.value(QLatin1StringView("width")), -1e9, 1e9);
    const auto height = wholeNumber(root.value(QLatin1StringView("height")), -1e9, 1e9);
    if (!width || !height)
        return MapFault{QStringLiteral("map width or height is not a number")};
    const auto size = checkMapSize(*width, *height);
    if (const auto *reason = std::get_if<QString>(&size))
        return MapFault{*reason};

    std::vector<std::uint32_t> firstGids;
    for (const QJsonValue &value : root.value(QLatin1StringView("tilesets")).toArray()) {
        const auto firstGid =
            wholeNumber(value.toObject().value(QLatin1StringView("firstgid")), 1, 0x0FFFFFFF);
        if (!firstGid)
            return MapFault{QStringLiteral("tileset without a valid firstgid")};
        firstGids.push_back(static_cast<std::uint32_t>(*firstGid));
    }

    std::vector<QJsonObject> layers;
    collectTileLayers(root.value(QLatin1StringView("layers")).toArray(), layers);
    if (layers.empty())
        return MapFault{QStringLiteral("the map has no tile layer")};
    if (layers.size() > 1)
        return MapFault{QStringLiteral("more than one tile layer; keep only the chapter's")};
    const QJsonObject &layer = layers.front();
    if (layer.contains(QLatin1StringView("chunks")))
        return MapFault{QStringLiteral("infinite maps are not supported; save the map as finite")};
    if (wholeNumber(layer.value(QLatin1StringView("width")), -1e9, 1e9) != width ||
        wholeNumber(layer.value(QLatin1StringView("height")), -1e9, 1e9) != height)
        return MapFault{QStringLiteral("the layer's size differs from the map's")};

    auto gids = layerGids(layer, *width * *height);
    if (const auto *reason = std::get_if<QString>(&gids))
        return MapFault{*reason};
    return cellsFromGids(std::get<GidList>(gids), static_cast<int>(*width),
                         static_cast<int>(*height), firstGids);
}

} // namespace formats
