#include "JournalReplay.h"

#include "Cartridge.h"
#include "MapPlace.h"

#include <QSet>

namespace core {

namespace {

using Kind = fileio::JournalStep::Kind;

// The cells of an edit's bytes in its chapter, as the image's directory places it.
std::optional<RecoveredStep> asHistoryStep(const Cartridge &image, const fileio::JournalStep &step)
{
    if (step.chapter == kSeveralChapters) {
        // Each byte the cell of the first chapter that holds it.
        RecoveredStep recovered{step.chapter, step.name, {}};
        recovered.cells.reserve(step.changes.size());
        for (const fileio::JournalChange &change : step.changes) {
            const auto place = mapPlaceOfByte(image.Chapters(), change.offset);
            if (!place)
                return std::nullopt;
            recovered.cells.push_back(
                {place->cell, static_cast<qsizetype>(change.offset), change.before, change.after});
        }
        return recovered;
    }
    if (step.chapter < 0 || step.chapter >= kChapterCount)
        return std::nullopt;
    const ChapterMap &entry = image.Chapters()[static_cast<std::size_t>(step.chapter)];
    RecoveredStep recovered{step.chapter, step.name, {}};
    recovered.cells.reserve(step.changes.size());
    for (const fileio::JournalChange &change : step.changes) {
        const qint64 number = change.offset - entry.DataOffset;
        if (number < 1 || number > entry.cellCount())
            return std::nullopt;
        recovered.cells.push_back({entry.cellNumbered(static_cast<std::int32_t>(number)),
                                   static_cast<qsizetype>(change.offset), change.before,
                                   change.after});
    }
    return recovered;
}

bool sameChanges(const RecoveredStep &step, const fileio::JournalStep &record)
{
    if (step.chapter != record.chapter || step.cells.size() != record.changes.size())
        return false;
    for (std::size_t i = 0; i < step.cells.size(); ++i) {
        const ChangedCell &cell = step.cells[i];
        const fileio::JournalChange &change = record.changes[i];
        if (cell.byte != change.offset || cell.before != change.before ||
            cell.after != change.after)
            return false;
    }
    return true;
}

// Sets the step's bytes, each checked to hold the code the step found there.
bool applyStep(QByteArray &bytes, const fileio::JournalStep &step)
{
    const bool back = step.kind == Kind::Undo;
    for (const fileio::JournalChange &change : step.changes) {
        if (change.offset >= bytes.size())
            return false;
        const auto found = static_cast<std::uint8_t>(bytes.at(change.offset));
        if (found != (back ? change.after : change.before))
            return false;
        bytes[change.offset] = static_cast<char>(back ? change.before : change.after);
    }
    return true;
}

} // namespace

std::optional<RecoveredEdits> replayJournal(const QByteArray &base,
                                            const std::vector<fileio::JournalStep> &steps)
{
    // Edits change cell bytes alone, never a map record's header: the directory of the base
    // places every step.
    const Cartridge image(base);
    RecoveredEdits edits{base, {}, {}, 0};
    for (const fileio::JournalStep &step : steps) {
        if (!applyStep(edits.bytes, step))
            return std::nullopt;
        ++edits.steps;
        if (step.kind == Kind::Merge) {
            edits.done.clear();
            edits.undone.clear();
            continue;
        }
        if (step.kind == Kind::Undo) {
            // Only the last step done is undone; its record repeats that step's bytes.
            if (edits.done.empty() || !sameChanges(edits.done.back(), step))
                return std::nullopt;
            edits.undone.push_back(std::move(edits.done.back()));
            edits.done.pop_back();
            continue;
        }
        auto recovered = asHistoryStep(image, step);
        if (!recovered)
            return std::nullopt;
        if (step.kind == Kind::Do)
            edits.undone.clear();
        else if (!edits.undone.empty() && sameChanges(edits.undone.back(), step))
            edits.undone.pop_back();
        // A redo with no step undone before it: a journal begun again after undo had brought
        // the bytes back to the file's, whose undone steps it no longer holds.
        edits.done.push_back(std::move(*recovered));
    }
    return edits;
}

std::optional<QByteArray> journalBaseIn(const QByteArray &file,
                                        const std::vector<fileio::JournalStep> &steps)
{
    QByteArray base = file;
    QSet<qint64> touched;
    for (const fileio::JournalStep &step : steps)
        for (const fileio::JournalChange &change : step.changes) {
            if (change.offset >= base.size())
                return std::nullopt;
            if (touched.contains(change.offset))
                continue;
            touched.insert(change.offset);
            base[change.offset] =
                static_cast<char>(step.kind == Kind::Undo ? change.after : change.before);
        }
    return base;
}

} // namespace core
