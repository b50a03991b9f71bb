#include "ExportBatch.h"

#include "PngWriter.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <future>
#include <numeric>
#include <thread>

namespace cli {

namespace {

using Planned = std::variant<ChapterPlan, ExportFault>;

// A chapter refused while planning packs into nothing.
QByteArray packed(const CartridgeImage &image, const Planned &planned, formats::PngWriter &png)
{
    const auto *plan = std::get_if<ChapterPlan>(&planned);
    return plan ? packChapter(image, *plan, png) : QByteArray();
}

// A chapter refused while planning keeps its fault and writes nothing.
ExportResult written(fileio::FileOperations &files, const Planned &planned, const QByteArray &bytes)
{
    if (const auto *fault = std::get_if<ExportFault>(&planned))
        return *fault;
    return writeChapterFile(files, std::get<ChapterPlan>(planned), bytes);
}

} // namespace

void exportChapters(fileio::FileOperations &files, const CartridgeImage &image,
                    const std::vector<ChapterTarget> &targets, formats::MapFormat format,
                    render::ChapterTiles &tiles, int workers,
                    const std::function<void(const ChapterTarget &, const ExportResult &)> &report)
{
    const std::size_t count = targets.size();
    const auto threads = std::min(static_cast<std::size_t>(std::max(workers, 1)), count);
    if (threads <= 1) {
        formats::PngWriter png;
        for (const ChapterTarget &target : targets)
            report(target,
                   exportChapter(files, image, target.chapter, target.out, format, tiles, png));
        return;
    }

    std::vector<Planned> plans;
    plans.reserve(count);
    for (const ChapterTarget &target : targets)
        plans.push_back(planChapterExport(image, target.chapter, target.out, format, tiles));

    // Packing needs a processor and the memory of a whole picture, so `threads` workers
    // pack the chapters one at a time each, the largest first, so that no worker is left
    // with a large one at the end. Writing mostly waits for the disk, as each file is
    // synced before it replaces the old one; so each packed file is written on a thread of
    // its own while the packing goes on, and the disk serves the syncs together. The
    // threads share the plans and the image, read-only; packed files and results, or
    // exceptions, come back through futures, which also wait for every thread before
    // anything they use goes away.
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto cells = [&](std::size_t i) {
        const auto *plan = std::get_if<ChapterPlan>(&plans[i]);
        return plan ? plan->grid.codes.size() : 0;
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return cells(a) > cells(b); });
    std::vector<std::promise<QByteArray>> packing(count);
    std::vector<std::future<QByteArray>> packedFiles;
    packedFiles.reserve(count);
    for (auto &promise : packing)
        packedFiles.push_back(promise.get_future());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        formats::PngWriter png;
        for (std::size_t k = next++; k < count; k = next++) {
            const std::size_t i = order[k];
            try {
                packing[i].set_value(packed(image, plans[i], png));
            } catch (...) {
                packing[i].set_exception(std::current_exception());
            }
        }
    };
    std::vector<std::future<ExportResult>> results(count);
    std::vector<std::jthread> pool;
    pool.reserve(threads);
    for (std::size_t k = 0; k < threads; ++k)
        pool.emplace_back(work);
    for (const std::size_t i : order)
        results[i] = std::async(std::launch::async, written, std::ref(files), std::cref(plans[i]),
                                packedFiles[i].get());
    for (std::size_t i = 0; i < count; ++i)
        report(targets[i], results[i].get());
}

int exportWorkers()
{
    return static_cast<int>(std::max(std::thread::hardware_concurrency(), 1U));
}

} // namespace cli
