// Saves through symbolic and hard links, and of files whose file or folder is gone: the bytes
// must reach the file the user's path finally names, and every other name must keep
// showing it.

#include "CartridgeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <ostream>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace core;
using namespace fileio;
namespace fs = std::filesystem;

namespace {

const QByteArray kLinkedOld(300, 'o');
const QByteArray kLinkedNew = QByteArray(150, 'n') + QByteArray(150, 'o');

void writeFile(const fs::path &path, const QByteArray &bytes)
{
    QFile file(QString::fromStdString(path.string()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readFile(const fs::path &path)
{
    QFile file(QString::fromStdString(path.string()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct LinkCase {
    const char *name;
    // Lays out the files under the root; the image is saved through "open.nes".
    std::function<void(const fs::path &root)> layOut;
    std::vector<const char *> holdNew;      // names that read the new bytes afterwards
    std::vector<const char *> links;        // names that are still symbolic links
    std::vector<const char *> holdOld = {}; // names that must keep the old bytes
};

void PrintTo(const LinkCase &c, std::ostream *out)
{
    *out << c.name;
}

const LinkCase kCases[] = {
    {"SymbolicLink",
     [](const fs::path &root) {
         writeFile(root / "real.nes", kLinkedOld);
         fs::create_symlink("real.nes", root / "open.nes");
     },
     {"real.nes", "open.nes"},
     {"open.nes"}},
    {"ChainOfLinksAcrossFolders",
     [](const fs::path &root) {
         fs::create_directories(root / "a");
         fs::create_directories(root / "b");
         writeFile(root / "a" / "real.nes", kLinkedOld);
         fs::create_symlink(root / "b" / "middle.nes", root / "open.nes");
         fs::create_symlink("../a/real.nes", root / "b" / "middle.nes");
     },
     {"a/real.nes", "open.nes"},
     {"open.nes", "b/middle.nes"}},
    {"DanglingLink",
     [](const fs::path &root) { fs::create_symlink("gone.nes", root / "open.nes"); },
     {"gone.nes", "open.nes"},
     {"open.nes"}},
    {"HardLink",
     [](const fs::path &root) {
         writeFile(root / "open.nes", kLinkedOld);
         fs::create_hard_link(root / "open.nes", root / "other.nes");
     },
     {"open.nes", "other.nes"},
     {}},
    {"RemovedFile", [](const fs::path &) {}, {"open.nes"}, {}},
    // ".." after a linked folder goes up from where the link leads, not back to the link's
    // own folder.
    {"DotDotAfterALinkedFolder",
     [](const fs::path &root) {
         fs::create_directories(root / "a");
         fs::create_directories(root / "real" / "sub");
         writeFile(root / "real" / "game.nes", kLinkedOld);
         writeFile(root / "a" / "game.nes", kLinkedOld);
         fs::create_symlink("../real/sub", root / "a" / "linkdir");
         fs::create_symlink("linkdir/../game.nes", root / "a" / "link.nes");
         fs::create_symlink("a/link.nes", root / "open.nes");
     },
     {"real/game.nes", "open.nes", "a/link.nes"},
     {"open.nes", "a/link.nes", "a/linkdir"},
     {"a/game.nes"}},
};

class SaveFolders : public ::testing::Test {
protected:
    QTemporaryDir dir;
    const fs::path root = fs::path(QFile::encodeName(dir.path()).toStdString());
    const QString image = dir.filePath(QStringLiteral("open.nes"));
};

class SaveThroughLinks : public SaveFolders, public ::testing::WithParamInterface<LinkCase> {};

} // namespace

TEST_P(SaveThroughLinks, ReachTheFileTheLinksName)
{
    const LinkCase &c = GetParam();
    c.layOut(root);
    ASSERT_FALSE(writeCartridge(diskFileOperations(), image, kLinkedNew));

    for (const char *name : c.holdNew) {
        EXPECT_EQ(readFile(root / name), kLinkedNew) << name;
        // One file under every name, none split off.
        EXPECT_TRUE(fs::equivalent(root / c.holdNew.front(), root / name)) << name;
    }
    for (const char *name : c.links)
        EXPECT_TRUE(fs::is_symlink(root / name)) << name;
    for (const char *name : c.holdOld)
        EXPECT_EQ(readFile(root / name), kLinkedOld) << name;
    // No new file is left beside any of them.
    for (const auto &entry : fs::recursive_directory_iterator(root))
        EXPECT_NE(entry.path().filename().string().front(), '.') << entry.path();
}

INSTANTIATE_TEST_SUITE_P(EveryLayout, SaveThroughLinks, ::testing::ValuesIn(kCases),
                         [](const auto &param) { return std::string(param.param.name); });

TEST_F(SaveFolders, ARemovedFolderOrALoopOfLinksIsRefused)
{
    const QString inGone = dir.filePath(QStringLiteral("gone/open.nes"));
    const auto gone = writeCartridge(diskFileOperations(), inGone, kLinkedNew);
    ASSERT_TRUE(gone);
    EXPECT_EQ(gone->error.code, ENOENT);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("gone"))));

    fs::create_symlink("b.nes", root / "a.nes");
    fs::create_symlink("a.nes", root / "b.nes");
    const auto loop =
        writeCartridge(diskFileOperations(), dir.filePath(QStringLiteral("a.nes")), kLinkedNew);
    ASSERT_TRUE(loop);
    EXPECT_EQ(loop->error.code, ELOOP);
}

#if defined(Q_OS_UNIX)
TEST_F(SaveFolders, TheFileKeepsItsOwnerGroupAndPermissions)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only an administrator may give a file to another owner";
    writeFile(root / "open.nes", kLinkedOld);
    const QByteArray encoded = QFile::encodeName(image);
    ASSERT_EQ(::chown(encoded.constData(), 4321, 8765), 0);
    ASSERT_EQ(::chmod(encoded.constData(), 0640), 0);

    ASSERT_FALSE(writeCartridge(diskFileOperations(), image, kLinkedNew));
    struct stat after;
    ASSERT_EQ(::stat(encoded.constData(), &after), 0);
    EXPECT_EQ(after.st_uid, 4321u);
    EXPECT_EQ(after.st_gid, 8765u);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(readFile(root / "open.nes"), kLinkedNew);
}
#endif
