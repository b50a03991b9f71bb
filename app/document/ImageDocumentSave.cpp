// Saving an ImageDocument without losing what other programs wrote to its file: their bytes
// are merged with the edits where the chapter maps lie alike, asked about where they do not,
// and the write goes ahead only while the file still holds what the plan was made from.

#include "ImageDocument.h"

#include "CartridgeFile.h"
#include "ChapterLayout.h"
#include "FileMessages.h"
#include "ImageMerge.h"
#include "PlaceNames.h"

#include <QStringList>
#include <QUndoStack>

#include <algorithm>
#include <cerrno>

namespace app {

namespace {

// A file that changes again after each new plan is left alone after this many.
constexpr int kSaveAttempts = 3;

} // namespace

bool ImageDocument::save()
{
    // Before any image was opened there is nothing to write, and the start path must stay
    // untouched.
    if (!m_loaded)
        return false;
    endStroke();
    for (int attempt = 0; attempt < kSaveAttempts; ++attempt) {
        const FileState file = readFile();
        const std::optional<SavePlan> plan = planSave(file);
        if (!plan)
            return false;
        const fileio::FileContent *readBefore = file.content ? &*file.content : nullptr;
        const auto failure = core::writeCartridge(*m_files, m_path, plan->bytes, readBefore);
        // Another program wrote after the plan was made: plan again against what it wrote.
        if (failure && failure->error.cause == fileio::FileError::Cause::ContentChanged)
            continue;
        if (failure) {
            m_questions->showMessage(core::saveFailureMessage(m_path, *failure),
                                     host::MessageIcon::Critical);
            return false;
        }
        const DroppedSteps dropped =
            plan->clearHistory ? DroppedSteps{} : dropStepsTouching(plan->keptFromFile);
        takeSaved(*plan, fileTailAfterWriting(file, plan->bytes));
        QString prompt = QStringLiteral("保存成功！");
        if (!plan->keptFromFile.isEmpty())
            prompt += QStringLiteral("\n保留了文件中由其他程序写入的 %1 个字节。")
                          .arg(plan->keptFromFile.size());
        if (dropped.touching > 0 && dropped.withThem > 0)
            prompt += QStringLiteral("\n撤销记录中删去了改过这些字节的 %1 步，"
                                     "以及与它们改过同一格的 %2 步。")
                          .arg(dropped.touching)
                          .arg(dropped.withThem);
        else if (dropped.touching > 0)
            prompt +=
                QStringLiteral("\n撤销记录中删去了改过这些字节的 %1 步。").arg(dropped.touching);
        m_questions->showMessage(prompt, host::MessageIcon::Information);
        return true;
    }
    m_questions->showMessage(QStringLiteral("“%1”在保存时一再被其他程序修改，试了%2次都没有写入。\n"
                                            "修改仍在内存中，稍后可以再次保存。")
                                 .arg(core::fileDisplayPath(m_path))
                                 .arg(kSaveAttempts),
                             host::MessageIcon::Critical);
    return false;
}

ImageDocument::FileState ImageDocument::readFile() const
{
    auto read = core::readCartridge(m_path);
    if (const auto *failure = std::get_if<fileio::FileError>(&read)) {
        // A file removed since is written anew, as there is nothing of others' to keep.
        const bool gone = failure->cause == fileio::FileError::Cause::System &&
                          (failure->code == ENOENT || failure->code == ENOTDIR);
        if (gone)
            return FileState{fileio::FileContent{false, {}}, failure->code};
        return FileState{std::nullopt, failure->code};
    }
    return FileState{fileio::FileContent{true, std::get<QByteArray>(std::move(read))}, 0};
}

std::optional<ImageDocument::SavePlan> ImageDocument::planSave(const FileState &file)
{
    const SavePlan plain{bytes(), {}, false};
    const QString unknown = QStringLiteral("现在的内容已不是打开时的ROM，");
    if (!file.content)
        return askOverwrite(unknown) ? std::optional(plain) : std::nullopt;
    const fileio::FileContent &content = *file.content;
    if (!content.exists || content.bytes == m_fileBytes)
        return plain;
    // A byte of the file is the same cell as the editor's only where the maps lie alike.
    if (const auto differences =
            core::layoutDifferences(core::Cartridge(m_fileBytes), core::Cartridge(content.bytes));
        !differences.empty()) {
        QStringList lines;
        for (const core::LayoutDifference &difference : differences)
            lines << layoutChangeText(difference);
        if (!askOverwrite(QStringLiteral("关卡地图的布局变了：\n%1\n").arg(listed(lines))))
            return std::nullopt;
        // The history was recorded on the layout the file no longer has.
        return SavePlan{bytes(), {}, true};
    }
    if (content.bytes.size() != m_fileBytes.size())
        return askOverwrite(unknown) ? std::optional(plain) : std::nullopt;
    return planMerge(content.bytes);
}

QByteArray ImageDocument::fileTailAfterWriting(const FileState &file, const QByteArray &written)
{
    if (file.content)
        return file.content->bytes.mid(written.size());
    // The write kept what it found beyond the image in a file it could not read before.
    auto read = core::readCartridge(m_path);
    const auto *now = std::get_if<QByteArray>(&read);
    return now && now->startsWith(written) ? now->mid(written.size()) : QByteArray();
}

std::optional<ImageDocument::SavePlan> ImageDocument::planMerge(const QByteArray &file)
{
    // The caller has made sure that the file is as long as when last read or written, and
    // so at least as long as the image. Its bytes beyond the image are its own: the write
    // keeps them as they are now.
    const qsizetype length = bytes().size();
    const auto merge = core::ImageMerge::of(m_fileBytes.first(length), bytes(), file.first(length));
    if (!merge)
        return std::nullopt;
    bool keepMine = true;
    if (!merge->conflicts().empty()) {
        const auto answer = askKeepMine(merge->conflicts());
        if (!answer)
            return std::nullopt;
        keepMine = *answer;
    }
    SavePlan plan{merge->result(keepMine), {}, false};
    for (qsizetype i = 0; i < plan.bytes.size(); ++i)
        if (plan.bytes[i] != bytes()[i])
            plan.keptFromFile.insert(i);
    // The merged image is read back as the editor would open it before it is written.
    if (!core::Cartridge(plan.bytes).hasChapters()) {
        m_questions->showMessage(QStringLiteral("与“%1”合并后的ROM读不出关卡地图目录，没有写入。\n"
                                                "修改仍在内存中。")
                                     .arg(core::fileDisplayPath(m_path)),
                                 host::MessageIcon::Critical);
        return std::nullopt;
    }
    return plan;
}

void ImageDocument::takeSaved(const SavePlan &plan, const QByteArray &fileTail)
{
    const core::Cartridge previous = m_image;
    // Every plan's image has its chapter directory: the editor's own, or a merge read back.
    m_image = core::Cartridge(plan.bytes);
    // Exactly what the file holds now, so that the watcher reads nothing back.
    m_fileBytes = plan.bytes + fileTail;
    m_fileIdentity = fileio::fileIdentity(m_path);
    if (plan.clearHistory)
        m_undoStack->clear();
    // The edits are in the file now; the journal begins again on its bytes.
    startJournal();
    if (!plan.keptFromFile.isEmpty())
        emit imageMerged(previous);
    emit changed();
}

ImageDocument::DroppedSteps ImageDocument::dropStepsTouching(const QSet<qsizetype> &offsets)
{
    if (offsets.isEmpty())
        return {};
    const int count = m_undoStack->count();
    const int done = m_undoStack->index();
    const auto stepAt = [this](int i) {
        return static_cast<const CellEdit *>(m_undoStack->command(i));
    };
    const auto touches = [](const CellEdit &step, const QSet<qsizetype> &bytes) {
        return std::any_of(
            step.cells().begin(), step.cells().end(),
            [&](const core::ChangedCell &cell) { return bytes.contains(cell.byte); });
    };
    // A step that goes leaves its cells as the save found them. A step done before it that
    // wrote one of those cells would undo from a code it never wrote, and a step undone after
    // it would redo over a code it was not recorded on: each goes too, and so on. What stays
    // undoes and redoes to bytes the person's own edits gave over the saved file.
    std::vector<bool> dropped(static_cast<std::size_t>(count), false);
    DroppedSteps result;
    const auto sweep = [&](int from, int to, int step) {
        QSet<qsizetype> gone = offsets;
        for (int i = from; i != to; i += step) {
            const CellEdit &edit = *stepAt(i);
            const bool direct = touches(edit, offsets);
            if (!direct && !touches(edit, gone))
                continue;
            dropped[static_cast<std::size_t>(i)] = true;
            ++(direct ? result.touching : result.withThem);
            for (const core::ChangedCell &cell : edit.cells())
                gone.insert(cell.byte);
        }
    };
    sweep(done - 1, -1, -1);
    sweep(done, count, 1);
    if (result.touching == 0)
        return result;
    struct Step {
        int chapter;
        std::vector<core::ChangedCell> cells;
        QString name;
    };
    std::vector<Step> kept;
    int keptDone = 0;
    for (int i = 0; i < count; ++i) {
        if (dropped[static_cast<std::size_t>(i)])
            continue;
        const CellEdit &edit = *stepAt(i);
        kept.push_back(Step{edit.chapter(), edit.cells(), edit.text()});
        keptDone += i < done ? 1 : 0;
    }
    // The history is built anew from the steps that stay, in their order: each is stored
    // again (its bytes hold what it stores already, or are set back by the undo below), and
    // the steps that were undone are undone again. The bytes end as they were: nothing to
    // show.
    const QSignalBlocker quiet(this);
    m_undoStack->clear();
    for (Step &step : kept)
        m_undoStack->push(new CellEdit(*this, step.chapter, std::move(step.cells), step.name));
    m_undoStack->setIndex(keptDone);
    return result;
}

bool ImageDocument::askOverwrite(const QString &why)
{
    const QString prompt = QStringLiteral("“%1”已被其他程序修改，%2无法与你的修改合并。\n"
                                          "覆盖它，写入编辑器中的ROM吗？")
                               .arg(core::fileDisplayPath(m_path), why);
    return m_questions->showMessage(prompt, host::MessageIcon::Question,
                                    host::MessageButtons::OverwriteCancel) ==
           host::MessageAnswer::Overwrite;
}

std::optional<bool> ImageDocument::askKeepMine(const std::vector<qsizetype> &conflicts)
{
    const QString prompt =
        QStringLiteral("“%1”已被其他程序修改，以下位置你和它改成了不同的值：\n%2\n"
                       "这些位置保留你的修改，还是使用文件中的？其他修改都会保留。")
            .arg(core::fileDisplayPath(m_path), listedPlaces(chapters(), conflicts));
    switch (m_questions->showMessage(prompt, host::MessageIcon::Question,
                                     host::MessageButtons::KeepMineUseFileCancel)) {
    case host::MessageAnswer::KeepMine:
        return true;
    case host::MessageAnswer::UseFile:
        return false;
    default:
        return std::nullopt;
    }
}

} // namespace app
