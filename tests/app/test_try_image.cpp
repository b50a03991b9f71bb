// F5 tries the image as it is in the window in the person's emulator, on a copy in a folder
// of its own; the image's file, its history and its unsaved edits stay as they were.

#include "../support/FileBytes.h"
#include "EmulatorChoice.h"
#include "FileMessages.h"
#include "LastImageFolder.h"
#include "MapWindowFixture.h"
#include "TryCopies.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>
#include <QUndoStack>

using testing_support::readFile;
using testing_support::writeFile;

namespace {

// A stand-in emulator in `folder`, whose name holds a blank: it writes its first two
// arguments to args.txt, a line each, and the bytes of the file its third names to
// bytes.bin; done.txt says it has finished.
QString writeStandIn(const QString &folder)
{
#if defined(Q_OS_WIN)
    const QString path = QDir(folder).filePath(QStringLiteral("emu lator.cmd"));
    writeFile(path, "@echo off\r\n"
                    ">\"%~dp0args.txt\" echo %~1\r\n"
                    ">>\"%~dp0args.txt\" echo %~2\r\n"
                    "copy /b /y \"%~3\" \"%~dp0bytes.bin\" >nul\r\n"
                    ">\"%~dp0done.txt\" echo done\r\n");
#else
    const QString path = QDir(folder).filePath(QStringLiteral("emu lator"));
    writeFile(path, "#!/bin/sh\n"
                    "d=$(dirname \"$0\")\n"
                    "printf '%s\\n' \"$1\" \"$2\" > \"$d/args.txt\"\n"
                    "cat \"$3\" > \"$d/bytes.bin\"\n"
                    ": > \"$d/done.txt\"\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
#endif
    return path;
}

class TryImage : public testing_support::MapWindowFixture {
protected:
    void SetUp() override
    {
        // The fixture empties the copies' folder: never the person's own.
        ASSERT_TRUE(QStandardPaths::isTestModeEnabled() || root.startsWith(QDir::tempPath()));
        programSettings().remove(QStringLiteral("try"));
        QDir(root).removeRecursively();
        startWindow();
        image = dir.filePath(QStringLiteral("my image.nes"));
        writeFile(image, testing_support::standardSyntheticImage());
    }
    void TearDown() override
    {
        window.reset();
        QDir(root).removeRecursively();
    }
    static QSettings programSettings() { return app::programSettings(); }
    void open()
    {
        dialogs.chosenPaths << image;
        window->ucButton3_Click();
        chooseChapter(0);
    }
    QStringList tryFolders() const
    {
        return QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    }

    const QString root = app::TryCopies::defaultRoot();
    QString image;
};

} // namespace

// The emulator gets the image with its unsaved edits and the file's bytes beyond the image, as
// a save would write them; the path of the copy and an argument with blanks reach it whole.
TEST_F(TryImage, TheEmulatorGetsTheImageAsASaveWouldWriteItAndTheFileStays)
{
    open();
    const QByteArray tail("bytes another program wrote beyond the image");
    QFile lengthened(image);
    ASSERT_TRUE(lengthened.open(QIODevice::Append) && lengthened.write(tail) == tail.size());
    lengthened.close();
    window->mPic_MouseDown(host::kRightButton, 0, 240, 240);
    dialogs.answers << host::MessageAnswer::Overwrite;
    window->ucButton2_Click();
    window->mPic_MouseDown(host::kRightButton, 0, 720, 240);
    ASSERT_TRUE(window->isModified());
    const QByteArray onDisk = readFile(image);
    const int step = window->undoStack()->index();

    const QString standInFolder = dir.filePath(QStringLiteral("stand in"));
    ASSERT_TRUE(QDir().mkpath(standInFolder));
    const QString standIn = writeStandIn(standInFolder);
    dialogs.chosenPaths << standIn;
    dialogs.typedLines << QStringLiteral("--title \"my game\" %f");
    window->tryImage(false);
    const QDir stand(standInFolder);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return QFileInfo::exists(stand.filePath(QStringLiteral("done.txt"))); }, 30000))
        << "the stand-in did not run; messages: " << dialogs.messages.size();

    const QStringList arguments =
        QString::fromUtf8(readFile(stand.filePath(QStringLiteral("args.txt"))))
            .remove(u'\r')
            .split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(arguments, QStringList({QStringLiteral("--title"), QStringLiteral("my game")}));
    const QByteArray tried = readFile(stand.filePath(QStringLiteral("bytes.bin")));
    EXPECT_EQ(tried, window->RomData() + tail);
    ASSERT_EQ(tryFolders().size(), 1);
    EXPECT_TRUE(QFileInfo::exists(
        QDir(root).filePath(tryFolders().front() + QStringLiteral("/my image.nes"))));

    EXPECT_EQ(readFile(image), onDisk);
    EXPECT_TRUE(window->isModified());
    EXPECT_EQ(window->undoStack()->index(), step);
    const auto remembered = app::rememberedEmulator();
    ASSERT_TRUE(remembered);
    EXPECT_EQ(remembered->program, QDir::toNativeSeparators(standIn));
    EXPECT_EQ(remembered->arguments, QStringLiteral("--title \"my game\" %f"));

    window->ucButton2_Click();
    EXPECT_EQ(readFile(image), tried) << "what was tried is what a save writes";
}

