#pragma once

#include "Cartridge.h"
#include "ChangedCell.h"
#include "CodeRules.h"

#include <QRect>

#include <array>
#include <optional>
#include <vector>

namespace core {

// Where codes are replaced: chapters (indexes 0..24), and within them, where given, the
// cells of a rectangle alone (columns and rows from 1).
struct ReplaceScope {
    std::vector<int> chapters;
    std::optional<QRect> cells;

    static ReplaceScope allChapters();
};

// The cells a replacement changes, with their bytes. Chapters whose records overlap share
// bytes: each chapter counts its own cells, while a byte is changed once, in the first
// chapter of the scope that holds it.
struct CodeReplacement {
    struct ChapterCells {
        int chapter = 0; // 0..24
        std::vector<ChangedCell> cells;
    };
    // Each chapter's cells that change, counted in that chapter.
    std::array<int, kChapterCount> counts{};
    // The bytes to change, with the first chapter that holds each.
    std::vector<ChapterCells> chapters;

    int totalCells() const;
    int changedBytes() const;
    bool empty() const { return chapters.empty(); }
};

// Every cell of the scope whose code a rule changes, read from the image's codes as they
// are (never from a rule's result). A cell whose byte lies beyond the image is left, and so
// is every byte outside the chapters' cells.
CodeReplacement replaceCodes(const Cartridge &image, const CodeRules &rules,
                             const ReplaceScope &scope);

// Stores the replacement's codes into the image's bytes.
void applyReplacement(Cartridge &image, const CodeReplacement &replacement);

} // namespace core
