#include "../support/DialogScript.h"
#include "../support/SyntheticImage.h"
#include "CommandOutput.h"
#include "Commands.h"
#include "ImageControl.h"
#include "TileFolder.h"
#include "TileNaming.h"
#include "frmMap.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>

using testing_support::DialogScript;

namespace {

QByteArray bitmapBytes(QRgb colour)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// A bitmap whose header declares the given size over a handful of pixel bytes.
QByteArray declaredBitmap(std::int32_t width, std::int32_t height)
{
    QByteArray bytes = bitmapBytes(qRgb(1, 2, 3));
    qToLittleEndian<std::int32_t>(width, bytes.data() + 18);
    qToLittleEndian<std::int32_t>(height, bytes.data() + 22);
    return bytes;
}

// Builds one hostile program folder and says which names the palette must show.
struct TileFolderCase {
    const char *name;
    std::function<void(const QDir &program)> make;
    std::function<QStringList()> shown;
};

void PrintTo(const TileFolderCase &c, std::ostream *out)
{
    *out << c.name;
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QDir mapFolder(const QDir &program)
{
    program.mkpath(QStringLiteral("MAP"));
    return QDir(program.filePath(QStringLiteral("MAP")));
}

QStringList inListingOrder(QStringList names)
{
    std::sort(names.begin(), names.end(), &core::TileFolder::listsBefore);
    return names;
}

QStringList threeHundredNames()
{
    QStringList names;
    for (int i = 0; i < 300; ++i)
        names << QStringLiteral("%1 tile %2.bmp").arg(i % 256, 2, 16, QChar(u'0')).arg(i);
    return names;
}

const TileFolderCase kCases[] = {
    {"NoFolder", [](const QDir &) {}, [] { return QStringList(); }},
    {"FolderIsAFile",
     [](const QDir &program) {
         write(program.filePath(QStringLiteral("MAP")), bitmapBytes(qRgb(9, 9, 9)));
     },
     [] { return QStringList(); }},
    {"EmptyFolder", [](const QDir &program) { mapFolder(program); }, [] { return QStringList(); }},
    {"ThreeHundredBitmaps",
     [](const QDir &program) {
         const QDir map = mapFolder(program);
         const QStringList names = threeHundredNames();
         for (int i = 0; i < names.size(); ++i)
             write(map.filePath(names[i]), bitmapBytes(qRgb(i % 256, 7, 7)));
     },
     [] { return inListingOrder(threeHundredNames()).mid(0, 105); }},
    {"HiddenFiles",
     [](const QDir &program) {
         const QDir map = mapFolder(program);
         write(map.filePath(QStringLiteral(".C8.bmp")), bitmapBytes(qRgb(1, 1, 1)));
         write(map.filePath(QStringLiteral(".bmp")), bitmapBytes(qRgb(1, 1, 1)));
         write(map.filePath(QStringLiteral("C9.bmp")), bitmapBytes(qRgb(2, 2, 2)));
     },
     [] { return QStringList{QStringLiteral("C9.bmp")}; }},
    {"SubFoldersNamedBmp",
     [](const QDir &program) {
         const QDir map = mapFolder(program);
         map.mkpath(QStringLiteral("C8.bmp"));
         write(map.filePath(QStringLiteral("C8.bmp/C8.bmp")), bitmapBytes(qRgb(1, 1, 1)));
         map.mkpath(QStringLiteral("0.BMP"));
         write(map.filePath(QStringLiteral("C9.bmp")), bitmapBytes(qRgb(2, 2, 2)));
     },
     [] { return QStringList{QStringLiteral("C9.bmp")}; }},
    {"NotBitmaps",
     [](const QDir &program) {
         const QDir map = mapFolder(program);
         write(map.filePath(QStringLiteral("C8.bmp")), "hello, tiles");
         write(map.filePath(QStringLiteral("C9.bmp")), QByteArray());
         write(map.filePath(QStringLiteral("CA.bmp")), QByteArray("\x89PNG\r\n\x1a\n", 8));
         write(map.filePath(QStringLiteral("CB.bmp")), QByteArray(5000, '\xFF'));
         write(map.filePath(QStringLiteral("CC.bmp")), bitmapBytes(qRgb(2, 2, 2)));
     },
     [] { return QStringList{QStringLiteral("CC.bmp")}; }},
    {"TruncatedBitmaps",
     [](const QDir &program) {
         const QDir map = mapFolder(program);
         const QByteArray whole = bitmapBytes(qRgb(3, 3, 3));
         const qsizetype lengths[] = {2, 14, 30, 54, whole.size() - 1};
         for (int i = 0; i < 5; ++i)
             write(map.filePath(QStringLiteral("C%1.bmp").arg(i)), whole.left(lengths[i]));
         write(map.filePath(QStringLiteral("D0.bmp")), whole);
     },
     [] { return QStringList{QStringLiteral("D0.bmp")}; }},
    {"OversizedBitmaps",
     [](const QDir &program) {
         const QDir map = mapFolder(program);
         write(map.filePath(QStringLiteral("C1.bmp")), declaredBitmap(16385, 1));
         write(map.filePath(QStringLiteral("C2.bmp")), declaredBitmap(1, -16385));
         write(map.filePath(QStringLiteral("C3.bmp")), declaredBitmap(20000, 20000));
         write(map.filePath(QStringLiteral("C4.bmp")), declaredBitmap(16384, 16384));
         write(map.filePath(QStringLiteral("C5.bmp")), declaredBitmap(-16, 16));
         write(map.filePath(QStringLiteral("D0.bmp")), bitmapBytes(qRgb(4, 4, 4)));
     },
     [] { return QStringList{QStringLiteral("D0.bmp")}; }},
    {"AwkwardNames",
     [](const QDir &program) {
         const QDir map = mapFolder(program);
         // Joined by hand: QDir::filePath would take ":C9.bmp" for a resource path.
         for (const char16_t *name : {u"C8 grass.bmp", u"c9.bmp", u"CA.BMP", u"草地.bmp",
                                      u"ä b.Bmp", u" C8.bmp", u":C9.bmp"})
             write(map.path() + u'/' + QString::fromUtf16(name), bitmapBytes(qRgb(5, 5, 5)));
     },
     [] {
         return QStringList{QStringLiteral(" C8.bmp"),      QStringLiteral(":C9.bmp"),
                            QStringLiteral("C8 grass.bmp"), QStringLiteral("c9.bmp"),
                            QStringLiteral("CA.BMP"),       QStringLiteral("ä b.Bmp"),
                            QStringLiteral("草地.bmp")};
     }},
};

class BadTileFolders : public ::testing::TestWithParam<TileFolderCase> {
protected:
    QTemporaryDir dir;
    DialogScript dialogs;
};

} // namespace

TEST_P(BadTileFolders, TheEditorStartsShowsWhatItCanAndEditsOn)
{
    const TileFolderCase &c = GetParam();
    const QDir program(dir.path());
    c.make(program);

    app::frmMap window(dir.path());
    const QStringList shown = c.shown();
    for (std::size_t i = 0; i < core::TileNames().size(); ++i)
        EXPECT_EQ(window.tileNames()[i],
                  i < std::size_t(shown.size()) ? shown[qsizetype(i)] : QString())
            << i;
    EXPECT_EQ(window.CurrentTile(), 200);
    // img shows tile 200, or its missing-tile picture.
    EXPECT_TRUE(
        qobject_cast<host::ImageControl *>(window.control(QStringLiteral("img")))->hasImage());

    // Every palette cell: a tile whose name gives a code chooses it, anything else nothing.
    for (int i = 0; i < 105; ++i) {
        const std::uint8_t before = window.CurrentTile();
        window.toolpic_MouseDown(1, 0, float(360 * (i % 5) + 100), float(360 * (i / 5) + 100));
        const auto code = core::paletteTileCode(i < shown.size() ? shown[i] : QString());
        EXPECT_EQ(window.CurrentTile(), code ? *code : before) << i;
    }

    // The map view draws with that folder, and edits go to the cell's byte.
    const QString image = program.filePath(QStringLiteral("a.nes"));
    write(image, testing_support::standardSyntheticImage());
    dialogs.chosenPaths << image;
    window.ucButton3_Click();
    auto *list = qobject_cast<QListWidget *>(window.control(QStringLiteral("List1")));
    for (int chapter : {1, 0}) {
        list->setCurrentRow(chapter);
        const core::ChapterMap &entry = window.Chapters()[std::size_t(chapter)];
        const float x = float(240 * entry.Width);
        const float y = float(240 * entry.Height);
        window.mPic_MouseDown(1, 0, x, y);
        window.mPic_MouseDown(2, 0, x, y);
        EXPECT_EQ(std::uint8_t(window.RomData()[entry.DataOffset + entry.Width * entry.Height]),
                  window.CurrentTile());
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Folders, BadTileFolders, ::testing::ValuesIn(kCases),
                         [](const auto &param) { return std::string(param.param.name); });

// The command-line export draws with the same tile folder: every chapter, a picture for
// each, whatever the folder holds (a missing bitmap is drawn as its code).
TEST_P(BadTileFolders, TheCommandLineExportDrawsEveryChapter)
{
    const TileFolderCase &c = GetParam();
    const QDir program(dir.path());
    c.make(program);
    const QString image = program.filePath(QStringLiteral("a.nes"));
    write(image, testing_support::standardSyntheticImage());
    const QString out = program.filePath(QStringLiteral("out"));

    QString printed;
    QString errors;
    QTextStream outStream(&printed);
    QTextStream errStream(&errors);
    cli::CommandOutput io{outStream, errStream};
    const int status = cli::runTool({QStringLiteral("tarvos-cli"), QStringLiteral("export"), image,
                                     QStringLiteral("--all"), out, QStringLiteral("--format"),
                                     QStringLiteral("png"), QStringLiteral("--tiles"),
                                     program.filePath(QStringLiteral("MAP"))},
                                    io);
    errStream.flush();
    // A tile folder named on the command line that is no folder is refused, by name.
    if (!QFileInfo(program.filePath(QStringLiteral("MAP"))).isDir()) {
        EXPECT_EQ(status, cli::kRefused);
        EXPECT_TRUE(errors.contains(QStringLiteral("MAP"))) << errors.toStdString();
        EXPECT_TRUE(QDir(out).entryList(QDir::Files).isEmpty());
        return;
    }
    ASSERT_EQ(status, cli::kSuccess) << errors.toStdString();
    const QStringList pictures = QDir(out).entryList({QStringLiteral("*.png")}, QDir::Files);
    ASSERT_EQ(pictures.size(), 25);
    for (const QString &name : pictures)
        EXPECT_FALSE(QImage(QDir(out).filePath(name)).isNull()) << name.toStdString();
}
