// Another program writes the image while the editor saves it or a command changes it, at
// each moment before the write's last look: afterwards the file holds every byte of both
// sides, or nothing was written and the person or the script was told.

#include "../support/DialogScript.h"
#include "../support/FaultyFileOperations.h"
#include "../support/FileBytes.h"
#include "../support/SyntheticImage.h"
#include "BpsPatch.h"
#include "CliFixture.h"
#include "ImageDocument.h"

#include <gtest/gtest.h>

#include <functional>

using testing_support::DialogScript;
using testing_support::readFile;
using testing_support::writeFile;

namespace {

// The real disk, where another program writes the moment the writer takes its first step,
// after everything was read and planned.
class WriteOnFirstStep : public testing_support::FaultyFileOperations {
public:
    explicit WriteOnFirstStep(std::function<void()> otherProgram)
        : FaultyFileOperations(fileio::diskFileOperations(), testing_support::Fault::None, false),
          m_otherProgram(std::move(otherProgram))
    {
    }
    std::variant<fileio::FileLocation, int> locate(const QString &path) override
    {
        if (m_otherProgram)
            std::exchange(m_otherProgram, nullptr)();
        return FaultyFileOperations::locate(path);
    }

private:
    std::function<void()> m_otherProgram;
};

enum class When { BeforeTheSave, WhileAQuestionIsOpen, BetweenPlanAndWrite };
enum class What { ChangesACell, MakesChapter1Taller };

struct Interference {
    const char *name;
    When when;
    What what;
};

constexpr Interference kInterferences[] = {
    {"CellBeforeTheSave", When::BeforeTheSave, What::ChangesACell},
    {"CellWhileAsked", When::WhileAQuestionIsOpen, What::ChangesACell},
    {"CellBeforeTheWrite", When::BetweenPlanAndWrite, What::ChangesACell},
    {"LayoutBeforeTheSave", When::BeforeTheSave, What::MakesChapter1Taller},
    {"LayoutWhileAsked", When::WhileAQuestionIsOpen, What::MakesChapter1Taller},
    {"LayoutBeforeTheWrite", When::BetweenPlanAndWrite, What::MakesChapter1Taller},
};

// The standard image with chapter 1 one row taller: every later chapter of its run moves.
QByteArray taller()
{
    std::array<std::pair<int, int>, core::kChapterCount> sizes{};
    sizes.fill({8, 6});
    sizes[0] = {16, 33};
    sizes[1] = {1, 5};
    sizes[13] = {32, 32};
    return testing_support::syntheticImage(sizes);
}

class OtherProgram : public ::testing::TestWithParam<Interference> {
protected:
    void SetUp() override
    {
        writeFile(path, original);
        chapter1 = (*core::ReadMapDirectory(original))[0].DataOffset;
        chapter2 = (*core::ReadMapDirectory(original))[1].DataOffset;
    }
    // What the other program writes: one cell of chapter 2, or a new layout.
    void interfere(What what) const
    {
        if (what == What::MakesChapter1Taller) {
            writeFile(path, taller());
            return;
        }
        QByteArray theirs = readFile(path);
        theirs[chapter2 + 2] = char(0x99);
        writeFile(path, theirs);
    }
    // Every byte of both sides, or the other program's file untouched.
    void expectNothingLost(What what, bool written) const
    {
        const QByteArray now = readFile(path);
        if (what == What::MakesChapter1Taller) {
            EXPECT_FALSE(written);
            EXPECT_EQ(now, taller());
            return;
        }
        EXPECT_TRUE(written);
        EXPECT_EQ(now[chapter2 + 2], char(0x99)) << "the other program's byte";
        EXPECT_EQ(now[chapter1 + 3], char(200)) << "the editor's byte";
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.nes"));
    const QByteArray original = testing_support::standardSyntheticImage();
    qsizetype chapter1 = 0;
    qsizetype chapter2 = 0;
};

} // namespace

TEST_P(OtherProgram, TheEditorsSaveLosesNoByteOfEitherSide)
{
    const Interference &c = GetParam();
    DialogScript dialogs;
    app::ImageDocument document;
    ASSERT_TRUE(document.open(path));
    document.push(std::make_unique<app::CellEdit>(
        document, 0,
        std::vector<core::ChangedCell>{
            {{3, 1}, chapter1 + 3, std::uint8_t(original[chapter1 + 3]), 200}},
        QString()));
    // The other program changed the edited cell too, so that the save asks which to keep.
    QByteArray conflicting = original;
    conflicting[chapter1 + 3] = char(0x77);
    writeFile(path, conflicting);
    if (c.when == When::BeforeTheSave)
        interfere(c.what);
    // The person keeps their own cells where both sides changed one, and does not write over
    // a layout the other program changed.
    bool interfered = false;
    dialogs.whileAsking = [&](const host::MessageBoxRequest &request) {
        if (c.when == When::WhileAQuestionIsOpen && !std::exchange(interfered, true))
            interfere(c.what);
        dialogs.answers = {request.buttons == host::MessageButtons::OverwriteCancel
                               ? host::MessageAnswer::Cancel
                               : host::MessageAnswer::KeepMine};
    };
    WriteOnFirstStep files([&] {
        if (c.when == When::BetweenPlanAndWrite)
            interfere(c.what);
    });
    document.setFileOperations(files);

    const bool written = document.save();
    expectNothingLost(c.what, written);
    EXPECT_EQ(document.isModified(), !written);
    if (c.what == What::MakesChapter1Taller) {
        EXPECT_EQ(dialogs.messages.back().buttons, host::MessageButtons::OverwriteCancel);
        EXPECT_TRUE(dialogs.messages.back().prompt.contains(
            QStringLiteral("第1章 的大小从 16X32 变为 16X33")))
            << dialogs.messages.back().prompt.toStdString();
    }
}

TEST_P(OtherProgram, ACommandThatChangesTheImageInPlaceRefusesToWriteOverIt)
{
    const Interference &c = GetParam();
    // A command asks nothing and plans at once after its read.
    if (c.when != When::BetweenPlanAndWrite)
        GTEST_SKIP() << "a command has no question and no moment between read and plan";
    const QString csv = dir.filePath(QStringLiteral("three.csv"));
    ASSERT_EQ(
        cli_testing::runCli({QStringLiteral("export"), path, QStringLiteral("3"), csv}).status, 0);
    QByteArray map = readFile(csv);
    map.replace(0, map.indexOf(','), "200");
    writeFile(csv, map);
    const QString patch = dir.filePath(QStringLiteral("edit.bps"));
    QByteArray patched = original;
    patched[chapter1 + 3] = char(200);
    writeFile(patch, patches::makeBpsPatch(original, patched).bytes);

    for (const QStringList &command :
         {QStringList{QStringLiteral("import"), path, QStringLiteral("3"), csv},
          QStringList{QStringLiteral("apply"), patch, path}}) {
        writeFile(path, original);
        WriteOnFirstStep files([&] { interfere(c.what); });
        QByteArray theirs = taller();
        if (c.what == What::ChangesACell) {
            theirs = original;
            theirs[chapter2 + 2] = char(0x99);
        }
        const cli_testing::CliRun run = cli_testing::runCli(command, files);
        EXPECT_EQ(run.status, 1) << command.join(u' ').toStdString();
        EXPECT_TRUE(
            run.err.contains(QStringLiteral("another program changed it after it was read")))
            << run.err.toStdString();
        EXPECT_EQ(readFile(path), theirs);
    }
}

INSTANTIATE_TEST_SUITE_P(WhatAndWhen, OtherProgram, ::testing::ValuesIn(kInterferences),
                         [](const auto &param) { return std::string(param.param.name); });

TEST(OtherProgramWritingOnAndOn, TheEditorGivesUpAfterThreePlansAndWritesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.nes"));
    const QByteArray original = testing_support::standardSyntheticImage();
    writeFile(path, original);
    DialogScript dialogs;
    app::ImageDocument document;
    ASSERT_TRUE(document.open(path));
    const qsizetype cell = document.chapters()[0].DataOffset + 1;
    document.push(std::make_unique<app::CellEdit>(
        document, 0,
        std::vector<core::ChangedCell>{{{1, 1}, cell, std::uint8_t(original[cell]), 200}},
        QString()));
    // Each plan meets a file written once more since it was read.
    class EveryStep : public testing_support::FaultyFileOperations {
    public:
        EveryStep(QString path, qsizetype byte)
            : FaultyFileOperations(fileio::diskFileOperations(), testing_support::Fault::None,
                                   false),
              m_path(std::move(path)), m_byte(byte)
        {
        }
        std::variant<fileio::FileLocation, int> locate(const QString &path) override
        {
            QByteArray theirs = readFile(m_path);
            theirs[m_byte] = char(++writes);
            writeFile(m_path, theirs);
            return FaultyFileOperations::locate(path);
        }
        int writes = 0;

    private:
        QString m_path;
        qsizetype m_byte;
    } files(path, cell + 100);
    document.setFileOperations(files);

    EXPECT_FALSE(document.save());
    EXPECT_EQ(files.writes, 3);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].prompt.contains(QStringLiteral("试了3次都没有写入")));
    EXPECT_EQ(readFile(path)[cell], original[cell]);
    EXPECT_TRUE(document.isModified());
}
