#pragma once

#include "ChapterExport.h"

#include <QString>

#include <functional>
#include <vector>

namespace render {
class ChapterTiles;
}

namespace cli {

// One chapter of a batch and the file it goes to.
struct ChapterTarget {
    int chapter = 0;
    QString out;
};

// Exports several chapters of one image. The calling thread plans every chapter first;
// then `workers` threads pack the chapters (draw and encode them), the largest first, and
// each packed file is written on a thread of its own. The calling thread hands every
// result to `report` in the order of `targets`, so that files, output and results are the
// same whatever the number of threads. With one worker (or one chapter) the calling
// thread exports the chapters itself with exportChapter, one after another.
void exportChapters(fileio::FileOperations &files, const CartridgeImage &image,
                    const std::vector<ChapterTarget> &targets, formats::MapFormat format,
                    render::ChapterTiles &tiles, int workers,
                    const std::function<void(const ChapterTarget &, const ExportResult &)> &report);

// How many threads a batch uses on this machine: one per processor core.
int exportWorkers();

} // namespace cli
