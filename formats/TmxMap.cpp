#include "TmxMap.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>

namespace formats {

namespace {

QString number(long long value)
{
    return QString::number(value);
}

void writeProperty(QXmlStreamWriter &xml, const QString &name, long long value)
{
    xml.writeStartElement(QStringLiteral("property"));
    xml.writeAttribute(QStringLiteral("name"), name);
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("int"));
    xml.writeAttribute(QStringLiteral("value"), number(value));
    xml.writeEndElement();
}

// Tiled's own CSV layout: one line per row, every row but the last ends in a comma.
QString csvLayerText(const core::MapGrid &grid)
{
    QString text = QStringLiteral("\n");
    for (int row = 1; row <= grid.height; ++row) {
        for (int column = 1; column <= grid.width; ++column) {
            text += number(kFirstGid + grid.at(core::Cell{column, row}));
            if (column < grid.width || row < grid.height)
                text += u',';
        }
        text += u'\n';
    }
    return text;
}

} // namespace

QByteArray writeTmxMap(const TiledChapter &map)
{
    int tileWidth = kTilePixels;
    int tileHeight = kTilePixels;
    for (const TilesetTile &tile : map.tiles) {
        tileWidth = std::max(tileWidth, tile.width);
        tileHeight = std::max(tileHeight, tile.height);
    }

    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("map"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.8"));
    xml.writeAttribute(QStringLiteral("orientation"), QStringLiteral("orthogonal"));
    xml.writeAttribute(QStringLiteral("renderorder"), QStringLiteral("right-down"));
    xml.writeAttribute(QStringLiteral("width"), number(map.grid.width));
    xml.writeAttribute(QStringLiteral("height"), number(map.grid.height));
    xml.writeAttribute(QStringLiteral("tilewidth"), number(kTilePixels));
    xml.writeAttribute(QStringLiteral("tileheight"), number(kTilePixels));
    xml.writeAttribute(QStringLiteral("infinite"), QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("nextlayerid"), QStringLiteral("2"));
    xml.writeAttribute(QStringLiteral("nextobjectid"), QStringLiteral("1"));

    xml.writeStartElement(QStringLiteral("properties"));
    writeProperty(xml, QStringLiteral("chapter"), map.chapter);
    writeProperty(xml, QStringLiteral("dataOffset"), map.dataOffset);
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("tileset"));
    xml.writeAttribute(QStringLiteral("firstgid"), number(kFirstGid));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("MAP"));
    xml.writeAttribute(QStringLiteral("tilewidth"), number(tileWidth));
    xml.writeAttribute(QStringLiteral("tileheight"), number(tileHeight));
    xml.writeAttribute(QStringLiteral("tilecount"),
                       number(static_cast<long long>(map.tiles.size())));
    xml.writeAttribute(QStringLiteral("columns"), QStringLiteral("0"));
    xml.writeEmptyElement(QStringLiteral("grid"));
    xml.writeAttribute(QStringLiteral("orientation"), QStringLiteral("orthogonal"));
    xml.writeAttribute(QStringLiteral("width"), QStringLiteral("1"));
    xml.writeAttribute(QStringLiteral("height"), QStringLiteral("1"));
    for (const TilesetTile &tile : map.tiles) {
        xml.writeStartElement(QStringLiteral("tile"));
        xml.writeAttribute(QStringLiteral("id"), number(tile.code));
        xml.writeEmptyElement(QStringLiteral("image"));
        xml.writeAttribute(QStringLiteral("width"), number(tile.width));
        xml.writeAttribute(QStringLiteral("height"), number(tile.height));
        xml.writeAttribute(QStringLiteral("source"), tile.image);
        xml.writeEndElement();
    }
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("layer"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("1"));
    xml.writeAttribute(QStringLiteral("name"), map.title);
    xml.writeAttribute(QStringLiteral("width"), number(map.grid.width));
    xml.writeAttribute(QStringLiteral("height"), number(map.grid.height));
    xml.writeStartElement(QStringLiteral("data"));
    xml.writeAttribute(QStringLiteral("encoding"), QStringLiteral("csv"));
    xml.writeCharacters(csvLayerText(map.grid));
    xml.writeEndElement();
    xml.writeEndElement();

    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

namespace {

// Reads one map element's tile layer; faults carry the line they were found on.
class TmxReader {
public:
    explicit TmxReader(const QByteArray &text) : m_xml(text) {}

    MapParse read();

private:
    MapFault fault(const QString &reason) const
    {
        return MapFault{QStringLiteral("line %1: %2").arg(m_xml.lineNumber()).arg(reason)};
    }
    long long intAttribute(const QString &name, long long fallback, bool &ok) const;
    std::optional<MapFault> readLayerData(int width, int height, GidList &gids);
    std::optional<MapFault> readXmlTiles(qsizetype count, GidList &gids);

