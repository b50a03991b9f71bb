#include "CartridgeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace app {

namespace {

QString readFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("无法读取文件“%1”：%2。\n已打开的ROM和修改都保持不变。")
        .arg(QFileInfo(path).fileName(), reason);
}

QString writeFailure(const QString &path, const QString &reason)
{
    return QStringLiteral("无法保存文件“%1”：%2。\n文件保持原样，修改仍在内存中，可以再次保存。")
        .arg(QDir::toNativeSeparators(path), reason);
}

// The bytes of the file beyond `length`, which an in-place write would have left alone.
std::optional<QByteArray> tailBeyond(const QString &path, qint64 length, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return std::nullopt;
    }
    if (file.size() <= length)
        return QByteArray();
    if (!file.seek(length)) {
        error = file.errorString();
        return std::nullopt;
    }
    QByteArray tail = file.readAll();
    if (file.error() != QFile::NoError) {
        error = file.errorString();
        return std::nullopt;
    }
    return tail;
}

std::optional<FileFailure> writeInPlace(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return FileFailure{writeFailure(path, file.errorString())};
    if (file.write(bytes) != bytes.size() || !file.flush())
        return FileFailure{writeFailure(path, file.errorString())};
    file.close();
    if (file.error() != QFile::NoError)
        return FileFailure{writeFailure(path, file.errorString())};
    return std::nullopt;
}

} // namespace

std::variant<QByteArray, FileFailure> readCartridge(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileFailure{readFailure(path, file.errorString())};
    if (file.size() > kMaxImageBytes)
        return FileFailure{readFailure(path, QStringLiteral("文件大于64 MB，不是卡带镜像"))};
    QByteArray bytes = file.read(kMaxImageBytes + 1);
    if (file.error() != QFile::NoError)
        return FileFailure{readFailure(path, file.errorString())};
    if (bytes.size() > kMaxImageBytes)
        return FileFailure{readFailure(path, QStringLiteral("文件大于64 MB，不是卡带镜像"))};
    return bytes;
}

std::optional<FileFailure> writeCartridge(const QString &path, const QByteArray &RomData)
{
    QString error;
    const auto tail = tailBeyond(path, RomData.size(), error);
    if (!tail)
        return FileFailure{writeFailure(path, error)};
    const QByteArray bytes = RomData + *tail;

    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        // A folder that cannot take the temporary file: write over the file itself.
        if (!QFileInfo(QFileInfo(path).absolutePath()).isWritable())
            return writeInPlace(path, bytes);
        return FileFailure{writeFailure(path, file.errorString())};
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return FileFailure{writeFailure(path, reason)};
    }
    if (!file.commit())
        return FileFailure{writeFailure(path, file.errorString())};
    return std::nullopt;
}

} // namespace app
