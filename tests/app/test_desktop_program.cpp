// The editor as a desktop program: an image named on its command line or dropped on the
// window opens as Open opens it, the Open dialog starts where images were opened last, and
// the caption names the open image and says whether it is saved.

#include "../support/DialogScript.h"
#include "../support/FileBytes.h"
#include "../support/SyntheticImage.h"
#include "LastImageFolder.h"
#include "StartRequest.h"
#include "frmMap.h"
#include "modConst.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QListWidget>
#include <QMimeData>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#if defined(Q_OS_UNIX)
#include <sys/stat.h>
#endif

using host::MessageAnswer;
using testing_support::DialogScript;
using testing_support::writeFile;

namespace {

class DesktopProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        app::programSettings().clear();
        image = dir.filePath(QStringLiteral("images/a.nes"));
        QDir(dir.path()).mkpath(QStringLiteral("images"));
        writeFile(image, testing_support::standardSyntheticImage());
    }
    QListWidget *list(const app::frmMap &window) const
    {
        return qobject_cast<QListWidget *>(window.control(QStringLiteral("List1")));
    }
    // Drags `urls` over the window and drops them there; whether the window took the drop.
    static bool drop(app::frmMap &window, const QList<QUrl> &urls)
    {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &dropped);
        return dropped.isAccepted();
    }

    QTemporaryDir dir;
    QString image;
    DialogScript dialogs;
};

} // namespace

TEST(StartRequest, IsReadFromTheArgumentsAlone)
{
    using Kind = app::StartRequest::Kind;
    const struct {
        QStringList arguments;
        Kind kind;
        const char *image;
        const char *reference = "";
    } cases[] = {
        {{}, Kind::Window, ""},
        {{QStringLiteral("a b.nes")}, Kind::Window, "a b.nes"},
        {{QStringLiteral("--help")}, Kind::Help, ""},
        {{QStringLiteral("-h")}, Kind::Help, ""},
        {{QStringLiteral("--version")}, Kind::Version, ""},
        {{QStringLiteral("--colour")}, Kind::Refused, ""},
        {{QStringLiteral("a.nes"), QStringLiteral("b.nes")}, Kind::Refused, ""},
        {{QStringLiteral("--compare"), QStringLiteral("o.nes"), QStringLiteral("a.nes")},
         Kind::Window,
         "a.nes",
         "o.nes"},
        {{QStringLiteral("--compare"), QStringLiteral("o.nes")}, Kind::Refused, ""},
    };
    for (const auto &c : cases) {
        const app::StartRequest request =
            app::readStartRequest(QStringList{QStringLiteral("tarvos")} + c.arguments);
        EXPECT_EQ(request.kind, c.kind) << c.arguments.join(u' ').toStdString();
        EXPECT_EQ(request.image, QString::fromUtf8(c.image));
        EXPECT_EQ(request.reference, QString::fromUtf8(c.reference));
    }
}

// The real program answers --help and --version without a display, and refuses an unknown
// option as tarvos-cli does.
TEST(StartRequest, TheProgramAnswersWithoutAWindow)
{
    const struct {
        const char *option;
        int status;
        const char *says;
    } cases[] = {{"--version", 0, "tarvos 1.0.0"},
                 {"--help", 0, "Usage: tarvos [IMAGE]"},
                 {"--colour", 2, "Try 'tarvos --help'."}};
    for (const auto &c : cases) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":nowhere"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(TARVOS_PROGRAM), {QString::fromUtf8(c.option)});
        ASSERT_TRUE(program.waitForFinished(30000)) << c.option;
        EXPECT_EQ(program.exitCode(), c.status) << c.option;
        const QString said = QString::fromUtf8(c.status == 0 ? program.readAllStandardOutput()
                                                             : program.readAllStandardError());
        EXPECT_TRUE(said.contains(QString::fromUtf8(c.says))) << said.toStdString();
    }
}

TEST_F(DesktopProgram, AnImageOnTheCommandLineOpensAsOpenWouldOpenIt)
{
    const auto window = app::Main(image);
    EXPECT_EQ(window->RomPath(), image);
    EXPECT_TRUE(list(*window)->isEnabled());
    EXPECT_EQ(list(*window)->currentRow(), -1);
    EXPECT_TRUE(dialogs.messages.empty());

    const QString missing = dir.filePath(QStringLiteral("missing.nes"));
    const auto other = app::Main(missing);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, host::MessageIcon::Critical);
    EXPECT_TRUE(dialogs.messages[0].prompt.contains(QDir::toNativeSeparators(missing)));
    EXPECT_TRUE(dialogs.messages[0].prompt.contains(QStringLiteral("文件或文件夹不存在")));
    EXPECT_FALSE(list(*other)->isEnabled());
}