    QXmlStreamReader m_xml;
};

long long TmxReader::intAttribute(const QString &name, long long fallback, bool &ok) const
{
    const QStringView value = m_xml.attributes().value(name);
    if (value.isNull())
        return fallback;
    bool parsed = false;
    const long long result = value.toLongLong(&parsed);
    ok = ok && parsed;
    return result;
}

MapParse TmxReader::read()
{
    if (!m_xml.readNextStartElement() || m_xml.name() != u"map")
        return m_xml.hasError() ? fault(m_xml.errorString())
                                : fault(QStringLiteral("not a Tiled map (no <map> element)"));
    bool ok = true;
    const long long width = intAttribute(QStringLiteral("width"), 0, ok);
    const long long height = intAttribute(QStringLiteral("height"), 0, ok);
    if (!ok)
        return fault(QStringLiteral("map width or height is not a number"));
    if (m_xml.attributes().value(QStringLiteral("infinite")) == u"1")
        return fault(QStringLiteral("infinite maps are not supported; save the map as finite"));
    const auto size = checkMapSize(width, height);
    if (const auto *reason = std::get_if<QString>(&size))
        return fault(*reason);

    std::vector<std::uint32_t> firstGids;
    GidList gids;
    int layers = 0;
    while (!m_xml.atEnd()) {
        if (m_xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (m_xml.name() == u"tileset") {
            const long long firstGid = intAttribute(QStringLiteral("firstgid"), -1, ok);
            if (!ok || firstGid < 1 || firstGid > 0x0FFFFFFF)
                return fault(QStringLiteral("tileset without a valid firstgid"));
            firstGids.push_back(static_cast<std::uint32_t>(firstGid));
        } else if (m_xml.name() == u"layer") {
            if (++layers > 1)
                return fault(QStringLiteral("more than one tile layer; keep only the chapter's"));
            const long long layerWidth = intAttribute(QStringLiteral("width"), width, ok);
            const long long layerHeight = intAttribute(QStringLiteral("height"), height, ok);
            if (!ok || layerWidth != width || layerHeight != height)
                return fault(QStringLiteral("the layer's size differs from the map's"));
            if (auto failure =
                    readLayerData(static_cast<int>(width), static_cast<int>(height), gids))
                return *failure;
        }
    }
    if (m_xml.hasError())
        return fault(m_xml.errorString());
    if (layers == 0)
        return MapFault{QStringLiteral("the map has no tile layer")};
    return cellsFromGids(gids, static_cast<int>(width), static_cast<int>(height), firstGids);
}

std::optional<MapFault> TmxReader::readLayerData(int width, int height, GidList &gids)
{
    const qsizetype count = qsizetype{width} * height;
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() != u"data") {
            m_xml.skipCurrentElement();
            continue;
        }
        const QString encoding = m_xml.attributes().value(QStringLiteral("encoding")).toString();
        const QString compression =
            m_xml.attributes().value(QStringLiteral("compression")).toString();
        if (encoding.isEmpty()) {
            if (!compression.isEmpty())
                return fault(QStringLiteral("compressed layer data needs base64 encoding"));
            return readXmlTiles(count, gids);
        }
        const QByteArray text =
            m_xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement).toUtf8();
        if (m_xml.hasError())
            return fault(m_xml.errorString());
        std::variant<GidList, QString> decoded;
        if (encoding == u"csv" && compression.isEmpty())
            decoded = decodeCsvGids(text, count);
        else if (encoding == u"base64")
            decoded = decodeBase64Gids(text, compression, count);
        else
            return fault(QStringLiteral("layer data encoding \"%1\" is not supported")
                             .arg(encoding.left(20)));
        if (const auto *reason = std::get_if<QString>(&decoded))
            return fault(*reason);
        gids = std::get<GidList>(std::move(decoded));
        m_xml.skipCurrentElement();
        return std::nullopt;
    }
    if (m_xml.hasError())
        return fault(m_xml.errorString());
    return fault(QStringLiteral("the tile layer has no data"));
}

// The oldest layout: one <tile gid="..."/> per cell, a missing gid meaning an empty cell.
std::optional<MapFault> TmxReader::readXmlTiles(qsizetype count, GidList &gids)
{
    gids.clear();
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() != u"tile")
            return fault(
                QStringLiteral("unexpected <%1> in layer data").arg(m_xml.name().left(20)));
        if (static_cast<qsizetype>(gids.size()) == count)
            return fault(QStringLiteral("layer data holds more than %1 cells").arg(count));
        bool ok = true;
        const long long gid = intAttribute(QStringLiteral("gid"), 0, ok);
        if (!ok || gid < 0 || gid > 0xFFFFFFFFll)
            return fault(
                QStringLiteral("cell %1 of the layer data is not a tile id").arg(gids.size() + 1));
        gids.push_back(static_cast<std::uint32_t>(gid));
        m_xml.skipCurrentElement();
    }
    if (m_xml.hasError())
        return fault(m_xml.errorString());
    if (static_cast<qsizetype>(gids.size()) != count)
        return fault(QStringLiteral("layer data holds %1 cells, the layer has %2")
                         .arg(gids.size())
                         .arg(count));
    m_xml.skipCurrentElement();
    return std::nullopt;
}

} // namespace

MapParse parseTmxMap(const QByteArray &text)
{
    return TmxReader(text).read();
}

} // namespace formats