// A program that cannot start is named with the reason; no copy is made and nothing changes.
TEST_F(TryImage, AProgramThatCannotStartIsNamedAndNothingElseHappens)
{
    open();
    window->mPic_MouseDown(host::kRightButton, 0, 240, 240);
    const struct {
        QString program;
        const char16_t *reason;
    } cases[] = {
        {dir.filePath(QStringLiteral("no such emulator")), u"文件或文件夹不存在"},
        {dir.path(), u"这是文件夹"},
        {QStringLiteral("tarvos-no-such-command"), u"PATH"},
        {image, u"不是可以启动的程序"},
    };
    for (const auto &c : cases) {
        app::rememberEmulator({c.program, QStringLiteral("%f")});
        dialogs.messages.clear();
        window->tryImage(false);
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.program.toStdString();
        const QString prompt = dialogs.messages[0].prompt;
        EXPECT_TRUE(prompt.contains(QDir::toNativeSeparators(c.program)) &&
                    prompt.contains(QString::fromUtf16(c.reason)))
            << prompt.toStdString();
        EXPECT_EQ(dialogs.messages[0].icon, host::MessageIcon::Critical);
    }
    EXPECT_TRUE(tryFolders().isEmpty());
    EXPECT_EQ(readFile(image), testing_support::standardSyntheticImage());
    EXPECT_TRUE(window->isModified());
    EXPECT_TRUE(dialogs.openRequests.size() == 1 && dialogs.inputRequests.empty())
        << "only the Open dialog asked";
}

// Without an image F5 says to open one first; Shift+F5 chooses the emulator at any time, from
// the line chosen before; either dialog cancelled keeps the choice.
TEST_F(TryImage, WithoutAnImageF5SaysSoAndShiftF5OnlyChooses)
{
    window->tryImage(false);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].prompt.contains(QStringLiteral("请先用“浏览”打开")));
    EXPECT_TRUE(dialogs.openRequests.empty());

#if defined(Q_OS_WIN)
    const QString command = QStringLiteral("cmd");
#else
    const QString command = QStringLiteral("sh");
