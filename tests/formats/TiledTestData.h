#pragma once

#include <QByteArray>
#include <QString>

#include <zlib.h>

#include <cstdint>
#include <vector>

namespace cli_testing {

// Global tile ids as Tiled stores them in binary layer data: 32 bits, little endian.
inline QByteArray gidBytes(const std::vector<std::uint32_t> &gids)
{
    QByteArray bytes;
    for (const std::uint32_t gid : gids)
        for (int shift = 0; shift < 32; shift += 8)
            bytes += static_cast<char>(gid >> shift & 0xFF);
    return bytes;
}

// zlib (windowBits 15) or gzip (15 + 16) of `bytes`, as Tiled compresses layer data.
inline QByteArray deflated(const QByteArray &bytes, bool gzip)
{
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, gzip ? 31 : 15, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(static_cast<qsizetype>(deflateBound(&stream, static_cast<uLong>(bytes.size()))),
                   '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(bytes.constData()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.truncate(static_cast<qsizetype>(stream.total_out));
    deflateEnd(&stream);
    return out;
}

// A finite 3 x 2 Tiled XML map with one tileset (first id `firstGid`) and the given data.
inline QByteArray tmxWithData(const QByteArray &data, const QByteArray &more = {}, int firstGid = 1)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<map version=\"1.8\" orientation=\"orthogonal\" renderorder=\"right-down\" "
           "width=\"3\" height=\"2\" tilewidth=\"16\" tileheight=\"16\" infinite=\"0\">\n"
           " <tileset firstgid=\"" +
           QByteArray::number(firstGid) +
           "\" name=\"MAP\" tilewidth=\"16\" tileheight=\"16\" tilecount=\"0\" columns=\"0\"/>\n" +
           more + " <layer id=\"1\" name=\"x\" width=\"3\" height=\"2\">\n  " + data +
           "\n </layer>\n</map>\n";
}

// The same map in Tiled's JSON form; `layer` holds the layer's data members.
inline QByteArray jsonWithLayer(const QByteArray &layer, const QByteArray &more = {})
{
    return "{\n \"type\": \"map\", \"orientation\": \"orthogonal\", \"infinite\": false,\n"
           " \"width\": 3, \"height\": 2, \"tilewidth\": 16, \"tileheight\": 16,\n"
           " \"tilesets\": [{\"firstgid\": 1, \"name\": \"MAP\"}]" +
           more +
           ",\n \"layers\": [{\"type\": \"tilelayer\", \"name\": \"x\", \"width\": 3, "
           "\"height\": 2, " +
           layer + "}]\n}\n";
}

} // namespace cli_testing
