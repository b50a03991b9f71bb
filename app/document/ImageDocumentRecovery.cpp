// Offering back, when an image is opened, the edits an editor that stopped without saving
// left in its recovery journal: as they were where the file is unchanged, merged with the
// file's changes as Save merges them where it is not.

#include "ImageDocument.h"

#include "FileMessages.h"
#include "ImageMerge.h"
#include "PlaceNames.h"
#include "RecoveryJournal.h"

#include <QDateTime>
#include <QUndoStack>

namespace app {

namespace {

QString problemText(const fileio::JournalReading &reading)
{
    switch (reading.problem) {
    case fileio::JournalProblem::None:
        break;
    case fileio::JournalProblem::NotOurs:
        return QStringLiteral("不是本编辑器的恢复记录");
    case fileio::JournalProblem::WrongChecksum:
        return QStringLiteral("已损坏，其中一条记录的校验和不符");
    case fileio::JournalProblem::OtherImage:
        return QStringLiteral("记的是另一个ROM的修改");
    case fileio::JournalProblem::Unreadable:
        return QStringLiteral("读不出来：%1")
            .arg(core::fileErrorReason(fileio::FileError::system(reading.readError),
                                       core::MessageLanguage::Chinese));
    }
    return {};
}

QString unusedJournalText(const QString &file, const QString &why)
{
    return QStringLiteral("恢复记录“%1”%2，没有使用，也没有删除。")
        .arg(core::fileDisplayPath(file), why);
}

// What the questions begin with: the image, how many steps, and when the last was made, in
// the person's own time.
QString unsavedText(const QString &path, const fileio::JournalContents &journal)
{
    const QString when = QDateTime::fromMSecsSinceEpoch(journal.lastStepAt())
                             .toLocalTime()
                             .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return QStringLiteral("“%1”有未保存的修改（%2 步，最后一次在 %3）")
        .arg(core::fileDisplayPath(path), QString::number(journal.steps.size()), when);
}

// The bytes before the steps done are done again: the replay's with each set back.
QByteArray bytesBefore(const core::RecoveredEdits &edits)
{
    QByteArray bytes = edits.bytes;
    for (auto step = edits.done.rbegin(); step != edits.done.rend(); ++step)
        for (const core::ChangedCell &cell : step->cells)
            bytes[cell.byte] = static_cast<char>(cell.before);
    return bytes;
}

} // namespace

bool ImageDocument::settleJournals(const QString &path, const QByteArray &fileBytes,
                                   std::optional<Recovery> &recovered)
{
    for (const fileio::JournalReading &reading : fileio::readJournals(path)) {
        // This document's own journal, of edits it is about to give up.
        if (m_journal && reading.file == m_journal->path())
            continue;
        if (!reading.contents) {
            m_questions->showMessage(unusedJournalText(reading.file, problemText(reading)),
                                     host::MessageIcon::Exclamation);
            continue;
        }
        if (reading.contents->ownerRunning) {
            m_questions->showMessage(
                QStringLiteral("另一个编辑器（进程 %1）正在编辑“%2”，它未保存的修改不在这里恢复。\n"
                               "这里打开的是文件现在的内容。")
                    .arg(QString::number(reading.contents->owner.processId),
                         core::fileDisplayPath(path)),
                host::MessageIcon::Information);
            continue;
        }
        // One journal is taken back at a time; another stays for the next open.
        if (recovered)
            continue;
        if (!offerJournal(path, fileBytes, reading, recovered))
            return false;
    }
    return true;
}

bool ImageDocument::offerJournal(const QString &path, const QByteArray &fileBytes,
                                 const fileio::JournalReading &reading,
                                 std::optional<Recovery> &recovered)
{
    const fileio::JournalContents &journal = *reading.contents;
    // A journal cut off before its first step holds nothing to give back.
    if (journal.steps.empty()) {
        fileio::removeJournal(reading.file);
        return true;
    }
    QString prompt = unsavedText(path, journal) + QStringLiteral("。要恢复吗？");
    Recovery recovery{reading.file, {}, {}, {}};
    if (journal.startsFrom(fileBytes)) {
        const auto edits = core::replayJournal(fileBytes, journal.steps);
        if (!edits) {
            m_questions->showMessage(
                unusedJournalText(reading.file, QStringLiteral("中的修改与文件中的字节对不上")),
                host::MessageIcon::Exclamation);
            return true;
        }
        recovery.bytes = bytesBefore(*edits);
        recovery.done = edits->done;
        recovery.undone = edits->undone;
    } else {
        // Another program wrote the file since the journal began: its edits go on top of the
        // file's changes where the chapter maps still lie where the steps found them.
        const auto base = core::journalBaseIn(fileBytes, journal.steps);
        const auto edits = base ? core::replayJournal(*base, journal.steps) : std::nullopt;
        const auto merge =
            edits ? core::ImageMerge::of(*base, edits->bytes, fileBytes) : std::nullopt;
        // The layout the journal recorded names the chapters that moved; a journal without
        // one tells only by the file's length and by cells that no longer fit the maps.
        const auto moved = core::layoutDifferences(journal.baseLayout, core::Cartridge(fileBytes));
        if ((moved && !moved->empty()) || fileBytes.size() != journal.baseLength || !merge) {
            QStringList lines;
            for (const core::LayoutDifference &difference :
                 moved.value_or(std::vector<core::LayoutDifference>{}))
                lines << layoutChangeText(difference);
            const QString change = !lines.isEmpty() ? listed(lines)
                                   : fileBytes.size() != journal.baseLength
                                       ? QStringLiteral("文件的长度从 %1 字节变为 %2 字节")
                                             .arg(journal.baseLength)
                                             .arg(fileBytes.size())
                                       : QStringLiteral("修改过的格子已不在文件的关卡地图之内");
            const QString question =
                unsavedText(path, journal) +
                QStringLiteral("，但文件在这之后被其他程序修改，关卡地图的布局变了：\n%1\n"
                               "这些修改无法与它合并。丢弃这些修改，打开文件现在的内容吗？\n"
                               "（取消：恢复记录保留，什么也不打开）")
                    .arg(change);
            if (m_questions->showMessage(question, host::MessageIcon::Question,
                                         host::MessageButtons::DiscardCancel) !=
                host::MessageAnswer::Discard)
                return false;
            fileio::removeJournal(reading.file);
            return true;
        }
        prompt += QStringLiteral("\n文件在这之后被其他程序修改过，恢复时与它合并。");
        if (!merge->conflicts().empty())
            prompt +=
                QStringLiteral("\n以下位置你和它改成了不同的值，恢复时保留你的修改：\n%1")
                    .arg(listedPlaces(core::Cartridge(fileBytes).Chapters(), merge->conflicts()));
        // The history was recorded on other bytes: the merge's result is one change of them.
        recovery.bytes = merge->result(true);
    }
    switch (m_questions->showMessage(prompt, host::MessageIcon::Question,
                                     host::MessageButtons::RecoverDiscardCancel)) {
    case host::MessageAnswer::Restore:
        recovered = std::move(recovery);
        return true;
    case host::MessageAnswer::Discard:
        fileio::removeJournal(reading.file);
        return true;
    default:
        return false;
    }
}

void ImageDocument::takeRecovery(Recovery recovery)
{
    // The steps become the history again, each journaled anew, with what the bytes hold
    // before them first; only then does the journal that held them go.
    m_image = core::Cartridge(std::move(recovery.bytes));
    m_journalBehind = true;
    const auto stepOf = [this](core::RecoveredStep &step) {
        return std::make_unique<CellEdit>(*this, step.chapter, std::move(step.cells), step.name);
    };
    for (core::RecoveredStep &step : recovery.done)
        push(stepOf(step));
    const int done = m_undoStack->index();
    for (auto step = recovery.undone.rbegin(); step != recovery.undone.rend(); ++step)
        push(stepOf(*step));
    while (m_undoStack->index() > done)
        undo();
    journalCatchUp();
    const bool kept =
        !isModified() || (m_journal && m_journal->stepCount() > 0 && m_journal->syncNow() == 0);
    if (kept)
        fileio::removeJournal(recovery.journalFile);
    emit imageReplaced();
    emit changed();
}

} // namespace app
