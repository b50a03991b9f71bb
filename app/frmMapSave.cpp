// The image's file for frmMap: saving it without losing what other programs wrote to it,
// and reading in their changes while the editor holds no edits of its own.

#include "frmMap.h"

#include "CartridgeFile.h"
#include "EditorMessage.h"
#include "FileMessages.h"
#include "ImageMerge.h"
#include "MapPlace.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QStringList>

#include <algorithm>
#include <cerrno>

namespace app {

namespace {

// A question names this many conflicting bytes at most, then says how many more there are.
constexpr std::size_t kConflictsNamed = 10;

QString placeText(const core::ChapterDirectory &chapters, qsizetype offset)
{
    if (const auto place = core::mapPlaceOfByte(chapters, offset))
        return QStringLiteral("第%1章 第%2列 第%3行")
            .arg(place->chapter)
            .arg(place->column)
            .arg(place->row);
    return QStringLiteral("偏移 0x%1").arg(QString::number(offset, 16).toUpper());
}

// Whether anything of the chapter's record, its header or its cells, differs.
bool recordDiffers(const QByteArray &a, const QByteArray &b, const core::ChapterMap &entry)
{
    const qsizetype first = std::max<qsizetype>(0, qsizetype{entry.DataOffset} - 3);
    const qsizetype end =
        std::min<qsizetype>(a.size(), qsizetype{entry.DataOffset} + 1 + entry.cellCount());
    return first < end && a.mid(first, end - first) != b.mid(first, end - first);
}

} // namespace

void frmMap::ucButton2_Click()
{
    save();
}

bool frmMap::save()
{
    // Before any image was opened there is nothing to write, and the default path must
    // stay untouched.
    if (!m_imageLoaded)
        return false;
    const std::optional<SavePlan> plan = planSave();
    if (!plan)
        return false;
    if (const auto failure = core::writeCartridge(m_RomPath, plan->bytes)) {
        showEditorMessage(this, core::saveFailureMessage(m_RomPath, *failure),
                          host::MessageIcon::Critical);
        return false;
    }
    const bool redraw =
        m_shownChapter >= 0 &&
        recordDiffers(m_RomData, plan->bytes, m_Chapters[static_cast<std::size_t>(m_shownChapter)]);
    m_RomData = plan->bytes;
    m_savedBytes = m_RomData;
    // Another program may have changed the chapter directory. A merged image has the length
    // of the one opened, so a directory is always found.
    if (const auto directory = core::ReadMapDirectory(m_RomData))
        m_Chapters = *directory;
    if (redraw)
        drawChosenChapter();
    QString prompt = QStringLiteral("保存成功！");
    if (plan->keptFromFile > 0)
        prompt +=
            QStringLiteral("\n保留了文件中由其他程序写入的 %1 个字节。").arg(plan->keptFromFile);
    showEditorMessage(this, prompt, host::MessageIcon::Information);
    return true;
}

std::optional<frmMap::SavePlan> frmMap::planSave()
{
    const SavePlan plain{m_RomData, 0};
    auto read = core::readCartridge(m_RomPath);
    if (const auto *failure = std::get_if<core::FileError>(&read)) {
        // A file removed since is written anew, as there is nothing of others' to keep.
        const bool gone = failure->cause == core::FileError::Cause::System &&
                          (failure->code == ENOENT || failure->code == ENOTDIR);
        if (gone)
            return plain;
        return askOverwrite() ? std::optional(plain) : std::nullopt;
    }
    const QByteArray &file = std::get<QByteArray>(read);
    if (file == m_savedBytes)
        return plain;
    const auto merge = core::ImageMerge::of(m_savedBytes, m_RomData, file);
    if (!merge || !core::ReadMapDirectory(file))
        return askOverwrite() ? std::optional(plain) : std::nullopt;
    bool keepMine = true;
    if (!merge->conflicts().empty()) {
        const auto answer = askKeepMine(merge->conflicts());
        if (!answer)
            return std::nullopt;
        keepMine = *answer;
    }
    SavePlan plan{merge->result(keepMine), 0};
    plan.keptFromFile = core::differingBytes(plan.bytes, m_RomData);
    return plan;
}

bool frmMap::askOverwrite()
{
    const QString prompt =
        QStringLiteral("“%1”已被其他程序修改，现在的内容已不是打开时的ROM，无法与你的修改合并。\n"
                       "覆盖它，写入编辑器中的ROM吗？")
            .arg(core::fileDisplayPath(m_RomPath));
    return showEditorMessage(this, prompt, host::MessageIcon::Question,
                             host::MessageButtons::OverwriteCancel) ==
           host::MessageAnswer::Overwrite;
}

std::optional<bool> frmMap::askKeepMine(const std::vector<qsizetype> &conflicts)
{
    QStringList places;
    for (std::size_t i = 0; i < conflicts.size() && i < kConflictsNamed; ++i)
        places << placeText(m_Chapters, conflicts[i]);
    if (conflicts.size() > kConflictsNamed)
        places << QStringLiteral("……共 %1 处").arg(conflicts.size());
    const QString prompt =
        QStringLiteral("“%1”已被其他程序修改，以下位置你和它改成了不同的值：\n%2\n"
                       "这些位置保留你的修改，还是使用文件中的？其他修改都会保留。")
            .arg(core::fileDisplayPath(m_RomPath), places.join(QLatin1Char('\n')));
    switch (showEditorMessage(this, prompt, host::MessageIcon::Question,
                              host::MessageButtons::KeepMineUseFileCancel)) {
    case host::MessageAnswer::KeepMine:
        return true;
    case host::MessageAnswer::UseFile:
        return false;
    default:
        return std::nullopt;
    }
}

bool frmMap::maybeSave()
{
    if (!isModified())
        return true;
    const QString prompt =
        QStringLiteral("“%1”已修改。\n是否保存修改？").arg(core::fileDisplayPath(m_RomPath));
    switch (showEditorMessage(this, prompt, host::MessageIcon::Question,
                              host::MessageButtons::SaveDiscardCancel)) {
    case host::MessageAnswer::Save:
        return save();
    case host::MessageAnswer::Discard:
        return true;
    default:
        return false;
    }
}

void frmMap::watchImageFile()
{
    if (const QStringList watched = m_fileWatcher->files() + m_fileWatcher->directories();
        !watched.isEmpty())
        m_fileWatcher->removePaths(watched);
    // The path itself, the file a link finally names, and their folders: a file replaced by
    // a rename is a new file, seen only in its folder.
    QStringList paths{m_RomPath, QFileInfo(m_RomPath).absolutePath()};
    const QString target = QFileInfo(m_RomPath).canonicalFilePath();
    if (!target.isEmpty())
        paths << target << QFileInfo(target).absolutePath();
    paths.removeDuplicates();
    QStringList existing;
    for (const QString &path : paths)
        if (QFileInfo::exists(path))
            existing << path;
    if (!existing.isEmpty())
        m_fileWatcher->addPaths(existing);
}

void frmMap::readInChangedFile()
{
    if (!m_imageLoaded)
        return;
    // A file replaced by a rename is no longer the one watched, and a link may now name
    // another file.
    watchImageFile();
    // Edits not saved are merged by Save, not overwritten here.
    if (isModified())
        return;
    auto read = core::readCartridge(m_RomPath);
    const auto *bytes = std::get_if<QByteArray>(&read);
    // A file removed or no longer an image is left alone until the user acts.
    if (!bytes || *bytes == m_savedBytes)
        return;
    const auto directory = core::ReadMapDirectory(*bytes);
    if (!directory)
        return;
    takeImage(*bytes, *directory);
    drawChosenChapter();
}

} // namespace app
