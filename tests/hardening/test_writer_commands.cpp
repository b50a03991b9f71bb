// Every command that writes a user's file writes it through the core's one writer: with
// recording file operations installed, each write shows up there under the path the user
// gave, and a fault injected there reaches the command's message.

#include "../support/DialogScript.h"
#include "../support/FaultyFileOperations.h"
#include "../support/SyntheticImage.h"
#include "BpsPatch.h"
#include "CliFixture.h"
#include "frmMap.h"

#include <QListWidget>

#include <gtest/gtest.h>

using namespace cli_testing;
using testing_support::Fault;
using testing_support::FaultyFileOperations;

namespace {

class CommandsWriteThroughTheOneWriter : public CliFolder {
protected:
    void SetUp() override
    {
        m_old = testing_support::standardSyntheticImage();
        m_image = writeImage(QStringLiteral("a.nes"), m_old);
    }

    // Runs the command with the writer's steps recorded; it must succeed, and then fail
    // with the writer's own words once the disk is full.
    void expectWrittenThroughTheWriter(const QStringList &arguments, const QString &written)
    {
        const QByteArray image = readBytes(m_image);
        {
            FaultyFileOperations recording(fileio::diskFileOperations(), Fault::None, false);
            const CliRun run = runCli(arguments, recording);
            ASSERT_EQ(run.status, 0) << run.err.toStdString();
            EXPECT_TRUE(recording.steps.contains(QStringLiteral("locate ") + written))
                << recording.steps.join(QLatin1Char('\n')).toStdString();
        }
        const QByteArray result = readBytes(written);
        const QByteArray imageAfter = readBytes(m_image);
        // The command runs again on what it saw the first time.
        writeBytes(m_image, image);
        FaultyFileOperations full(fileio::diskFileOperations(), Fault::DiskFull, false);
        const CliRun run = runCli(arguments, full);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains(QStringLiteral("(the file is unchanged)")))
            << run.err.toStdString();
        EXPECT_EQ(readBytes(written), written == m_image ? image : result);
        writeBytes(m_image, imageAfter);
    }

    QString bpsPatch(const QByteArray &target)
    {
        const QString patch = path(QStringLiteral("step.bps"));
        writeBytes(patch, patches::makeBpsPatch(readBytes(m_image), target).bytes);
        return patch;
    }

    QByteArray m_old;
    QString m_image;
};

} // namespace

TEST_F(CommandsWriteThroughTheOneWriter, EveryCommandThatWritesAFile)
{
    const QString out = path(QStringLiteral("out.nes"));
    const QString csv = path(QStringLiteral("three.csv"));
    expectWrittenThroughTheWriter({QStringLiteral("export"), m_image, QStringLiteral("3"), csv},
                                  csv);

    // One cell of chapter 3 changed, so that import has something to write.
    QByteArray map = readBytes(csv);
    map.replace(0, map.indexOf(','), "200");
    writeBytes(csv, map);
    expectWrittenThroughTheWriter({QStringLiteral("import"), QStringLiteral("--output"), out,
                                   m_image, QStringLiteral("3"), csv},
                                  out);
    expectWrittenThroughTheWriter({QStringLiteral("import"), m_image, QStringLiteral("3"), csv},
                                  m_image);
    const QByteArray imported = readBytes(m_image);
    ASSERT_NE(imported, m_old);

    expectWrittenThroughTheWriter(
        {QStringLiteral("patch"), out, m_image, path(QStringLiteral("made.bps"))},
        path(QStringLiteral("made.bps")));
    expectWrittenThroughTheWriter(
        {QStringLiteral("apply"), QStringLiteral("--output"), out, bpsPatch(m_old), m_image}, out);
    expectWrittenThroughTheWriter({QStringLiteral("apply"), bpsPatch(m_old), m_image}, m_image);
    // A shorter image too, and a longer one.
    expectWrittenThroughTheWriter(
        {QStringLiteral("apply"), bpsPatch(m_old.left(m_old.size() - 300)), m_image}, m_image);
    expectWrittenThroughTheWriter(
        {QStringLiteral("apply"), bpsPatch(m_old + QByteArray(100, 'x')), m_image}, m_image);
}

TEST_F(CommandsWriteThroughTheOneWriter, TheEditorsSave)
{
    testing_support::DialogScript dialogs;
    app::frmMap window(path(QString()));
    dialogs.chosenPaths << m_image;
    window.ucButton3_Click();
    qobject_cast<QListWidget *>(window.control(QStringLiteral("List1")))->setCurrentRow(1);
    window.mPic_MouseDown(2, 0, 240, 240);

    FaultyFileOperations recording(fileio::diskFileOperations(), Fault::None, false);
    window.document().setFileOperations(recording);
    window.ucButton2_Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, QStringLiteral("保存成功！"));
    EXPECT_TRUE(recording.steps.contains(QStringLiteral("locate ") + m_image));
}
