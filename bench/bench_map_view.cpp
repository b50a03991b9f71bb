#include "Application.h"
#include "BenchData.h"
#include "Dialogs.h"
#include "DifferenceReview.h"
#include "MapRenderer.h"
#include "PictureBox.h"
#include "TileFolder.h"
#include "TileNaming.h"
#include "frmMap.h"

#include <QUndoStack>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A program folder with a bitmap for every tile code and the benchmark image (BenchData.h).
// The tile files are left to settle first, as a user's tiles have, so that the map view
// may keep them decoded between draws.
class Workbench {
public:
    Workbench()
    {
        bench::writeTiles(tileFolder());
        m_rom = bench::benchImage();
        m_romPath = QDir(m_dir.path()).filePath(QStringLiteral("bench.nes"));
        QFile file(m_romPath);
        file.open(QIODevice::WriteOnly);
        file.write(m_rom);
        QThread::sleep(3);
    }

    QString programFolder() const { return m_dir.path(); }
    QString tileFolder() const { return core::tileFolderIn(m_dir.path()); }
    const QByteArray &rom() const { return m_rom; }

    // A shown window with the image opened.
    std::unique_ptr<app::frmMap> openWindow() const
    {
        auto window = std::make_unique<app::frmMap>(programFolder());
        window->show();
        const QString path = m_romPath;
        const auto previous =
            host::setOpenFileHandler([path](const host::OpenFileRequest &) { return path; });
        window->ucButton3_Click();
        host::setOpenFileHandler(previous);
        return window;
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_rom;
    QString m_romPath;
};

const Workbench &workbench()
{
    static const Workbench bench;
    return bench;
}

// The chapter choice as the user makes it, in the real window (offscreen): the size label,
// DrawMap and the list.
void BM_DrawMap(benchmark::State &state)
{
    const auto window = workbench().openWindow();
    auto *list = qobject_cast<QListWidget *>(window->control(QStringLiteral("List1")));
    list->setCurrentRow(int(state.range(0)));
    for (auto _ : state)
        window->List1_Click();
    const std::int64_t cells =
        std::int64_t{window->Chapters()[std::size_t(state.range(0))].cellCount()};
    state.SetItemsProcessed(state.iterations() * cells);
    state.counters["cells"] = double(cells);
}
BENCHMARK(BM_DrawMap)->Arg(0)->ArgName("32x32")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawMap)->Arg(1)->ArgName("256x256")->Unit(benchmark::kMillisecond);

// A window showing the 48 x 36 chapter, every cell holding one code, at zoom level `level`
// (0: 1/2x, 1: 1x, 2: 2x).
std::unique_ptr<app::frmMap> uniformChapter(int level)
{
    auto window = workbench().openWindow();
    auto *list = qobject_cast<QListWidget *>(window->control(QStringLiteral("List1")));
    list->setCurrentRow(2);
    // At 1/2x the whole chapter shows: one rectangle fill gives every cell the chosen tile.
    constexpr float kHalfCell = 120.0f;
    window->mPic_MouseWheel(-120, false, host::kCtrlKey, 0, 0);
    window->mPic_MouseDown(host::kRightButton, host::kCtrlKey | host::kShiftKey, kHalfCell + 30,
                           kHalfCell + 30);
    window->mPic_MouseMove(host::kRightButton, 0, 48 * kHalfCell + 30, 36 * kHalfCell + 30);
    window->mPic_MouseUp(host::kRightButton, 0, 48 * kHalfCell + 30, 36 * kHalfCell + 30);
    window->mPic_MouseWheel(120 * level, false, host::kCtrlKey, 0, 0);
    return window;
}

// Whether every cell of the shown 48 x 36 chapter holds the same code.
bool isUniform(app::frmMap &window)
{
    const core::ChapterMap &entry = window.Chapters()[2];
    const QByteArray cells = window.RomData().mid(entry.DataOffset + 1, 48 * 36);
    return cells.size() == 48 * 36 && cells.count(cells.front()) == cells.size();
}

