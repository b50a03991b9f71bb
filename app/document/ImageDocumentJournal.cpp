// Keeping an ImageDocument's unsaved edits in its recovery journal as they are made: each
// step that changes bytes is appended before the editor handles the next event, and one
// single-shot timer syncs the journal at most once a second, so that a resting editor wakes
// for nothing.

#include "ChapterLayout.h"
#include "ImageDocument.h"

#include "FileMessages.h"
#include "RecoveryJournal.h"

#include <QTimer>
#include <QUndoStack>

#include <algorithm>
#include <chrono>

namespace app {

namespace {

// A sync that failed is tried again this long after.
constexpr std::chrono::milliseconds kSyncRetry{1000};

fileio::JournalStep journalRecord(fileio::JournalStep::Kind kind, const CellEdit &edit,
                                  bool reversed)
{
    fileio::JournalStep step{kind, edit.chapter(), edit.text(), {}, 0};
    step.changes.reserve(edit.cells().size());
    for (const core::ChangedCell &cell : edit.cells())
        step.changes.push_back(reversed
                                   ? fileio::JournalChange{cell.byte, cell.after, cell.before}
                                   : fileio::JournalChange{cell.byte, cell.before, cell.after});
    return step;
}

} // namespace

void ImageDocument::startJournal()
{
    if (m_journal)
        m_journal->end();
    m_journalSync->stop();
    m_journal = fileio::RecoveryJournal::start(m_path, m_fileIdentity, m_fileBytes,
                                               core::layoutRecord(core::Cartridge(m_fileBytes)),
                                               m_journalOwner);
    m_journalFloor = m_undoStack->index();
    m_journalMirrorsHistory = true;
    m_journalBehind = false;
    m_journalFailureTold = false;
}

void ImageDocument::discardJournal()
{
    if (!m_journal)
        return;
    m_journal->end();
    m_journalSync->stop();
    m_journalBehind = isModified();
}

void ImageDocument::journalCatchUp()
{
    if (!m_journal || !std::exchange(m_journalBehind, false))
        return;
    // What the bytes hold beyond the file's goes first, as bytes taken outside the history:
    // the journal's history begins after it.
    m_journalFloor = m_undoStack->index();
    m_journalMirrorsHistory = true;
    fileio::JournalStep merge{fileio::JournalStep::Kind::Merge, -1, {}, {}, 0};
    const qsizetype length = std::min(bytes().size(), m_fileBytes.size());
    for (qsizetype i = 0; i < length; ++i)
        if (bytes()[i] != m_fileBytes[i])
            merge.changes.push_back({i, static_cast<std::uint8_t>(m_fileBytes[i]),
                                     static_cast<std::uint8_t>(bytes()[i])});
    if (!merge.changes.empty())
        m_journal->append(std::move(merge));
}

void ImageDocument::journalStep(fileio::JournalStep::Kind kind, int index)
{
    if (!m_journal || index < 0 || index >= m_undoStack->count())
        return;
    using Kind = fileio::JournalStep::Kind;
    const auto &edit = *static_cast<const CellEdit *>(m_undoStack->command(index));
    // A step done before the journal began is not the journal's to undo: its undo is a new
    // change of bytes, and the journal no longer mirrors the history's order.
    bool reversed = false;
    if (kind == Kind::Undo && (!m_journalMirrorsHistory || index < m_journalFloor)) {
        m_journalMirrorsHistory = false;
        kind = Kind::Do;
        reversed = true;
    } else if (kind == Kind::Redo && !m_journalMirrorsHistory) {
        kind = Kind::Do;
    }
    if (const int failure = m_journal->append(journalRecord(kind, edit, reversed));
        failure && !std::exchange(m_journalFailureTold, true))
        m_questions->showMessage(QStringLiteral("无法记下“%1”未保存的修改（%2）。\n"
                                                "编辑器意外退出时这些修改将无法恢复，请尽快保存。")
                                     .arg(core::fileDisplayPath(m_path),
                                          core::fileErrorReason(fileio::FileError::system(failure),
                                                                core::MessageLanguage::Chinese)),
                                 host::MessageIcon::Exclamation);
    settleJournal();
}

void ImageDocument::settleJournal()
{
    if (!m_journal)
        return;
    if (!isModified()) {
        // The bytes are the file's: nothing is left to recover.
        m_journal->end();
        m_journalSync->stop();
        m_journalFloor = m_undoStack->index();
        m_journalMirrorsHistory = true;
        m_journalBehind = false;
        return;
    }
    if (m_journalSync->isActive())
        return;
    if (const auto due = m_journal->syncDueAt()) {
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(
            *due - fileio::RecoveryJournal::Clock::now());
        m_journalSync->start(std::max(wait, std::chrono::milliseconds(0)));
    }
}

void ImageDocument::syncJournal()
{
    if (!m_journal)
        return;
    if (m_journal->syncIfDue() != 0) {
        m_journalSync->start(kSyncRetry);
        return;
    }
    settleJournal();
}

} // namespace app
