#pragma once

#include "ChapterExport.h"

#include <QString>

#include <functional>
#include <vector>

namespace cli {

class TileBitmaps;

// One chapter of a batch and the file it goes to.
struct ChapterTarget {
    int chapter = 0;
    QString out;
};

// Exports several chapters of one image. The calling thread plans every chapter first;
// then up to `workers` threads pack the chapters, taken in the order of `targets`, while
// the calling thread writes the files in that order, each as soon as it is packed, and
// hands each result to `report`. Files, output and results are therefore the same
// whatever the number of threads, and waiting for the disk overlaps the packing. With
// one worker (or one chapter) the calling thread packs and writes the chapters itself,
// one after another.
void exportChapters(const CartridgeImage &image, const std::vector<ChapterTarget> &targets,
                    MapFormat format, TileBitmaps &tiles, int workers,
                    const std::function<void(const ChapterTarget &, const ExportResult &)> &report);

// How many threads a batch uses on this machine: one per processor core.
int exportWorkers();

} // namespace cli
