// A backup that an interrupted write in place left of an image: info names it, import and
// apply refuse to write over the image while it is there, and restore puts it back.

#include "BpsPatch.h"
#include "CliFixture.h"
#include "LeftBackup.h"
#include "SyntheticImage.h"

#include <QJsonDocument>
#include <QJsonObject>

using namespace cli_testing;

TEST_F(CliFolder, APendingBackupIsNamedGuardedAndRestored)
{
    const QByteArray original = testing_support::standardSyntheticImage();
    QByteArray halfWritten = original;
    halfWritten.replace(0, 64, QByteArray(64, 'x'));
    const QString image = writeImage(QStringLiteral("a.nes"), halfWritten);
    const auto left = testing_support::leaveBackup(image, original);
    ASSERT_TRUE(left);
    const QString backup = QDir::toNativeSeparators(left->file.path());

    const CliRun info = runCli({QStringLiteral("info"), image});
    EXPECT_TRUE(info.out.contains(QStringLiteral("pending backup: %1").arg(backup)))
        << info.out.toStdString();
    const CliRun json = runCli({QStringLiteral("info"), QStringLiteral("--json"), image});
    EXPECT_EQ(QJsonDocument::fromJson(json.out.toUtf8()).object()[u"pendingBackup"].toString(),
              backup);

    const QString csv = path(QStringLiteral("three.csv"));
    ASSERT_EQ(runCli({QStringLiteral("export"), image, QStringLiteral("3"), csv}).status, 0);
    QByteArray map = readBytes(csv);
    map.replace(0, map.indexOf(','), "200");
    writeBytes(csv, map);
    const QString patch = path(QStringLiteral("a.bps"));
    QByteArray patched = halfWritten;
    patched[100] = 'p';
    writeBytes(patch, patches::makeBpsPatch(halfWritten, patched).bytes);
    for (const QStringList &command :
         {QStringList{QStringLiteral("import"), image, QStringLiteral("3"), csv},
          QStringList{QStringLiteral("apply"), patch, image}}) {
        const CliRun run = runCli(command);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains(backup)) << run.err.toStdString();
        EXPECT_EQ(readBytes(image), halfWritten);
    }

    const CliRun restored = runCli({QStringLiteral("restore"), image});
    EXPECT_EQ(restored.status, 0) << restored.err.toStdString();
    EXPECT_EQ(readBytes(image), original);
    EXPECT_FALSE(QFileInfo::exists(backup));
    EXPECT_FALSE(QFileInfo::exists(left->record.path()));
    const CliRun again = runCli({QStringLiteral("restore"), image});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(again.err.contains(QStringLiteral("no backup"))) << again.err.toStdString();
}
