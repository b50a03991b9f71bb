#include "TextPrinting.h"
#include "TiledJsonMap.h"
#include "TiledTestData.h"
#include "TmxMap.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace formats;
using core::MapGrid;
using namespace cli_testing;

namespace {

// Codes 5, 200, 0 / 255, 16, 10 as global ids with first id 1.
const std::vector<std::uint32_t> kGids{6, 201, 1, 256, 17, 11};
const MapGrid kGrid{3, 2, {5, 200, 0, 255, 16, 10}};

TiledChapter chapterMap()
{
    return TiledChapter{7,
                        QStringLiteral("７章 砂塵の谷"),
                        0x8123,
                        kGrid,
                        {{0, QStringLiteral("MAP/0.bmp"), 16, 16},
                         {5, QStringLiteral("MAP/5.bmp"), 16, 16},
                         {200, QStringLiteral("../tiles/C8.bmp"), 16, 16}}};
}

void expectGrid(const MapParse &parsed, const MapGrid &expected)
{
    ASSERT_TRUE(std::holds_alternative<MapGrid>(parsed))
        << std::get<MapFault>(parsed).message.toStdString();
    EXPECT_EQ(std::get<MapGrid>(parsed), expected);
}

void expectFault(const MapParse &parsed, const QString &message)
{
    ASSERT_TRUE(std::holds_alternative<MapFault>(parsed));
    EXPECT_EQ(std::get<MapFault>(parsed).message, message);
}

struct Layout {
    const char *name;
    QByteArray data;
    friend void PrintTo(const Layout &c, std::ostream *out) { *out << c.name; }
};

class TmxLayerData : public ::testing::TestWithParam<Layout> {};
class JsonLayerData : public ::testing::TestWithParam<Layout> {};

struct BadMap {
    const char *name;
    QByteArray text;
    QString message;
    friend void PrintTo(const BadMap &c, std::ostream *out) { *out << c.name; }
};

class TmxRefusal : public ::testing::TestWithParam<BadMap> {};
class JsonRefusal : public ::testing::TestWithParam<BadMap> {};

} // namespace

TEST(TmxMap, WritesAnOrthogonalMapWithOneCsvLayerAndAnImageCollection)
{
    const QString tmx = QString::fromUtf8(writeTmxMap(chapterMap()));
    for (const char *part :
         {"orientation=\"orthogonal\"",
          "width=\"3\" height=\"2\" tilewidth=\"16\" tileheight=\"16\"", "infinite=\"0\"",
          "<property name=\"chapter\" type=\"int\" value=\"7\"/>",
          "<property name=\"dataOffset\" type=\"int\" value=\"33059\"/>",
          "<tileset firstgid=\"1\" name=\"MAP\" tilewidth=\"16\" tileheight=\"16\" tilecount=\"3\" "
          "columns=\"0\">",
          "<tile id=\"200\">", "<image width=\"16\" height=\"16\" source=\"../tiles/C8.bmp\"/>",
          "<layer id=\"1\" name=\"７章 砂塵の谷\" width=\"3\" height=\"2\">",
          "<data encoding=\"csv\">\n6,201,1,\n256,17,11\n</data>"})
        EXPECT_TRUE(tmx.contains(QString::fromUtf8(part))) << part << "\n" << tmx.toStdString();
}

TEST(TmxMap, ReadsWhatItWrites)
{
    expectGrid(parseTmxMap(writeTmxMap(chapterMap())), kGrid);
}

