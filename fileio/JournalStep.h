#pragma once

#include <QString>

#include <cstdint>
#include <vector>

namespace fileio {

// One byte a step of an image's history set: where, and the code it held before and after.
// Both are kept so that the step and its reversal can be replayed, and so that a replay can
// tell that each byte holds what the step found there.
struct JournalChange {
    qint64 offset = 0;
    std::uint8_t before = 0;
    std::uint8_t after = 0;
    friend bool operator==(const JournalChange &, const JournalChange &) = default;
};

// One step of the history that changed bytes, as the recovery journal keeps it.
struct JournalStep {
    enum class Kind : std::uint8_t {
        Do = 1,    // a new step (an edit, a fill, a stamp): its bytes take their codes after
        Undo = 2,  // the last step done taken back: its bytes take their codes before
        Redo = 3,  // the last step undone done again: its bytes take their codes after
        Merge = 4, // bytes a save took from the file, outside the history: codes after
    };
    Kind kind = Kind::Do;
    // The chapter of an edit, 0..24; -2 for an edit of cells in several chapters; -1 for a
    // merge.
    std::int32_t chapter = -1;
    QString name; // what made the step, as the history shows it
    std::vector<JournalChange> changes;
    qint64 madeAt = 0; // when it was appended, in milliseconds since 1970 (UTC)
    friend bool operator==(const JournalStep &, const JournalStep &) = default;
};

} // namespace fileio
