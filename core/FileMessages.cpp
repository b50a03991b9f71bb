#include "FileMessages.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <system_error>

namespace core {

namespace {

using Cause = fileio::FileError::Cause;
using Left = fileio::SaveFailure::Left;

struct Wordings {
    QStringView chinese;
    QStringView english;

    QString in(MessageLanguage language) const
    {
        return (language == MessageLanguage::Chinese ? chinese : english).toString();
    }
};

// The one table: every cause of a failure but the platform's own errors, in both languages.
Wordings causeWordings(Cause cause)
{
    switch (cause) {
    case Cause::TooLarge:
        return {u"文件大于%1 MB，不是卡带镜像", u"larger than %1 MiB, not a cartridge image"};
    case Cause::ShortWrite:
        return {u"只写入了 %1 / %2 字节，磁盘可能已满",
                u"only %1 of %2 bytes written, the disk may be full"};
    case Cause::NotRegularFile:
        return {u"这不是普通文件（是管道、套接字或设备）",
                u"not a regular file (a pipe, socket or device)"};
    case Cause::ChangedMeanwhile:
        return {u"保存期间另一个文件取代了它", u"another file took its place while it was written"};
    case Cause::ContentChanged:
        return {u"读取之后它又被其他程序修改了", u"another program changed it after it was read"};
    case Cause::PendingBackup:
        return {u"上次中断的保存留下了备份，须先恢复或删除备份",
                u"an interrupted write left a backup of its old bytes; restore it first "
                u"(tarvos-cli restore)"};
    case Cause::System:
        break;
    }
    return {};
}

// ... and what a failed write left at the path.
Wordings outcomeWordings(Left left)
{
    switch (left) {
    case Left::OldBytes:
        return {u"文件保持原样", u"the file is unchanged"};
    case Left::RestoredOldBytes:
        return {u"写入中途停止，已从备份恢复原来的内容",
                u"stopped part way; old bytes restored from backup"};
    case Left::OldBytesInBackup:
        return {u"写入中途停止，也未能恢复原来的内容；原来的内容保存在备份文件“%1”中",
                u"stopped part way and not restored; the old bytes are in %1"};
    case Left::NewBytes:
        return {u"文件已是新内容，但系统未能确认它已存入磁盘",
                u"the new bytes are in place, but the disk did not confirm them"};
    }
    return {};
}

// Every error number the platform may report when a file is read or written. The window
// groups them by what the user can do about it; the tool gives the C library's own words,
// which name every number.
QString systemReason(int code, MessageLanguage language)
{
    if (language == MessageLanguage::English)
        return QString::fromStdString(std::generic_category().message(code));
    switch (code) {
    case EACCES:
    case EPERM:
        return QStringLiteral("没有权限（文件或文件夹可能是只读的）");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("文件或文件夹不存在");
    case ENOSPC:
#if defined(EDQUOT)
    case EDQUOT:
#endif
        return QStringLiteral("磁盘空间不足");
    case EROFS:
        return QStringLiteral("文件系统是只读的");
    case EBUSY:
        return QStringLiteral("文件正被另一个程序使用，关闭那个程序后再试");
    case EISDIR:
        return QStringLiteral("这是文件夹，不是文件");
    case EFBIG:
        return QStringLiteral("文件太大");
    case EIO:
    case ENXIO:
    case ENODEV:
        return QStringLiteral("设备错误或输入/输出错误");
    default:
        break;
    }
    return QStringLiteral("系统错误（错误号 %1）").arg(code);
}

} // namespace

QString fileErrorReason(const fileio::FileError &error, MessageLanguage language)
{
    switch (error.cause) {
    case Cause::System:
        return systemReason(error.code, language);
    case Cause::TooLarge:
        return causeWordings(error.cause).in(language).arg(kMaxImageBytes / (1024 * 1024));
    case Cause::ShortWrite:
        return causeWordings(error.cause).in(language).arg(error.written).arg(error.total);
    case Cause::NotRegularFile:
    case Cause::ChangedMeanwhile:
    case Cause::ContentChanged:
    case Cause::PendingBackup:
        break;
    }
    return causeWordings(error.cause).in(language);
}

QString saveOutcome(const fileio::SaveFailure &failure, MessageLanguage language)
{
    const QString outcome = outcomeWordings(failure.left).in(language);
    if (failure.left != Left::OldBytesInBackup)
        return outcome;
    // The window names the backup by its full path, as every file it names; the tool as the
    // writer gave it.
    return outcome.arg(language == MessageLanguage::Chinese
                           ? fileDisplayPath(failure.backup)
                           : QDir::toNativeSeparators(failure.backup));
}

QString fileDisplayPath(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QString readFailureMessage(const QString &path, const fileio::FileError &error)
{
    return QStringLiteral("无法读取文件“%1”：%2。\n已打开的ROM和修改都保持不变。")
        .arg(fileDisplayPath(path), fileErrorReason(error, MessageLanguage::Chinese));
}

QString saveFailureMessage(const QString &path, const fileio::SaveFailure &failure)
{
    return QStringLiteral("无法保存文件“%1”：%2。\n%3，修改仍在内存中，可以再次保存。")
        .arg(fileDisplayPath(path), fileErrorReason(failure.error, MessageLanguage::Chinese),
             saveOutcome(failure, MessageLanguage::Chinese));
}

QString changedBackupMessage(const QString &backup)
{
    return QStringLiteral("备份“%1”已不是当时写下的内容（长度或校验和与记录不符），没有恢复。\n"
                          "文件保持原样，备份也留在原处。")
        .arg(fileDisplayPath(backup));
}

} // namespace core
