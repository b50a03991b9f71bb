#include "ExportBatch.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <future>
#include <thread>

namespace cli {

namespace {

using Planned = std::variant<ChapterPlan, ExportFault>;

// A chapter refused while planning packs into nothing.
QByteArray packed(const CartridgeImage &image, const Planned &planned)
{
    const auto *plan = std::get_if<ChapterPlan>(&planned);
    return plan ? packChapter(image, *plan) : QByteArray();
}

// A chapter refused while planning keeps its fault and writes nothing.
ExportResult written(const Planned &planned, const QByteArray &bytes)
{
    if (const auto *fault = std::get_if<ExportFault>(&planned))
        return *fault;
    return writeChapterFile(std::get<ChapterPlan>(planned), bytes);
}

} // namespace

void exportChapters(const CartridgeImage &image, const std::vector<ChapterTarget> &targets,
                    MapFormat format, TileBitmaps &tiles, int workers,
                    const std::function<void(const ChapterTarget &, const ExportResult &)> &report)
{
    std::vector<Planned> plans;
    plans.reserve(targets.size());
    for (const ChapterTarget &target : targets)
        plans.push_back(planChapterExport(image, target.chapter, target.out, format, tiles));

    const auto threads = std::min(static_cast<std::size_t>(std::max(workers, 1)), plans.size());
    if (threads <= 1) {
        for (std::size_t i = 0; i < plans.size(); ++i)
            report(targets[i], written(plans[i], packed(image, plans[i])));
        return;
    }

    // Packing needs a processor and the memory of a whole picture, so `threads` workers
    // pack the chapters in order, one at a time each. Writing mostly waits for the disk,
    // as each file is synced before it replaces the old one; so each packed file is
    // written on a thread of its own while the packing goes on, and the disk serves the
    // syncs together. The threads share the plans and the image, read-only; packed files
    // and results, or exceptions, come back through futures, which also wait for every
    // thread before anything they use goes away.
    std::vector<std::promise<QByteArray>> promises(plans.size());
    std::vector<std::future<QByteArray>> files;
    files.reserve(plans.size());
    for (auto &promise : promises)
        files.push_back(promise.get_future());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < plans.size(); i = next++) {
            try {
                promises[i].set_value(packed(image, plans[i]));
            } catch (...) {
                promises[i].set_exception(std::current_exception());
            }
        }
    };
    std::vector<std::future<ExportResult>> results;
    results.reserve(plans.size());
    std::vector<std::jthread> pool;
    pool.reserve(threads);
    for (std::size_t k = 0; k < threads; ++k)
        pool.emplace_back(work);
    for (std::size_t i = 0; i < plans.size(); ++i)
        results.push_back(
            std::async(std::launch::async, written, std::cref(plans[i]), files[i].get()));
    for (std::size_t i = 0; i < plans.size(); ++i)
        report(targets[i], results[i].get());
}

int exportWorkers()
{
    return static_cast<int>(std::max(std::thread::hardware_concurrency(), 1U));
}

} // namespace cli