TEST_F(DesktopProgram, OneLocalFileDroppedOnTheWindowOpensAsOpenWouldOpenIt)
{
    app::frmMap window(dir.path());
    const QUrl file = QUrl::fromLocalFile(image);
    EXPECT_FALSE(drop(window, {file, file}));
    EXPECT_FALSE(drop(window, {QUrl::fromLocalFile(dir.path())}));
    EXPECT_FALSE(drop(window, {QUrl(QStringLiteral("https://example.org/a.nes"))}));
    EXPECT_FALSE(window.document().isLoaded());

    EXPECT_TRUE(drop(window, {file}));
    EXPECT_EQ(window.RomPath(), image);
    EXPECT_TRUE(list(window)->isEnabled());

    // With unsaved edits the drop asks first; Escape keeps everything. No drop is taken while
    // that question is open.
    list(window)->setCurrentRow(0);
    window.mPic_MouseDown(2, 0, 240, 240);
    const QString second = dir.filePath(QStringLiteral("b.nes"));
    writeFile(second, testing_support::standardSyntheticImage());
    bool droppedWhileAsked = true;
    dialogs.whileAsking = [&](const host::MessageBoxRequest &) {
        droppedWhileAsked = drop(window, {QUrl::fromLocalFile(second)});
    };
    drop(window, {QUrl::fromLocalFile(second)});
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].buttons, host::MessageButtons::SaveDiscardCancel);
    EXPECT_FALSE(droppedWhileAsked);
    EXPECT_EQ(window.RomPath(), image);
    EXPECT_TRUE(window.isModified());
}

#if defined(Q_OS_UNIX)
// A pipe chosen in the Open dialog or dropped on the window is named in a message at once:
// nothing waits for its other end. A missing file chosen in the dialog still gets none.
TEST_F(DesktopProgram, APipeChosenOrDroppedIsRefusedWithItsReason)
{
    const QString pipe = dir.filePath(QStringLiteral("pipe.nes"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    app::frmMap window(dir.path());
    dialogs.chosenPaths << dir.filePath(QStringLiteral("missing.nes")) << pipe;
    window.ucButton3_Click();
    EXPECT_TRUE(dialogs.messages.empty());
    window.ucButton3_Click();
    EXPECT_TRUE(drop(window, {QUrl::fromLocalFile(pipe)}));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    for (const host::MessageBoxRequest &message : dialogs.messages) {
        EXPECT_EQ(message.icon, host::MessageIcon::Critical);
        EXPECT_TRUE(message.prompt.contains(QDir::toNativeSeparators(pipe)) &&
                    message.prompt.contains(QStringLiteral("不是普通文件")))
            << message.prompt.toStdString();
    }
    EXPECT_FALSE(window.document().isLoaded());
}
#endif

// Wherever an image was opened from, the next Open dialog starts in its folder; until then,
// or once that folder is gone, in the current folder. Settings that cannot be written stop
// nothing.
TEST_F(DesktopProgram, TheOpenDialogStartsWhereTheLastImageWasOpened)
{
    app::frmMap window(dir.path());
    window.ucButton3_Click();
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(dialogs.openRequests[0].startFolder, QDir::currentPath());

    drop(window, {QUrl::fromLocalFile(image)});
    window.ucButton3_Click();
    EXPECT_EQ(dialogs.openRequests[1].startFolder, QFileInfo(image).absolutePath());

    // A folder the editor watches is not gone on Windows until the editor lets it go.
    const QString gone = dir.filePath(QStringLiteral("gone"));
    ASSERT_TRUE(QDir().mkpath(gone));
    app::rememberImageFolder(gone + QStringLiteral("/b.nes"));
    ASSERT_TRUE(QDir(gone).removeRecursively());
    window.ucButton3_Click();
    EXPECT_EQ(dialogs.openRequests[2].startFolder, QDir::currentPath());

    // Settings that cannot be written stop nothing: a folder stands where their file goes.
    const QString settingsFile = app::programSettings().fileName();
    ASSERT_TRUE(settingsFile.startsWith(QDir::tempPath())) << "the person's own settings";
    QFile::remove(settingsFile);
    ASSERT_TRUE(QDir().mkpath(settingsFile));
    const QString elsewhere = dir.filePath(QStringLiteral("c.nes"));
    writeFile(elsewhere, testing_support::standardSyntheticImage());
    dialogs.chosenPaths << elsewhere;
    window.ucButton3_Click();
    EXPECT_EQ(window.RomPath(), elsewhere);
    EXPECT_TRUE(list(window)->isEnabled());
    EXPECT_TRUE(dialogs.messages.empty());
    QSettings settings = app::programSettings();
    settings.sync();
    EXPECT_EQ(settings.status(), QSettings::AccessError) << "the settings were written";
    EXPECT_TRUE(QDir(settingsFile).removeRecursively());
}

TEST_F(DesktopProgram, TheCaptionNamesTheOpenImageAndItsUnsavedEdits)
{
    app::frmMap window(dir.path());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Vellmark地图编辑器"));
    drop(window, {QUrl::fromLocalFile(image)});
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Vellmark地图编辑器 - a.nes[*]"));
    EXPECT_FALSE(window.isWindowModified());
    list(window)->setCurrentRow(0);
    window.mPic_MouseDown(2, 0, 240, 240);
    EXPECT_TRUE(window.isWindowModified());
    window.undoStack()->undo();
    EXPECT_FALSE(window.isWindowModified());
    window.undoStack()->redo();
    window.ucButton2_Click();
    EXPECT_FALSE(window.isWindowModified());
}
