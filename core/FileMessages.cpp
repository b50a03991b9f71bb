#include "FileMessages.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace core {

namespace {

// The one table of reasons: every error number the platform may report when a file is
// read or written, by what the user can do about it.
QString systemReason(int code)
{
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

QString fileErrorReason(const fileio::FileError &error)
{
    switch (error.cause) {
    case fileio::FileError::Cause::TooLarge:
        return QStringLiteral("文件大于64 MB，不是卡带镜像");
    case fileio::FileError::Cause::ShortWrite:
        return QStringLiteral("只写入了 %1 / %2 字节，磁盘可能已满")
            .arg(error.written)
            .arg(error.total);
    case fileio::FileError::Cause::NotRegularFile:
        return QStringLiteral("这不是普通文件（是管道、套接字或设备）");
    case fileio::FileError::Cause::ChangedMeanwhile:
        return QStringLiteral("保存期间另一个文件取代了它");
    case fileio::FileError::Cause::ContentChanged:
        return QStringLiteral("读取之后它又被其他程序修改了");
    case fileio::FileError::Cause::PendingBackup:
        return QStringLiteral("上次中断的保存留下了备份，须先恢复或删除备份");
    case fileio::FileError::Cause::System:
        break;
    }
    return systemReason(error.code);
}

QString fileDisplayPath(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QString readFailureMessage(const QString &path, const fileio::FileError &error)
{
    return QStringLiteral("无法读取文件“%1”：%2。\n已打开的ROM和修改都保持不变。")
        .arg(fileDisplayPath(path), fileErrorReason(error));
}

QString saveFailureMessage(const QString &path, const fileio::SaveFailure &failure)
{
    QString outcome;
    switch (failure.left) {
    case fileio::SaveFailure::Left::OldBytes:
        outcome = QStringLiteral("文件保持原样");
        break;
    case fileio::SaveFailure::Left::RestoredOldBytes:
        outcome = QStringLiteral("写入中途停止，已从备份恢复原来的内容");
        break;
    case fileio::SaveFailure::Left::OldBytesInBackup:
        outcome =
            QStringLiteral("写入中途停止，也未能恢复原来的内容；原来的内容保存在备份文件“%1”中")
                .arg(fileDisplayPath(failure.backup));
        break;
    case fileio::SaveFailure::Left::NewBytes:
        outcome = QStringLiteral("文件已是新内容，但系统未能确认它已存入磁盘");
        break;
    }
    return QStringLiteral("无法保存文件“%1”：%2。\n%3，修改仍在内存中，可以再次保存。")
        .arg(fileDisplayPath(path), fileErrorReason(failure.error), outcome);
}

QString changedBackupMessage(const QString &backup)
{
    return QStringLiteral("备份“%1”已不是当时写下的内容（长度或校验和与记录不符），没有恢复。\n"
                          "文件保持原样，备份也留在原处。")
        .arg(fileDisplayPath(backup));
}

} // namespace core