TEST(TiledJsonMap, WritesTheSameMapInJson)
{
    const QJsonObject root = QJsonDocument::fromJson(writeTiledJsonMap(chapterMap())).object();
    EXPECT_EQ(root[u"type"].toString(), u"map");
    EXPECT_EQ(root[u"orientation"].toString(), u"orthogonal");
    EXPECT_EQ(root[u"width"].toInt(), 3);
    EXPECT_EQ(root[u"height"].toInt(), 2);
    EXPECT_EQ(root[u"tilewidth"].toInt(), 16);
    EXPECT_FALSE(root[u"infinite"].toBool(true));
    const QJsonArray properties = root[u"properties"].toArray();
    ASSERT_EQ(properties.size(), 2);
    EXPECT_EQ(properties[0].toObject()[u"name"].toString(), u"chapter");
    EXPECT_EQ(properties[0].toObject()[u"value"].toInt(), 7);
    EXPECT_EQ(properties[1].toObject()[u"name"].toString(), u"dataOffset");
    EXPECT_EQ(properties[1].toObject()[u"value"].toInt(), 0x8123);
    const QJsonObject tileset = root[u"tilesets"].toArray()[0].toObject();
    EXPECT_EQ(tileset[u"firstgid"].toInt(), 1);
    EXPECT_EQ(tileset[u"columns"].toInt(-1), 0);
    const QJsonObject tile = tileset[u"tiles"].toArray()[2].toObject();
    EXPECT_EQ(tile[u"id"].toInt(), 200);
    EXPECT_EQ(tile[u"image"].toString(), u"../tiles/C8.bmp");
    const QJsonObject layer = root[u"layers"].toArray()[0].toObject();
    EXPECT_EQ(layer[u"type"].toString(), u"tilelayer");
    EXPECT_EQ(layer[u"name"].toString(), u"７章 砂塵の谷");
    EXPECT_EQ(layer[u"data"].toArray(), QJsonArray({6, 201, 1, 256, 17, 11}));
}

TEST(TiledJsonMap, ReadsWhatItWrites)
{
    expectGrid(parseTiledJsonMap(writeTiledJsonMap(chapterMap())), kGrid);
}

TEST_P(TmxLayerData, GivesTheSameCells)
{
    expectGrid(parseTmxMap(tmxWithData(GetParam().data)), kGrid);
}

INSTANTIATE_TEST_SUITE_P(
    TmxMap, TmxLayerData,
    ::testing::Values(
        Layout{"Csv", "<data encoding=\"csv\">\n6,201,1,\n256,17,11\n</data>"},
        Layout{"Base64",
               "<data encoding=\"base64\">\n   " + gidBytes(kGids).toBase64() + "\n  </data>"},
        Layout{"Base64Zlib", "<data encoding=\"base64\" compression=\"zlib\">" +
                                 deflated(gidBytes(kGids), false).toBase64() + "</data>"},
        Layout{"Base64Gzip", "<data encoding=\"base64\" compression=\"gzip\">" +
                                 deflated(gidBytes(kGids), true).toBase64() + "</data>"},
        Layout{"XmlTiles", "<data><tile gid=\"6\"/><tile gid=\"201\"/><tile gid=\"1\"/>"
                           "<tile gid=\"256\"/><tile gid=\"17\"/><tile gid=\"11\"/></data>"}),
    [](const auto &test) { return std::string(test.param.name); });

TEST_P(JsonLayerData, GivesTheSameCells)
{
    expectGrid(parseTiledJsonMap(jsonWithLayer(GetParam().data)), kGrid);
}

