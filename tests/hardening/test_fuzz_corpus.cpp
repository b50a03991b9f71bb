#include "FuzzEntries.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <string>

// Replays every committed corpus file, seeds and the inputs of past findings alike,
// through the entry function of its target, so the corpus is checked in every build.
namespace {

QDir corpusFolder(const std::string &target)
{
    return QDir(QStringLiteral(TARVOS_FUZZ_CORPUS "/") + QString::fromStdString(target));
}

class FuzzCorpus : public ::testing::TestWithParam<std::string> {
protected:
    static void SetUpTestSuite() { fuzzing::prepare(); }
};

std::vector<std::string> entryNames()
{
    std::vector<std::string> names;
    for (const fuzzing::Entry &entry : fuzzing::entries())
        names.emplace_back(entry.name);
    return names;
}

} // namespace

TEST_P(FuzzCorpus, EveryFileKeepsEveryRule)
{
    const fuzzing::Entry *entry = fuzzing::findEntry(GetParam());
    ASSERT_NE(entry, nullptr);
    const QDir folder = corpusFolder(GetParam());
    const QStringList files = folder.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    ASSERT_GE(files.size(), 3) << "each target keeps a seed corpus in "
                               << folder.path().toStdString();
    for (const QString &name : files) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        try {
            entry->run(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                       static_cast<std::size_t>(bytes.size()));
        } catch (const fuzzing::Finding &finding) {
            ADD_FAILURE() << name.toStdString() << ": " << finding.what();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzCorpus, ::testing::ValuesIn(entryNames()),
                         [](const auto &param) { return param.param; });

TEST(FuzzCorpusFolders, EachFolderBelongsToATarget)
{
    const QDir root(QStringLiteral(TARVOS_FUZZ_CORPUS));
    const QStringList folders = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    EXPECT_EQ(static_cast<std::size_t>(folders.size()), fuzzing::entries().size());
    for (const QString &folder : folders)
        EXPECT_NE(fuzzing::findEntry(folder.toStdString()), nullptr) << folder.toStdString();
}
