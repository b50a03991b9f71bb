// Finding and replacing tiles on the sample image: counting every code of all 25 chapters,
// and one code replaced in all of them in the real window (offscreen): the bytes, one step
// of the history, the view's cells with their marks, List1's entries and the caption.

#include "Application.h"
#include "BenchData.h"
#include "CodeReplacement.h"
#include "Dialogs.h"
#include "SampleImage.h"
#include "TileUseReview.h"
#include "TileUses.h"
#include "frmMap.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUndoStack>

#include <benchmark/benchmark.h>

namespace {

void BM_CountTileUses(benchmark::State &state)
{
    const core::Cartridge image(sample::buildSampleImage());
    core::TileUses uses;
    for (auto _ : state) {
        uses.count(image);
        benchmark::DoNotOptimize(uses);
    }
}
BENCHMARK(BM_CountTileUses)->Unit(benchmark::kMillisecond);

// The sample's most used code and another, replaced by each other in turn, the uses of the
// first shown in the chosen chapter.
void BM_ReplaceInAllChapters(benchmark::State &state)
{
    QTemporaryDir folder;
    bench::writeTiles(QDir(folder.path()).filePath(QStringLiteral("MAP")));
    const QString path = folder.filePath(QStringLiteral("sample.nes"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    const core::Cartridge sample(sample::buildSampleImage());
    file.write(sample.RomData());
    file.close();

    app::frmMap window(folder.path());
    window.show();
    const auto previous =
        host::setOpenFileHandler([path](const host::OpenFileRequest &) { return path; });
    window.ucButton3_Click();
    host::setOpenFileHandler(previous);
    qobject_cast<QListWidget *>(window.control(QStringLiteral("List1")))->setCurrentRow(22);

    core::TileUses uses;
    uses.count(sample);
    int most = 0;
    for (int code = 0; code < 256; ++code)
        if (uses.total(std::uint8_t(code)) > uses.total(std::uint8_t(most)))
            most = code;
    const auto other = std::uint8_t(most ^ 0x80);
    app::TileUseReview &review = window.tileUses();
    review.setUsesShown(true);
    const core::ReplaceScope all = core::ReplaceScope::allChapters();
    int i = 0;
    for (auto _ : state) {
        const bool back = i++ % 2 == 1;
        review.replaceCodes(back ? other : std::uint8_t(most), back ? std::uint8_t(most) : other,
                            all);
        if (window.undoStack()->count() > 100) {
            state.PauseTiming();
            window.undoStack()->clear();
            state.ResumeTiming();
        }
    }
    state.counters["cells"] = uses.total(std::uint8_t(most));
}
BENCHMARK(BM_ReplaceInAllChapters)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    host::Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