#endif
    dialogs.chosenPaths << dir.filePath(command) << image;
    dialogs.typedLines << QStringLiteral("-x %f") << std::nullopt;
    window->tryImage(true);
    window->tryImage(true); // the arguments cancelled
    window->tryImage(true); // the program cancelled
    EXPECT_EQ(dialogs.messages.size(), 1u);
    const auto remembered = app::rememberedEmulator();
    ASSERT_TRUE(remembered);
    EXPECT_EQ(remembered->program, command) << "a command typed in the chooser is found on PATH";
    EXPECT_EQ(remembered->arguments, QStringLiteral("-x %f"));
    ASSERT_EQ(dialogs.inputRequests.size(), 2u);
    EXPECT_EQ(dialogs.openRequests[0].caption, QStringLiteral("选择模拟器"));
    EXPECT_EQ(dialogs.inputRequests[0].text, QStringLiteral("%f"));
    EXPECT_EQ(dialogs.inputRequests[1].text, QStringLiteral("-x %f"));
    EXPECT_TRUE(tryFolders().isEmpty());
}

TEST(EmulatorArguments, AreSplitAsAShellSplitsWithTheImageAsOneArgument)
{
    const QString image = QStringLiteral("/cache/try/1/my image.nes");
    const struct {
        const char *line;
        QStringList arguments;
    } cases[] = {
        {"%f", {image}},
        {"", {image}},
        {"--fullscreen", {QStringLiteral("--fullscreen"), image}},
        {"--rom=%f -v", {QStringLiteral("--rom=") + image, QStringLiteral("-v")}},
        {R"(-c "C:\my files\emu.cfg" "%f")",
         {QStringLiteral("-c"), QStringLiteral(R"(C:\my files\emu.cfg)"), image}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(app::emulatorArguments(QString::fromUtf8(c.line), image), c.arguments) << c.line;
}

// The three newest folders stay. One that will not go stays until a later call; a copy just
// handed over stays whatever the clock said; nothing else under the root is touched.
TEST(TryCopies, KeepTheThreeNewestAndLetAStuckFolderGoLater)
{
    const QTemporaryDir root;
    QString stuck;
    app::TryCopies copies(root.path(), [&](const QString &folder) {
        return folder != stuck && QDir(folder).removeRecursively();
    });
    const QDir folder(root.path());
    ASSERT_TRUE(folder.mkdir(QStringLiteral("notes")));
    writeFile(folder.filePath(QStringLiteral("20000101-000000-000-00")), "a file of the person's");
#if defined(Q_OS_UNIX)
    const QTemporaryDir elsewhere;
    writeFile(elsewhere.filePath(QStringLiteral("kept")), "the person's");
    ASSERT_TRUE(
        QFile::link(elsewhere.path(), folder.filePath(QStringLiteral("20000101-000000-000-01"))));
#endif
    const auto ours = [&] {
        QStringList names =
            folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
        names.removeOne(QStringLiteral("notes"));
        return names;
    };
    QStringList made;
    for (int n = 1; n <= 6; ++n) {
        const app::TryCopies::Copy copy =
            copies.make(QStringLiteral("a b.nes"), QByteArray(n, 'x'));
        ASSERT_FALSE(copy.path.isEmpty()) << copy.failure.toStdString();
        EXPECT_EQ(readFile(copy.path), QByteArray(n, 'x'));
        made << QFileInfo(copy.path).dir().dirName();
        if (n == 1)
            stuck = QFileInfo(copy.path).absolutePath();
        copies.prune(copy);
    }
    EXPECT_EQ(ours(), QStringList({made[0], made[3], made[4], made[5]}));
    stuck.clear();
    copies.prune();
    EXPECT_EQ(ours(), QStringList({made[3], made[4], made[5]}));

    ASSERT_TRUE(folder.mkdir(QStringLiteral("99991231-235959-999-99")));
    const app::TryCopies::Copy copy = copies.make(QStringLiteral("a.nes"), "y");
    copies.prune(copy);
    EXPECT_TRUE(QFileInfo::exists(copy.path));
    EXPECT_EQ(ours().size(), 3);
    EXPECT_TRUE(QFileInfo::exists(folder.filePath(QStringLiteral("20000101-000000-000-00"))));
#if defined(Q_OS_UNIX)
    EXPECT_TRUE(QFileInfo::exists(elsewhere.filePath(QStringLiteral("kept"))));
#endif
}
