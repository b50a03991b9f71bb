#include "TileNaming.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

// The places a tile folder can be, under one scratch folder: "program/MAP" beside the
// program, "user/tarvos/MAP" in the user's data folder, and "system1/tarvos/MAP" and
// "system2/tarvos/MAP" in the system's, in that order.
struct LocationCase {
    const char *name;
    std::vector<const char *> folders; // made as folders
    std::vector<const char *> files;   // made as plain files, in a folder's place
    const char *expected;
};

class TileFolderLocation : public ::testing::TestWithParam<LocationCase> {
protected:
    void SetUp() override
    {
        m_savedHome = qgetenv("XDG_DATA_HOME");
        m_savedDirs = qgetenv("XDG_DATA_DIRS");
        qputenv("XDG_DATA_HOME", QFile::encodeName(path("user")));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(path("system1") + u':' + path("system2")));
        ASSERT_TRUE(QDir().mkpath(path("program")));
    }
    void TearDown() override
    {
        qputenv("XDG_DATA_HOME", m_savedHome);
        qputenv("XDG_DATA_DIRS", m_savedDirs);
    }
    QString path(const char *relative) const
    {
        return m_root.filePath(QString::fromUtf8(relative));
    }

    QTemporaryDir m_root;

private:
    QByteArray m_savedHome;
    QByteArray m_savedDirs;
};

TEST_P(TileFolderLocation, FirstFolderThatExistsWins)
{
    const LocationCase &c = GetParam();
    for (const char *folder : c.folders)
        ASSERT_TRUE(QDir().mkpath(path(folder)));
    for (const char *file : c.files) {
        QFile plain(path(file));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(plain).path()));
        ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(QDir::cleanPath(core::tileFolder(path("program"))),
              QDir::cleanPath(path(c.expected)));
}

INSTANTIATE_TEST_SUITE_P(
    Lookup, TileFolderLocation,
    ::testing::Values(
        LocationCase{"BesideTheProgramFirst",
                     {"program/MAP", "user/tarvos/MAP", "system1/tarvos/MAP"},
                     {},
                     "program/MAP"},
        LocationCase{"UserBeforeSystem",
                     {"user/tarvos/MAP", "system1/tarvos/MAP", "system2/tarvos/MAP"},
                     {},
                     "user/tarvos/MAP"},
        LocationCase{"SystemFoldersInOrder",
                     {"system1/tarvos/MAP", "system2/tarvos/MAP"},
                     {},
                     "system1/tarvos/MAP"},
        LocationCase{"LastSystemFolder", {"system2/tarvos/MAP"}, {}, "system2/tarvos/MAP"},
        LocationCase{"FilesInAFoldersPlaceAreSkipped",
                     {"system2/tarvos/MAP"},
                     {"program/MAP", "user/tarvos/MAP"},
                     "system2/tarvos/MAP"},
        LocationCase{"DataFolderWithoutMapIsSkipped",
                     {"user/tarvos", "system1/tarvos/MAP"},
                     {},
                     "system1/tarvos/MAP"},
        LocationCase{"NoneFallsBackBesideTheProgram", {"user/tarvos"}, {}, "program/MAP"}),
    [](const auto &test) { return std::string(test.param.name); });

} // namespace