INSTANTIATE_TEST_SUITE_P(
    TiledJsonMap, JsonLayerData,
    ::testing::Values(
        Layout{"Array", "\"data\": [6, 201, 1, 256, 17, 11]"},
        Layout{"Base64",
               "\"encoding\": \"base64\", \"data\": \"" + gidBytes(kGids).toBase64() + "\""},
        Layout{"Base64Zlib", "\"encoding\": \"base64\", \"compression\": \"zlib\", \"data\": \"" +
                                 deflated(gidBytes(kGids), false).toBase64() + "\""},
        Layout{"Base64Gzip", "\"encoding\": \"base64\", \"compression\": \"gzip\", \"data\": \"" +
                                 deflated(gidBytes(kGids), true).toBase64() + "\""}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(TmxMap, TilesOfASecondTilesetAreCountedFromItsFirstId)
{
    const QByteArray data = "<data encoding=\"csv\">106,301,101,356,117,111</data>";
    const QByteArray second = " <tileset firstgid=\"101\" source=\"other.tsx\"/>\n";
    expectGrid(parseTmxMap(tmxWithData(data, second)), kGrid);
}

TEST_P(TmxRefusal, NamesTheProblem)
{
    expectFault(parseTmxMap(GetParam().text), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    TmxMap, TmxRefusal,
    ::testing::Values(
        BadMap{"FlippedTile",
               tmxWithData("<data encoding=\"csv\">6,201,1,256,2147483665,11</data>"),
               QStringLiteral("column 2, row 2: flipped or rotated tile")},
        BadMap{"EmptyCell", tmxWithData("<data encoding=\"csv\">6,201,0,256,17,11</data>"),
               QStringLiteral("column 3, row 1: empty cell")},
        BadMap{"IdNotAByte", tmxWithData("<data encoding=\"csv\">6,258,1,256,17,11</data>"),
               QStringLiteral("column 2, row 1: tile id 257 is not a byte (0..255)")},
        BadMap{"BelowEveryTileset",
               tmxWithData("<data encoding=\"csv\">6,201,1,256,17,11</data>", {}, 10),
               QStringLiteral("column 1, row 1: tile 6 belongs to no tileset")},
        BadMap{"TwoTilesets",
               tmxWithData("<data encoding=\"csv\">6,201,1,256,17,311</data>",
                           " <tileset firstgid=\"300\" source=\"other.tsx\"/>\n"),
               QStringLiteral("column 3, row 2: tile from a second tileset (first id 300; the "
                              "map's other cells use first id 1)")},
        BadMap{"FewerCells", tmxWithData("<data encoding=\"csv\">6,201,1,256,17</data>"),
               QStringLiteral("line 5: layer data holds 5 cells, the layer has 6")},
        BadMap{"NotANumber", tmxWithData("<data encoding=\"csv\">6,201,x,256,17,11</data>"),
               QStringLiteral("line 5: cell 3 of the layer data: \"x\" is not a tile id")},
        BadMap{"Zstd", tmxWithData("<data encoding=\"base64\" compression=\"zstd\">AAAA</data>"),
               QStringLiteral("line 5: layer compression \"zstd\" is not supported (use none, "
                              "zlib or gzip)")},
        BadMap{"BadBase64", tmxWithData("<data encoding=\"base64\">@@@@</data>"),
               QStringLiteral("line 5: layer data is not valid base64")},
        BadMap{
            "ShortBase64",
            tmxWithData("<data encoding=\"base64\">" + gidBytes({1, 2, 3}).toBase64() + "</data>"),
            QStringLiteral("line 5: layer data holds 12 bytes, the layer needs 24")},
        BadMap{"CutZlib",
               tmxWithData("<data encoding=\"base64\" compression=\"zlib\">" +
                           deflated(gidBytes(kGids), false).chopped(5).toBase64() + "</data>"),
               QStringLiteral("line 5: zlib data is damaged or cut short")},
        BadMap{"LongZlib",
               tmxWithData("<data encoding=\"base64\" compression=\"zlib\">" +
                           deflated(QByteArray(100000, '\1'), false).toBase64() + "</data>"),
               QStringLiteral("line 5: zlib data holds more than 24 bytes")},
        BadMap{"GzipAsZlib",
               tmxWithData("<data encoding=\"base64\" compression=\"zlib\">" +
                           deflated(gidBytes(kGids), true).toBase64() + "</data>"),
               QStringLiteral("line 5: zlib data is damaged or cut short")},
        BadMap{"BrokenXml", tmxWithData("<data encoding=\"csv\">6,201,1,256,17,11</dat>"),
               QStringLiteral("line 5: Opening and ending tag mismatch.")},
        BadMap{"NotAMap", "<tileset/>",
               QStringLiteral("line 1: not a Tiled map (no <map> element)")},
        BadMap{"Infinite", QByteArray("<map width=\"3\" height=\"2\" infinite=\"1\"/>"),
               QStringLiteral("line 1: infinite maps are not supported; save the map as finite")},
        BadMap{"TooLarge", QByteArray("<map width=\"257\" height=\"2\"/>"),
               QStringLiteral("line 1: map size 257 x 2 is not a chapter's (1..256 cells a side)")},
        BadMap{"NoLayer",
               QByteArray("<map width=\"3\" height=\"2\"><tileset firstgid=\"1\"/></map>"),
               QStringLiteral("the map has no tile layer")},
        BadMap{"TwoLayers",
               tmxWithData("<data encoding=\"csv\">6,201,1,256,17,11</data>",
                           " <layer name=\"y\" width=\"3\" height=\"2\"><data encoding=\"csv\">"
                           "1,1,1,1,1,1</data></layer>\n"),
               QStringLiteral("line 5: more than one tile layer; keep only the chapter's")},
        BadMap{"NoData", tmxWithData("<properties/>"),
               QStringLiteral("line 6: the tile layer has no data")}),
    [](const auto &test) { return std::string(test.param.name); });

TEST_P(JsonRefusal, NamesTheProblem)
{
    expectFault(parseTiledJsonMap(GetParam().text), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    TiledJsonMap, JsonRefusal,
    ::testing::Values(
        BadMap{"FlippedTile", jsonWithLayer("\"data\": [6, 201, 1, 256, 17, 1073741835]"),
               QStringLiteral("column 3, row 2: flipped or rotated tile")},
        BadMap{"EmptyCell", jsonWithLayer("\"data\": [0, 201, 1, 256, 17, 11]"),
               QStringLiteral("column 1, row 1: empty cell")},
        BadMap{"IdNotAByte", jsonWithLayer("\"data\": [6, 201, 1, 1000, 17, 11]"),
               QStringLiteral("column 1, row 2: tile id 999 is not a byte (0..255)")},
        BadMap{"Fraction", jsonWithLayer("\"data\": [6, 201.5, 1, 256, 17, 11]"),
               QStringLiteral("cell 2 of the layer data is not a tile id")},
        BadMap{"Text", jsonWithLayer("\"data\": [6, \"201\", 1, 256, 17, 11]"),
               QStringLiteral("cell 2 of the layer data is not a tile id")},
        BadMap{"FewerCells", jsonWithLayer("\"data\": [6, 201, 1]"),
               QStringLiteral("layer data holds 3 cells, the layer has 6")},
        BadMap{"TextWithoutEncoding", jsonWithLayer("\"data\": \"BgAAAA==\""),
               QStringLiteral("layer data as text needs \"encoding\": \"base64\"")},
        BadMap{"NoData", jsonWithLayer("\"opacity\": 1"),
               QStringLiteral("the tile layer has no data")},
        BadMap{"Chunks", jsonWithLayer("\"chunks\": [], \"data\": []"),
               QStringLiteral("infinite maps are not supported; save the map as finite")},
        BadMap{"Malformed", "{\n \"width\": 3,\n \"height\": 2\n \"layers\": []\n}",
               QStringLiteral("line 4: unterminated object")},
        BadMap{"NotAnObject", "[1, 2]", QStringLiteral("not a Tiled map (no JSON object)")},
        BadMap{"NoSize", "{\"layers\": []}", QStringLiteral("map width or height is not a number")},
        BadMap{"TwoLayers",
               jsonWithLayer("\"data\": [6, 201, 1, 256, 17, 11]}, {\"type\": \"group\", "
                             "\"layers\": [{\"type\": \"tilelayer\"}]"),
               QStringLiteral("more than one tile layer; keep only the chapter's")},
        BadMap{"BadFirstGid",
               "{\"width\": 3, \"height\": 2, \"tilesets\": [{\"firstgid\": 0}], \"layers\": []}",
               QStringLiteral("tileset without a valid firstgid")}),
    [](const auto &test) { return std::string(test.param.name); });
