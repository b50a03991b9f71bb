#include "TiledMap.h"

#include "Inflate.h"

#include <QList>

#include <algorithm>

namespace formats {

namespace {

// Tiled keeps a tile's flips and hexagonal rotation in the top four bits of its id.
constexpr std::uint32_t kFlipFlags = 0xF0000000u;

QString cellName(qsizetype index, int width)
{
    return QStringLiteral("column %1, row %2").arg(index % width + 1).arg(index / width + 1);
}

} // namespace

std::variant<GidList, QString> decodeCsvGids(const QByteArray &text, qsizetype count)
{
    const QList<QByteArray> fields = text.trimmed().split(',');
    if (fields.size() != count)
        return QStringLiteral("layer data holds %1 cells, the layer has %2")
            .arg(fields.size())
            .arg(count);
    GidList gids;
    gids.reserve(static_cast<std::size_t>(count));
    for (const QByteArray &field : fields) {
        bool ok = false;
        const QByteArray number = field.trimmed();
        const std::uint32_t gid = number.toUInt(&ok);
        if (!ok || number.isEmpty() || number[0] < '0' || number[0] > '9')
            return QStringLiteral("cell %1 of the layer data: \"%2\" is not a tile id")
                .arg(gids.size() + 1)
                .arg(QString::fromUtf8(number.left(20)));
        gids.push_back(gid);
    }
    return gids;
}

std::variant<GidList, QString> decodeBase64Gids(const QByteArray &text, const QString &compression,
                                                qsizetype count)
{
    QByteArray compact = text;
    compact.removeIf([](char ch) { return ch == ' ' || ch == '\n' || ch == '\r' || ch == '\t'; });
    const auto decoded =
        QByteArray::fromBase64Encoding(compact, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return QStringLiteral("layer data is not valid base64");
    QByteArray bytes = *decoded;
    const qsizetype expected = count * 4;
    if (!compression.isEmpty()) {
        Compression kind;
        if (compression == u"zlib")
            kind = Compression::Zlib;
        else if (compression == u"gzip")
            kind = Compression::Gzip;
        else
            return QStringLiteral("layer compression \"%1\" is not supported (use none, zlib or "
                                  "gzip)")
                .arg(compression.left(20));
        auto inflated = inflateExactly(bytes, kind, expected);
        if (const auto *reason = std::get_if<QString>(&inflated))
            return *reason;
        bytes = std::get<QByteArray>(std::move(inflated));
    }
    if (bytes.size() != expected)
        return QStringLiteral("layer data holds %1 bytes, the layer needs %2")
            .arg(bytes.size())
            .arg(expected);
    GidList gids(static_cast<std::size_t>(count));
    const auto *raw = reinterpret_cast<const unsigned char *>(bytes.constData());
    for (std::size_t i = 0; i < gids.size(); ++i)
        gids[i] = std::uint32_t{raw[4 * i]} | std::uint32_t{raw[4 * i + 1]} << 8 |
                  std::uint32_t{raw[4 * i + 2]} << 16 | std::uint32_t{raw[4 * i + 3]} << 24;
    return gids;
}

MapParse cellsFromGids(const GidList &gids, int width, int height,
                       const std::vector<std::uint32_t> &firstGids)
{
    core::MapGrid grid{width, height, {}};
    grid.codes.reserve(gids.size());
    std::vector<std::uint32_t> sorted = firstGids;
    std::sort(sorted.begin(), sorted.end());
    std::optional<std::uint32_t> usedTileset;
    for (std::size_t i = 0; i < gids.size(); ++i) {
        const std::uint32_t gid = gids[i];
        const QString cell = cellName(static_cast<qsizetype>(i), width);
        if (gid & kFlipFlags)
            return MapFault{cell + QStringLiteral(": flipped or rotated tile")};
        if (gid == 0)
            return MapFault{cell + QStringLiteral(": empty cell")};
        const auto after = std::upper_bound(sorted.begin(), sorted.end(), gid);
        if (after == sorted.begin())
            return MapFault{cell + QStringLiteral(": tile %1 belongs to no tileset").arg(gid)};
        const std::uint32_t firstGid = *(after - 1);
        if (usedTileset && *usedTileset != firstGid)
            return MapFault{cell + QStringLiteral(": tile from a second tileset (first id %1; "
                                                  "the map's other cells use first id %2)")
                                       .arg(firstGid)
                                       .arg(*usedTileset)};
        usedTileset = firstGid;
        const std::uint32_t id = gid - firstGid;
        if (id > 255)
            return MapFault{cell + QStringLiteral(": tile id %1 is not a byte (0..255)").arg(id)};
        grid.codes.push_back(static_cast<std::uint8_t>(id));
    }
    if (grid.codes.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return MapFault{QStringLiteral("layer holds %1 cells, the map has %2 x %3")
                            .arg(grid.codes.size())
                            .arg(width)
                            .arg(height)};
    return grid;
}

std::variant<std::monostate, QString> checkMapSize(long long width, long long height)
{
    if (width < 1 || height < 1 || width > core::kMaxMapSide || height > core::kMaxMapSide)
        return QStringLiteral("map size %1 x %2 is not a chapter's (1..%3 cells a side)")
            .arg(width)
            .arg(height)
            .arg(core::kMaxMapSide);
    return std::monostate{};
}

} // namespace formats
