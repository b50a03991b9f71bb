#include "GdiObjects.h"

#include "DeviceContext.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <variant>

namespace host {

namespace {

using GdiObject = std::variant<GdiBrush, GdiPen, GdiBitmap>;

constexpr int kMaxCreatedBitmapSide = 32767;
constexpr std::uint32_t kFirstHandle = 0x100;
// The stock pen, brush and bitmap, which are never deleted.
constexpr std::size_t kStockObjects = 3;

// Every drawing object of the process, by handle. The user-interface thread is the only
// one that draws, so the table needs no lock.
struct ObjectTable {
    ObjectTable()
    {
        objects.emplace(kStockPen.value, GdiPen{});
        objects.emplace(kStockBrush.value, GdiBrush{RGB(255, 255, 255), {}});
        QImage pixel(1, 1, QImage::Format_RGB32);
        pixel.fill(Qt::black);
        objects.emplace(kStockBitmap.value, GdiBitmap{pixel, true});
    }

    template <typename Object> std::uint32_t add(Object object)
    {
        const std::uint32_t handle = nextHandle++;
        objects.emplace(handle, std::move(object));
        return handle;
    }

    template <typename Object> Object *find(std::uint32_t handle)
    {
        const auto it = objects.find(handle);
        return it == objects.end() ? nullptr : std::get_if<Object>(&it->second);
    }

    template <typename Object> bool remove(std::uint32_t handle)
    {
        if (!find<Object>(handle))
            return false;
        if (handle >= kFirstHandle)
            objects.erase(handle);
        return true;
    }

    std::unordered_map<std::uint32_t, GdiObject> objects;
    // Declared after the objects so that contexts go first when the process ends.
    std::unordered_map<DeviceContext *, std::unique_ptr<DeviceContext>> memoryContexts;
    std::uint32_t nextHandle = kFirstHandle;
};

ObjectTable &table()
{
    static ObjectTable instance;
    return instance;
}

QImage monochromeImage(int width, int height, const unsigned char *bits)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    if (!bits)
        return image;
    const int stride = (width + 15) / 16 * 2;
    for (int y = 0; y < height; ++y) {
        const unsigned char *row = bits + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            if (row[x / 8] & (0x80 >> (x % 8)))
                image.setPixel(x, y, qRgb(255, 255, 255));
        }
    }
    return image;
}

QImage trueColorImage(int width, int height, const unsigned char *bits)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    if (!bits)
        return image;
    for (int y = 0; y < height; ++y) {
        // Each row of 32-bit pixels already ends on a word boundary.
        const unsigned char *row = bits + static_cast<std::ptrdiff_t>(y) * width * 4;
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]));
    }
    return image;
}

} // namespace

HBRUSH CreateSolidBrush(ColorRef color)
{
    return HBRUSH{table().add(GdiBrush{color & 0xFFFFFF, {}})};
}

HBRUSH CreatePatternBrush(HBITMAP bitmap)
{
    const GdiBitmap *source = findBitmap(bitmap);
    if (!source)
        return {};
    GdiBrush brush;
    brush.pattern = *source;
    brush.pattern.image.detach();
    return HBRUSH{table().add(std::move(brush))};
}

HPEN CreatePen(int style, int width, ColorRef color)
{
    if (style != PS_SOLID && style != PS_NULL)
        return {};
    return HPEN{table().add(GdiPen{style, std::max(width, 1), color & 0xFFFFFF})};
}

HBITMAP CreateBitmap(int width, int height, unsigned planes, unsigned bitsPerPixel,
                     const void *bits)
{
    if (width < 1 || height < 1 || width > kMaxCreatedBitmapSide || height > kMaxCreatedBitmapSide || planes != 1)
        return {};
    const auto *bytes = static_cast<const unsigned char *>(bits);
    if (bitsPerPixel == 1)
        return HBITMAP{table().add(GdiBitmap{monochromeImage(width, height, bytes), true})};
    if (bitsPerPixel == 32)
        return HBITMAP{table().add(GdiBitmap{trueColorImage(width, height, bytes), false})};
    return {};
}

bool DeleteObject(HBRUSH brush)
{
    return table().remove<GdiBrush>(brush.value);
}
bool DeleteObject(HPEN pen)
{
    return table().remove<GdiPen>(pen.value);
}
bool DeleteObject(HBITMAP bitmap)
{
    return table().remove<GdiBitmap>(bitmap.value);
}

HDC CreateCompatibleDC(const DeviceContext *reference)
{
    Q_UNUSED(reference);
    std::unique_ptr<DeviceContext> dc(new DeviceContext());
    const HDC handle = dc.get();
    table().memoryContexts.emplace(handle, std::move(dc));
    return handle;
}

bool DeleteDC(HDC dc)
{
    return table().memoryContexts.erase(dc) != 0;
}

int gdiObjectCount()
{
    const ObjectTable &objects = table();
    return static_cast<int>(objects.objects.size() - kStockObjects + objects.memoryContexts.size());
}

const GdiBrush *findBrush(HBRUSH brush)
{
    return table().find<GdiBrush>(brush.value);
}
const GdiPen *findPen(HPEN pen)
{
    return table().find<GdiPen>(pen.value);
}
GdiBitmap *findBitmap(HBITMAP bitmap)
{
    return table().find<GdiBitmap>(bitmap.value);
}

} // namespace host