// Ctrl+right-click filling all 1,728 cells of the chapter: bytes, one step of the history
// and the view's image, the code changing at each fill.
void BM_FillChapter(benchmark::State &state)
{
    const auto window = uniformChapter(1);
    if (!isUniform(*window))
        state.SkipWithError("the chapter's cells do not hold one code");
    int i = 0;
    for (auto _ : state) {
        // The palette's first two tiles in turn, so that every fill changes every cell.
        window->toolpic_MouseDown(1, 0, float(360 * (i++ % 2)), 0);
        window->mPic_MouseDown(host::kRightButton, host::kCtrlKey, 240, 240);
        if (window->undoStack()->count() > 100) {
            state.PauseTiming();
            window->undoStack()->clear();
            state.ResumeTiming();
        }
    }
    if (!isUniform(*window))
        state.SkipWithError("a fill left cells out");
    state.SetItemsProcessed(state.iterations() * 48 * 36);
}
BENCHMARK(BM_FillChapter)->Unit(benchmark::kMillisecond);

// One wheel step of the 48 x 36 chapter: in and out of 2x at the pointer, or down and up
// by one notch at 2x.
void BM_ZoomOrScrollStep(benchmark::State &state)
{
    const bool zoom = state.range(0) == 0;
    const auto window = uniformChapter(2);
    int direction = -120;
    for (auto _ : state) {
        window->mPic_MouseWheel(direction, false, zoom ? host::kCtrlKey : 0, 2400, 2400);
        direction = -direction;
    }
}
BENCHMARK(BM_ZoomOrScrollStep)->Arg(0)->ArgName("zoom")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZoomOrScrollStep)->Arg(1)->ArgName("scroll")->Unit(benchmark::kMillisecond);

// The same chapter drawn without a window, whole, for exporters.
void BM_RenderChapter(benchmark::State &state)
{
    const core::Cartridge image(workbench().rom());
    const core::ChapterMap entry = image.Chapters()[std::size_t(state.range(0))];
    for (auto _ : state)
        benchmark::DoNotOptimize(render::renderChapter(image, entry, workbench().tileFolder()));
    state.SetItemsProcessed(state.iterations() * std::int64_t{entry.cellCount()});
}
BENCHMARK(BM_RenderChapter)->Arg(0)->ArgName("32x32")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderChapter)->Arg(1)->ArgName("256x256")->Unit(benchmark::kMillisecond);

// Filling the palette from 105 tile files.
void BM_GetPic(benchmark::State &state)
{
    const auto window = workbench().openWindow();
    for (auto _ : state)
        window->GetPic();
    state.SetItemsProcessed(state.iterations() * 105);
}
BENCHMARK(BM_GetPic)->Unit(benchmark::kMillisecond);

// The two halves of one cell: loading its tile, and painting it into the view.
void BM_LoadTilePicture(benchmark::State &state)
{
    const core::TileFolder tiles(workbench().tileFolder());
    for (auto _ : state)
        benchmark::DoNotOptimize(render::loadTilePicture(tiles.tilePath(0xC8)));
}
BENCHMARK(BM_LoadTilePicture)->Unit(benchmark::kMicrosecond);

void BM_PaintPicture(benchmark::State &state)
{
    host::PictureBox box;
    box.resize(545, 513);
    const host::Picture tile =
        render::loadTilePicture(core::TileFolder(workbench().tileFolder()).tilePath(0xC8));
    int i = 0;
    for (auto _ : state) {
        box.PaintPicture(tile, 240 * (1 + i % 33), 240 * (1 + (i / 33) % 31), 240, 240);
        ++i;
    }
}
BENCHMARK(BM_PaintPicture)->Unit(benchmark::kMicrosecond);

} // namespace

