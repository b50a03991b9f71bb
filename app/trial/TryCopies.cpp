#include "TryCopies.h"

#include "FileMessages.h"
#include "UserFileWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace app {

namespace {

// The moment in UTC, which never goes back an hour, then a number for copies made within
// the same millisecond: names of one length, whose order is their age.
const QString kStampFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");
constexpr int kSameMoment = 100;

bool isOurFolderName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^\\d{8}-\\d{6}-\\d{3}-\\d{2}$"));
    return pattern.match(name).hasMatch();
}

bool removeRecursively(const QString &folder)
{
    return QDir(folder).removeRecursively();
}

QString folderOf(const QString &copy)
{
    return QFileInfo(copy).absolutePath();
}

} // namespace

QString TryCopies::defaultRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/tarvos/try");
}

TryCopies::TryCopies(QString root, FolderRemoval removeFolder)
    : m_root(std::move(root)),
      m_removeFolder(removeFolder ? std::move(removeFolder) : FolderRemoval(removeRecursively))
{
}

TryCopies::Copy TryCopies::make(const QString &fileName, const QByteArray &bytes)
{
    const QString stamp = QDateTime::currentDateTimeUtc().toString(kStampFormat);
    const QDir root(m_root);
    QString folder;
    // A folder made here is new: two editors never share one.
    for (int n = 0; n < kSameMoment && folder.isEmpty(); ++n) {
        const QString name = QStringLiteral("%1-%2").arg(stamp).arg(n, 2, 10, QLatin1Char('0'));
        if (root.mkpath(QStringLiteral(".")) && root.mkdir(name))
            folder = root.filePath(name);
    }
    if (folder.isEmpty())
        return {
            {},
            QStringLiteral("无法在“%1”中新建试玩用的文件夹。").arg(core::fileDisplayPath(m_root))};
    const QString path = QDir(folder).filePath(fileName);
    if (const auto failure = fileio::writeUserFile(fileio::diskFileOperations(), path, bytes,
                                                   fileio::WriteLength::Exact)) {
        m_removeFolder(folder);
        return {{},
                QStringLiteral("无法写入试玩用的副本“%1”：%2。")
                    .arg(core::fileDisplayPath(path),
                         core::fileErrorReason(failure->error, core::MessageLanguage::Chinese))};
    }
    return {path, {}};
}

void TryCopies::discard(const Copy &copy)
{
    m_removeFolder(folderOf(copy.path));
}

void TryCopies::prune(const Copy &fresh)
{
    const QString keep =
        fresh.path.isEmpty() ? QString() : QFileInfo(folderOf(fresh.path)).fileName();
    QStringList older;
    const QFileInfoList entries =
        QDir(m_root).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo &entry : entries) {
        // A link or junction would lead the removal into a folder that is not ours.
        const bool folder = !entry.isSymLink() && !entry.isJunction();
        if (folder && isOurFolderName(entry.fileName()) && entry.fileName() != keep)
            older << entry.absoluteFilePath();
    }
    const qsizetype kept = keep.isEmpty() ? kKept : kKept - 1;
    for (qsizetype i = 0; i + kept < older.size(); ++i)
        m_removeFolder(older[i]);
}

} // namespace app
