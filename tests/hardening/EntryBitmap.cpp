#include "FuzzEntries.h"

#include "BitmapFile.h"
#include "Picture.h"
#include "RuntimeError.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdlib>

namespace fuzzing {

namespace {

// Large bitmaps within the limits go through the same code as small ones, only slower;
// the fuzzer's time is better spent on shapes than on filling memory.
constexpr std::int64_t kPixelBudget = std::int64_t{1} << 22;

std::int64_t declaredPixels(const QByteArray &bytes)
{
    if (bytes.size() < 26)
        return 0;
    const auto *raw = reinterpret_cast<const uchar *>(bytes.constData());
    std::int64_t width = 0;
    std::int64_t height = 0;
    if (qFromLittleEndian<std::uint32_t>(raw + 14) == 12) {
        width = qFromLittleEndian<std::uint16_t>(raw + 18);
        height = qFromLittleEndian<std::uint16_t>(raw + 20);
    } else {
        width = qFromLittleEndian<std::int32_t>(raw + 18);
        height = qFromLittleEndian<std::int32_t>(raw + 22);
    }
    const bool withinLimits = width > 0 && width <= host::kMaxBitmapSide && height != 0 &&
                              std::llabs(height) <= host::kMaxBitmapSide;
    return withinLimits ? width * std::llabs(height) : 0;
}

// Every pixel takes part in a branch, so that a pixel the decoder never wrote shows up
// under a checker of uninitialised memory, and the sum ties the two decodings together.
std::uint64_t pixelSum(const QImage &image)
{
    std::uint64_t sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            sum = sum * 31 + (qAlpha(line[x]) == 0xFF ? line[x] & 0xFFFFFF : 1u << 31);
    }
    return sum;
}

void checkDecoded(const QByteArray &bytes, const QImage &image)
{
    if (image.isNull())
        return;
    require(image.width() >= 1 && image.width() <= host::kMaxBitmapSide && image.height() >= 1 &&
                image.height() <= host::kMaxBitmapSide,
            "decoded size within the limits");
    require(image.format() == QImage::Format_RGB32, "bitmaps decode opaque, 32 bits");
    // A second decoding of the same bytes gives the same pixels: nothing depends on what
    // memory held before.
    const QImage again = host::decodeBitmap(bytes);
    require(again == image && pixelSum(again) == pixelSum(image), "decoding is deterministic");
}

QString scratchFile()
{
    static QTemporaryDir folder;
    return folder.filePath(QStringLiteral("tile.bmp"));
}

// LoadPicture reads the bytes from a file named .bmp: the same picture as decodeBitmap
// for a bitmap, an icon for icon bytes, and error 481 for anything else.
void checkLoadPicture(const QByteArray &bytes, const QImage &decoded)
{
    const QString path = scratchFile();
    {
        QFile file(path);
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                    file.write(bytes) == bytes.size(),
                "scratch file written");
    }
    const bool isBitmap = bytes.startsWith("BM");
    try {
        const host::Picture picture = host::LoadPicture(path);
        require(picture && !picture->isEmpty(), "a loaded picture has a handle");
        if (isBitmap) {
            require(picture->pictureType() == host::StdPicture::Bitmap &&
                        picture->image() == decoded,
                    "LoadPicture gives decodeBitmap's pixels");
        } else {
            require(picture->pictureType() == host::StdPicture::Icon, "only icons besides bitmaps");
            const QImage &icon = picture->image();
            require(icon.width() >= 1 && icon.height() >= 1, "icon has pixels");
            [[maybe_unused]] const std::uint64_t sum = pixelSum(icon);
        }
    } catch (const host::RuntimeError &error) {
        require(error.number() == host::RuntimeError::InvalidPicture,
                "a file that is no picture raises 481");
        require(!isBitmap || decoded.isNull(),
                "LoadPicture refuses only what decodeBitmap refuses");
    }
}

} // namespace

void bitmap(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    if (declaredPixels(bytes) > kPixelBudget)
        return;
    const QImage image = host::decodeBitmap(bytes);
    checkDecoded(bytes, image);
    if (size % 16 == 0)
        checkLoadPicture(bytes, image);
}

} // namespace fuzzing
