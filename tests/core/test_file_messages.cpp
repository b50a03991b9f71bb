#include "FileMessages.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cerrno>

using namespace core;
using namespace fileio;

TEST(FileMessages, EveryErrorOfReadingOrWritingHasAChineseReason)
{
    const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    for (const int code : {EACCES, EPERM, ENOENT, ENOTDIR, ENOSPC, EROFS, EBUSY, EISDIR, EFBIG, EIO,
                           ENXIO, ENODEV}) {
        const QString reason = fileErrorReason(FileError::system(code));
        EXPECT_FALSE(reason.isEmpty() || reason.contains(latin)) << code;
        EXPECT_FALSE(reason.startsWith(QStringLiteral("系统错误"))) << code;
    }
#if defined(EDQUOT)
    EXPECT_EQ(fileErrorReason(FileError::system(ENOSPC)),
              fileErrorReason(FileError::system(EDQUOT)));
#endif
    EXPECT_EQ(fileErrorReason(FileError::system(123456)),
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
    EXPECT_TRUE(read.contains(fileErrorReason(FileError::system(EIO))));
    EXPECT_TRUE(saved.contains(fileErrorReason(FileError::system(ENOSPC))));
}
