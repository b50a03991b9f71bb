// The edits a stopped editor left in its recovery journal: recover writes them over the image
// only where the file is as the journal began, --output anywhere, --discard drops them, and
// --list names every journal.

#include "Cartridge.h"
#include "CliFixture.h"
#include "RecoveryJournal.h"
#include "SyntheticImage.h"

#include <QFileInfo>

#include <functional>

using namespace cli_testing;
using fileio::JournalStep;

namespace {

struct Case {
    const char *what;
    bool fileChanged; // another program wrote the image after the journal began
    // The arguments after "recover", given the image and an output path.
    std::function<QStringList(const QString &, const QString &)> arguments;
    int status;
    enum class Image { AsFound, Recovered } image;
    enum class Output { None, Recovered, RecoveredOverChange } output;
    bool journalKept;
    const char *says; // in stdout for status 0, in stderr otherwise
};

QStringList args(std::initializer_list<QString> list)
{
    return QStringList(list);
}

const Case kCases[] = {
    {"unchanged file", false, [](const QString &i, const QString &) { return args({i}); }, 0,
     Case::Image::Recovered, Case::Output::None, false, "3 steps recovered"},
    {"changed file", true, [](const QString &i, const QString &) { return args({i}); }, 1,
     Case::Image::AsFound, Case::Output::None, true, "changed since the journal"},
    {"--output", false,
     [](const QString &i, const QString &o) {
         return args({QStringLiteral("--output"), o, i});
     },
     0, Case::Image::AsFound, Case::Output::Recovered, true, "the journal kept"},
    {"--output of a changed file", true,
     [](const QString &i, const QString &o) {
         return args({QStringLiteral("--output"), o, i});
     },
     0, Case::Image::AsFound, Case::Output::RecoveredOverChange, true, "on top of"},
    {"--discard", false,
     [](const QString &i, const QString &) {
         return args({QStringLiteral("--discard"), i});
     },
     0, Case::Image::AsFound, Case::Output::None, false, "3 steps discarded"},
    {"--discard with --output", false,
     [](const QString &i, const QString &o) {
         return args({QStringLiteral("--discard"), QStringLiteral("--output"), o, i});
     },
     2, Case::Image::AsFound, Case::Output::None, true, "takes no --output"},
    {"--list", false,
     [](const QString &, const QString &) { return args({QStringLiteral("--list")}); }, 0,
     Case::Image::AsFound, Case::Output::None, true, "(exists), 3 steps"},
};

class Recover : public CliFolder {
protected:
    void SetUp() override { QDir(fileio::recoveryFolder()).removeRecursively(); }
    void TearDown() override { QDir(fileio::recoveryFolder()).removeRecursively(); }
};

} // namespace

TEST_F(Recover, WritesTheJournalsEditsOnlyOverTheFileItBeganFrom)
{
    const QByteArray original = testing_support::standardSyntheticImage();
    const core::ChapterMap third = core::Cartridge(original).Chapters()[2];
    const qint64 cell1 = third.DataOffset + 1;
    auto code = [&](qint64 offset) { return std::uint8_t(original.at(offset)); };
    // Two cells stamped, one more, that one taken back.
    const std::vector<JournalStep> steps{
        {JournalStep::Kind::Do,
         2,
         QStringLiteral("图章"),
         {{cell1, code(cell1), 0xC8}, {cell1 + 1, code(cell1 + 1), 0xC9}},
         0},
        {JournalStep::Kind::Do, 2, QStringLiteral("修改"), {{cell1 + 5, code(cell1 + 5), 7}}, 0},
        {JournalStep::Kind::Undo, 2, QStringLiteral("修改"), {{cell1 + 5, code(cell1 + 5), 7}}, 0},
    };
    QByteArray recovered = original;
    recovered[cell1] = '\xC8';
    recovered[cell1 + 1] = '\xC9';
    // Another program wrote the first cell and the chapter's last one meanwhile.
    QByteArray changed = original;
    changed[cell1] = '\x01';
    changed[cell1 + third.cellCount() - 1] = '\x02';
    QByteArray recoveredOverChange = changed;
    recoveredOverChange[cell1] = '\xC8';
    recoveredOverChange[cell1 + 1] = '\xC9';

    for (const Case &c : kCases) {
        SCOPED_TRACE(c.what);
        const QString image = writeImage(QStringLiteral("地图.nes"), original);
        const QString output = path(QStringLiteral("out.nes"));
        QFile::remove(output);
        fileio::JournalOwner stopped = fileio::JournalOwner::thisProcess();
        stopped.processStart += 1;
        auto journal = fileio::RecoveryJournal::start(image, std::nullopt, original, {}, stopped);
        for (const JournalStep &made : steps)
            ASSERT_EQ(journal->append(made), 0);
        const QString journalFile = journal->path();
        journal.reset(); // the editor stopped without ending it
        const QByteArray found = c.fileChanged ? changed : original;
        writeBytes(image, found);

        const CliRun run =
            runCli(QStringList{QStringLiteral("recover")} + c.arguments(image, output));
        EXPECT_EQ(run.status, c.status) << run.err.toStdString();
        const QString &said = c.status == 0 ? run.out : run.err;
        EXPECT_TRUE(said.contains(QString::fromUtf8(c.says))) << said.toStdString();
        EXPECT_EQ(readBytes(image), c.image == Case::Image::Recovered ? recovered : found);
        EXPECT_EQ(QFileInfo::exists(output), c.output != Case::Output::None);
        if (c.output != Case::Output::None) {
            EXPECT_EQ(readBytes(output),
                      c.output == Case::Output::Recovered ? recovered : recoveredOverChange);
        }
        EXPECT_EQ(QFileInfo::exists(journalFile), c.journalKept);
        QFile::remove(journalFile);
    }
}

// import and apply go on, saying on stderr that the image has a journal; info names it.
TEST_F(Recover, OtherCommandsNameAJournalAndGoOn)
{
    const QByteArray original = testing_support::standardSyntheticImage();
    const QString image = writeImage(QStringLiteral("a.nes"), original);
    auto journal = fileio::RecoveryJournal::start(image, std::nullopt, original, {});
    ASSERT_EQ(journal->append(
                  {JournalStep::Kind::Do,
                   0,
                   QStringLiteral("修改"),
                   {{core::kRunAOffset + 4, std::uint8_t(original.at(core::kRunAOffset + 4)), 9}},
                   0}),
              0);
    const CliRun info = runCli({QStringLiteral("info"), image});
    EXPECT_EQ(info.status, 0);
    EXPECT_TRUE(info.out.contains(QStringLiteral("recovery journal: %1 (1 step")
                                      .arg(QDir::toNativeSeparators(journal->path()))))
        << info.out.toStdString();
    EXPECT_TRUE(info.out.contains(QStringLiteral("its editor still running")));
    const QString csv = path(QStringLiteral("one.csv"));
    ASSERT_EQ(runCli({QStringLiteral("export"), image, QStringLiteral("1"), csv}).status, 0);
    const CliRun imported = runCli({QStringLiteral("import"), image, QStringLiteral("1"), csv});
    EXPECT_EQ(imported.status, 0);
    EXPECT_TRUE(
        imported.err.contains(QStringLiteral("warning: %1 has a recovery journal").arg(image)))
        << imported.err.toStdString();
    // The running editor's journal is not written over the image.
    const CliRun recover = runCli({QStringLiteral("recover"), image});
    EXPECT_EQ(recover.status, 1);
    EXPECT_TRUE(recover.err.contains(QStringLiteral("still editing"))) << recover.err.toStdString();
    journal->end();
}
