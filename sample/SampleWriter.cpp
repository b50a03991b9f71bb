#include "SampleWriter.h"

#include "SampleImage.h"
#include "TileArt.h"

#include <Cartridge.h>
#include <TileNaming.h>

#include <QDir>
#include <QSaveFile>

#include <optional>
#include <set>

namespace sample {

namespace {

// The codes in the image's 25 maps, found the way the editor finds them.
std::optional<std::set<std::uint8_t>> usedTileCodes(const QByteArray &image)
{
    const core::Cartridge cartridge(image);
    if (!cartridge.hasChapters())
        return std::nullopt;
    std::set<std::uint8_t> codes;
    for (const core::ChapterMap &entry : cartridge.Chapters())
        for (std::int32_t n = 1; n <= entry.cellCount(); ++n)
            if (const auto code = cartridge.codeAt(entry, entry.cellNumbered(n)))
                codes.insert(*code);
    return codes;
}

std::optional<SampleFailure> writeImage(const QString &path, const QByteArray &image)
{
    if (!QDir().mkpath(QFileInfo(path).path()))
        return SampleFailure{
            QStringLiteral("cannot create the folder %1").arg(QFileInfo(path).path())};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(image) != image.size() || !file.commit())
        return SampleFailure{QStringLiteral("cannot write %1: %2").arg(path, file.errorString())};
    return std::nullopt;
}

} // namespace

std::variant<SampleSummary, SampleFailure> writeSample(const QString &outDir)
{
    SampleSummary summary;
    const QByteArray image = buildSampleImage();
    const auto codes = usedTileCodes(image);
    if (!codes)
        return SampleFailure{
            QStringLiteral("the sample image's chapter directory does not read back")};

    summary.imagePath = QDir(outDir).filePath(QStringLiteral("sample/sample.nes"));
    summary.imageBytes = image.size();
    if (auto failure = writeImage(summary.imagePath, image))
        return *failure;

    summary.tileFolder = core::tileFolderIn(outDir);
    if (!QDir().mkpath(summary.tileFolder))
        return SampleFailure{QStringLiteral("cannot create the folder %1").arg(summary.tileFolder)};
    for (const std::uint8_t code : *codes) {
        const QImage tile = drawTileArt(code);
        if (tile.isNull())
            return SampleFailure{QStringLiteral("no tile picture for code %1").arg(code)};
        const QString path = QDir(summary.tileFolder).filePath(core::tileFileName(code));
        if (!tile.save(path, "BMP"))
            return SampleFailure{QStringLiteral("cannot write %1").arg(path)};
        ++summary.tileCount;
    }
    return summary;
}

} // namespace sample