// The 48 x 36 chapter shown whole at 1/2x, compared with an image in which every one of its
// cells holds another code: every cell differs and shows its mark.
std::unique_ptr<app::frmMap> allDifferent(QTemporaryDir &folder)
{
    auto window = workbench().openWindow();
    auto *list = qobject_cast<QListWidget *>(window->control(QStringLiteral("List1")));
    list->setCurrentRow(2);
    window->mPic_MouseWheel(-120, false, host::kCtrlKey, 0, 0);
    QByteArray reference = workbench().rom();
    const core::ChapterMap &entry = window->Chapters()[2];
    for (std::int32_t n = 1; n <= entry.cellCount(); ++n)
        reference[entry.DataOffset + n] = char(reference[entry.DataOffset + n] ^ 0xFF);
    const QString path = folder.filePath(QStringLiteral("reference.nes"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(reference);
    file.close();
    window->differenceReview().compareWith(path);
    return window;
}

// Ctrl+D on that chapter: every cell in sight drawn again with its mark, the entries and the
// caption.
void BM_ShowMarks(benchmark::State &state)
{
    QTemporaryDir folder;
    const auto window = allDifferent(folder);
    app::DifferenceReview &review = window->differenceReview();
    for (auto _ : state) {
        review.setMarksShown(true);
        state.PauseTiming();
        review.setMarksShown(false);
        state.ResumeTiming();
    }
    state.counters["marked"] = review.differingCells().count(2);
}
BENCHMARK(BM_ShowMarks)->Unit(benchmark::kMillisecond);

// One F8 step between two cells of that chapter, the marks shown.
void BM_StepToNextDifference(benchmark::State &state)
{
    QTemporaryDir folder;
    const auto window = allDifferent(folder);
    app::DifferenceReview &review = window->differenceReview();
    review.setMarksShown(true);
    for (auto _ : state)
        review.step(true);
}
BENCHMARK(BM_StepToNextDifference)->Unit(benchmark::kMillisecond);

// Shift+Backspace on that chapter, the marks shown: one step of 1728 cells, each repainted
// without its mark. Undone between the runs.
void BM_TakeBackChapter(benchmark::State &state)
{
    QTemporaryDir folder;
    const auto window = allDifferent(folder);
    app::DifferenceReview &review = window->differenceReview();
    review.setMarksShown(true);
    for (auto _ : state) {
        review.takeBackChapter();
        state.PauseTiming();
        window->document().undo();
        state.ResumeTiming();
    }
    state.counters["cells"] = review.differingCells().count(2);
}
BENCHMARK(BM_TakeBackChapter)->Unit(benchmark::kMillisecond);

// One right-click edit of a cell of that chapter, with the marks hidden (0) and shown (1):
// what showing them adds to an edit. The palette's first two tiles in turn, so that every
// click changes the cell.
void BM_EditWithMarks(benchmark::State &state)
{
    QTemporaryDir folder;
    const auto window = allDifferent(folder);
    window->differenceReview().setMarksShown(state.range(0) == 1);
    int i = 0;
    for (auto _ : state) {
        window->toolpic_MouseDown(1, 0, float(360 * (i++ % 2)), 0);
        window->mPic_MouseDown(host::kRightButton, 0, 480, 480);
        if (window->undoStack()->count() > 100) {
            state.PauseTiming();
            window->undoStack()->clear();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_EditWithMarks)->Arg(0)->ArgName("shown")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditWithMarks)->Arg(1)->ArgName("shown")->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The windows it opens journal their edits and keep their settings: in a folder of the
    // run's own, never among the person's.
    const QTemporaryDir own;
    qputenv("XDG_DATA_HOME", QFile::encodeName(own.filePath(QStringLiteral("data"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(own.filePath(QStringLiteral("config"))));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(own.filePath(QStringLiteral("cache"))));
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       own.filePath(QStringLiteral("settings")));
#if defined(Q_OS_WIN)
    QStandardPaths::setTestModeEnabled(true);
#endif
    host::Application app(argc, argv);
    host::installFontSubstitutions();
    // No box waits for a person: the windows of earlier runs, gone without closing, leave
    // their journals, which the next window on the same image is told of.
    host::setMessageBoxHandler([](const host::MessageBoxRequest &request) {
        if (request.buttons != host::MessageButtons::Ok)
            qFatal("a benchmark asked a question: %s", qPrintable(request.prompt));
        return host::MessageAnswer::Ok;
    });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
