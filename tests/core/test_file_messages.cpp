#include "FileMessages.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cerrno>
#include <vector>

using namespace core;
using namespace fileio;

namespace {

constexpr MessageLanguage kChinese = MessageLanguage::Chinese;
constexpr MessageLanguage kEnglish = MessageLanguage::English;

} // namespace

TEST(FileMessages, EveryErrorOfReadingOrWritingHasAChineseReason)
{
    const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    for (const int code : {EACCES, EPERM, ENOENT, ENOTDIR, ENOSPC, EROFS, EBUSY, EISDIR, EFBIG, EIO,
                           ENXIO, ENODEV}) {
        const QString reason = fileErrorReason(FileError::system(code), kChinese);
        EXPECT_FALSE(reason.isEmpty() || reason.contains(latin)) << code;
        EXPECT_FALSE(reason.startsWith(QStringLiteral("系统错误"))) << code;
    }
#if defined(EDQUOT)
    EXPECT_EQ(fileErrorReason(FileError::system(ENOSPC), kChinese),
              fileErrorReason(FileError::system(EDQUOT), kChinese));
#endif
    EXPECT_EQ(fileErrorReason(FileError::system(123456), kChinese),
              QStringLiteral("系统错误（错误号 123456）"));
}

TEST(FileMessages, ReadAndSaveNameTheFileByItsFullPathAlike)
{
    const QString relative = QStringLiteral("roms/a.nes");
    const QString named = QStringLiteral("“%1”：").arg(
        QDir::toNativeSeparators(QDir::current().absoluteFilePath(relative)));
    const QString read = readFailureMessage(relative, FileError::system(EIO));
    const QString saved = saveFailureMessage(relative, SaveFailure{FileError::system(ENOSPC)});

    EXPECT_TRUE(read.startsWith(QStringLiteral("无法读取文件") + named)) << read.toStdString();
    EXPECT_TRUE(saved.startsWith(QStringLiteral("无法保存文件") + named)) << saved.toStdString();
    EXPECT_TRUE(read.contains(fileErrorReason(FileError::system(EIO), kChinese)));
    EXPECT_TRUE(saved.contains(fileErrorReason(FileError::system(ENOSPC), kChinese)));
}

TEST(FileMessages, EveryCauseAndOutcomeReadsInChineseForTheWindowAndInEnglishForTheTool)
{
    struct Reason {
        FileError error;
        QString chinese;
        QString english;
    };
    const std::vector<Reason> reasons = {
        {FileError::tooLarge(), QStringLiteral("文件大于64 MB，不是卡带镜像"),
         QStringLiteral("larger than 64 MiB, not a cartridge image")},
        {FileError::shortWrite(100, 4096), QStringLiteral("只写入了 100 / 4096 字节，磁盘可能已满"),
         QStringLiteral("only 100 of 4096 bytes written, the disk may be full")},
        {FileError::notRegularFile(), QStringLiteral("这不是普通文件（是管道、套接字或设备）"),
         QStringLiteral("not a regular file (a pipe, socket or device)")},
        {FileError::changedMeanwhile(), QStringLiteral("保存期间另一个文件取代了它"),
         QStringLiteral("another file took its place while it was written")},
        {FileError::contentChanged(), QStringLiteral("读取之后它又被其他程序修改了"),
         QStringLiteral("another program changed it after it was read")},
        {FileError::pendingBackup(), QStringLiteral("上次中断的保存留下了备份，须先恢复或删除备份"),
         QStringLiteral("an interrupted write left a backup of its old bytes; restore it first "
                        "(tarvos-cli restore)")},
        {FileError::system(ENOSPC), QStringLiteral("磁盘空间不足"),
         QStringLiteral("No space left on device")},
    };
    for (const Reason &reason : reasons) {
        EXPECT_EQ(fileErrorReason(reason.error, kChinese), reason.chinese);
        EXPECT_EQ(fileErrorReason(reason.error, kEnglish), reason.english);
    }

    const QString backup =
        QDir(QDir::tempPath()).absoluteFilePath(QStringLiteral(".a.nes.0123abcd.old"));
    const QString shown = QDir::toNativeSeparators(backup);
    struct Outcome {
        SaveFailure::Left left;
        QString chinese;
        QString english;
    };
    const std::vector<Outcome> outcomes = {
        {SaveFailure::Left::OldBytes, QStringLiteral("文件保持原样"),
         QStringLiteral("the file is unchanged")},
        {SaveFailure::Left::RestoredOldBytes,
         QStringLiteral("写入中途停止，已从备份恢复原来的内容"),
         QStringLiteral("stopped part way; old bytes restored from backup")},
        {SaveFailure::Left::OldBytesInBackup,
         QStringLiteral("写入中途停止，也未能恢复原来的内容；原来的内容保存在备份文件“%1”中")
             .arg(shown),
         QStringLiteral("stopped part way and not restored; the old bytes are in %1").arg(shown)},
        {SaveFailure::Left::NewBytes, QStringLiteral("文件已是新内容，但系统未能确认它已存入磁盘"),
         QStringLiteral("the new bytes are in place, but the disk did not confirm them")},
    };
    for (const Outcome &outcome : outcomes) {
        const SaveFailure failure{FileError::system(EIO), outcome.left, backup};
        EXPECT_EQ(saveOutcome(failure, kChinese), outcome.chinese);
        EXPECT_EQ(saveOutcome(failure, kEnglish), outcome.english);
    }
}
