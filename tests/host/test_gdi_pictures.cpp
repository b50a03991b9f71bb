#include "GdiCanvas.h"

#include "RuntimeError.h"

#include <array>
#include <cstdlib>

using namespace gdi_test;

namespace
{

constexpr host::ColorRef kMagenta = host::RGB(255, 0, 255);

QImage gradientImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 16, y * 20, 77));
    return image;
}

bool onOutline(const host::RECT &r, int x, int y)
{
    const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    return inside && (x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1);
}

class FocusRectTest : public ::testing::TestWithParam<host::RECT>
{
};

TEST_P(FocusRectTest, InvertsEveryOtherOutlinePixelAndVanishesWhenDrawnTwice)
{
    const host::RECT rect = GetParam();
    const QImage original = gradientImage(15, 12);
    QImage image = original;
    host::DeviceContext dc(&image);
    ASSERT_TRUE(host::DrawFocusRect(dc, rect));
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 15; ++x) {
            const bool dotted = onOutline(rect, x, y) && (x + y) % 2 == 0;
            const QRgb want = dotted ? original.pixel(x, y) ^ 0x00FFFFFFu : original.pixel(x, y);
            ASSERT_EQ(image.pixel(x, y), want) << x << ',' << y;
        }
    host::DrawFocusRect(dc, rect);
    EXPECT_EQ(image, original);
}

INSTANTIATE_TEST_SUITE_P(Rects, FocusRectTest,
                         ::testing::Values(host::RECT{4, 4, 11, 8}, host::RECT{3, 2, 12, 9},
                                           host::RECT{0, 0, 15, 12}, host::RECT{-2, 5, 6, 20},
                                           host::RECT{5, 5, 5, 9}));

QImage twoByThree()
{
    // Red, magenta, blue / magenta, green, red.
    QImage image(3, 2, QImage::Format_RGB32);
    const QRgb m = host::toQRgb(kMagenta);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, m);
    image.setPixel(2, 0, qRgb(0, 0, 255));
    image.setPixel(0, 1, m);
    image.setPixel(1, 1, qRgb(0, 128, 0));
    image.setPixel(2, 1, qRgb(255, 0, 0));
    return image;
}

TEST(TransparentBlt, SkipsEveryPixelOfTheKeyColour)
{
    const int before = host::gdiObjectCount();
    const host::Picture picture =
        host::StdPicture::makeOfType(host::StdPicture::Bitmap, twoByThree());
    Canvas canvas(8, 5);
    const host::HDC memory = host::CreateCompatibleDC(nullptr);
    const host::HBITMAP previous = host::SelectObject(*memory, picture);
    EXPECT_EQ(previous, host::kStockBitmap);
    ASSERT_TRUE(host::TransparentBlt(canvas.dc, 2, 1, 3, 2, *memory, 0, 0, 3, 2, kMagenta));
    EXPECT_EQ(host::SelectObject(*memory, previous), host::HBITMAP{});
    EXPECT_TRUE(host::DeleteDC(memory));
    EXPECT_EQ(host::gdiObjectCount(), before);

    EXPECT_EQ(pixelsOf(canvas.image, kRed), (PixelSet{{2, 1}, {4, 2}}));
    EXPECT_EQ(pixelsOf(canvas.image, kBlue), (PixelSet{{4, 1}}));
    EXPECT_EQ(pixelsOf(canvas.image, kGreen), (PixelSet{{3, 2}}));
    EXPECT_EQ(pixelsOf(canvas.image, kWhite).size(), 40u - 4u);
}

TEST(TransparentBlt, StretchesByRepeatingPixels)
{
    const host::Picture picture =
        host::StdPicture::makeOfType(host::StdPicture::Bitmap, twoByThree());
    Canvas canvas(6, 4);
    const host::HDC memory = host::CreateCompatibleDC(&canvas.dc);
    host::SelectObject(*memory, picture);
    host::TransparentBlt(canvas.dc, 0, 0, 6, 4, *memory, 0, 0, 3, 2, kMagenta);
    host::DeleteDC(memory);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(canvas.image.pixel(x, y) | 0xFF000000u,
                      (twoByThree().pixel(x / 2, y / 2) == host::toQRgb(kMagenta))
                          ? host::toQRgb(kWhite)
                          : twoByThree().pixel(x / 2, y / 2))
                << x << ',' << y;
}

TEST(TransparentBlt, SystemColourKeyMatchesItsCurrentValue)
{
    const host::ColorRef face = host::GetSysColor(host::COLOR_BTNFACE);
    QImage image(2, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, host::toQRgb(face));
    image.setPixel(1, 0, qRgb(255, 0, 0));
    const host::Picture picture = host::StdPicture::makeOfType(host::StdPicture::Bitmap, image);
    Canvas canvas(2, 1, kBlue);
    const host::HDC memory = host::CreateCompatibleDC(nullptr);
    host::SelectObject(*memory, picture);
    host::TransparentBlt(canvas.dc, 0, 0, 2, 1, *memory, 0, 0, 2, 1, host::kButtonFace);
    host::DeleteDC(memory);
    EXPECT_EQ(colorAt(canvas.image, 0, 0), kBlue);
    EXPECT_EQ(colorAt(canvas.image, 1, 0), kRed);
}

TEST(TransparentBlt, CopiesFromABitmapOfTheTable)
{
    const std::array<unsigned char, 8> pixels{0, 0, 255, 0, 255, 0, 255, 0}; // red, magenta
    const host::HBITMAP bitmap = host::CreateBitmap(2, 1, 1, 32, pixels.data());
    Canvas canvas(2, 1);
    const host::HDC memory = host::CreateCompatibleDC(nullptr);
    const host::HBITMAP previous = host::SelectObject(*memory, bitmap);
    EXPECT_FALSE(host::TransparentBlt(canvas.dc, 0, 0, 0, 1, *memory, 0, 0, 2, 1, kMagenta));
    EXPECT_TRUE(host::TransparentBlt(canvas.dc, 0, 0, 2, 1, *memory, 0, 0, 2, 1, kMagenta));
    EXPECT_EQ(host::SelectObject(*memory, previous), bitmap);
    host::DeleteDC(memory);
    host::DeleteObject(bitmap);
    EXPECT_EQ(colorAt(canvas.image, 0, 0), kRed);
    EXPECT_EQ(colorAt(canvas.image, 1, 0), kWhite);
}

TEST(SelectObject, BitmapsGoOnlyIntoMemoryContexts)
{
    Canvas canvas(2, 2);
    const host::Picture bitmap =
        host::StdPicture::makeOfType(host::StdPicture::Bitmap, twoByThree());
    const host::Picture icon = host::StdPicture::makeOfType(host::StdPicture::Icon, twoByThree());
    EXPECT_EQ(host::SelectObject(canvas.dc, bitmap), host::HBITMAP{});
    EXPECT_EQ(host::SelectObject(canvas.dc, host::kStockBitmap), host::HBITMAP{});
    const host::HDC memory = host::CreateCompatibleDC(nullptr);
    EXPECT_EQ(host::SelectObject(*memory, icon), host::HBITMAP{});
    EXPECT_EQ(host::SelectObject(*memory, host::LoadPicture()), host::HBITMAP{});
    EXPECT_EQ(memory->bitmap(), host::kStockBitmap);
    host::DeleteDC(memory);
}

// Opaque red, transparent, half-transparent blue, opaque green.
host::Picture iconPicture()
{
    QImage image(2, 2, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 0, 255));
    image.setPixel(1, 0, qRgba(0, 0, 0, 0));
    image.setPixel(0, 1, qRgba(0, 0, 255, 128));
    image.setPixel(1, 1, qRgba(0, 128, 0, 255));
    return host::StdPicture::makeOfType(host::StdPicture::Icon, image);
}

::testing::AssertionResult near(host::ColorRef actual, host::ColorRef expected)
{
    const bool close = std::abs(host::GetRValue(actual) - host::GetRValue(expected)) <= 1 &&
                       std::abs(host::GetGValue(actual) - host::GetGValue(expected)) <= 1 &&
                       std::abs(host::GetBValue(actual) - host::GetBValue(expected)) <= 1;
    if (close)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << std::hex << actual << " is not near " << expected;
}

TEST(DrawIconEx, BlendsTheIconThroughItsAlpha)
{
    Canvas canvas(4, 4);
    ASSERT_TRUE(host::DrawIconEx(canvas.dc, 1, 1, iconPicture(), 2, 2, 0, {},
                                 host::DI_NORMAL | host::DI_DEFAULTSIZE));
    EXPECT_EQ(colorAt(canvas.image, 1, 1), kRed);
    EXPECT_EQ(colorAt(canvas.image, 2, 1), kWhite);
    EXPECT_TRUE(near(colorAt(canvas.image, 1, 2), host::RGB(127, 127, 255)));
    EXPECT_EQ(colorAt(canvas.image, 2, 2), kGreen);
    EXPECT_EQ(pixelsOf(canvas.image, kWhite).size(), 16u - 3u);
}

TEST(DrawIconEx, DefaultSizeAndBackgroundBrush)
{
    Canvas canvas(40, 40);
    const host::HBRUSH brush = host::CreateSolidBrush(kBlue);
    ASSERT_TRUE(host::DrawIconEx(canvas.dc, 1, 1, iconPicture(), 0, 0, 0, brush,
                                 host::DI_NORMAL | host::DI_DEFAULTSIZE));
    host::DeleteObject(brush);
    EXPECT_EQ(inkBounds(canvas.image), QRect(1, 1, 32, 32));
    EXPECT_EQ(colorAt(canvas.image, 1, 1), kRed);
    EXPECT_EQ(colorAt(canvas.image, 32, 1), kBlue); // the icon's transparent quarter
    EXPECT_EQ(colorAt(canvas.image, 32, 32), kGreen);
}

TEST(DrawIconEx, DrawsOnlyWholeIcons)
{
    Canvas canvas(4, 4);
    const host::Picture bitmap =
        host::StdPicture::makeOfType(host::StdPicture::Bitmap, twoByThree());
    EXPECT_FALSE(host::DrawIconEx(canvas.dc, 0, 0, bitmap, 2, 2, 0, {}, host::DI_NORMAL));
    EXPECT_FALSE(host::DrawIconEx(canvas.dc, 0, 0, iconPicture(), 2, 2, 0, {}, host::DI_IMAGE));
    EXPECT_FALSE(host::DrawIconEx(canvas.dc, 0, 0, host::LoadPicture(), 2, 2, 0, {}, 11));
    EXPECT_FALSE(host::DrawIconEx(canvas.dc, 0, 0, nullptr, 2, 2, 0, {}, 11));
    EXPECT_EQ(pixelsOf(canvas.image, kWhite).size(), 16u);
}

TEST(PaintPicture, BitmapsOpaqueIconsThroughTheirAlpha)
{
    QImage withAlpha(1, 1, QImage::Format_ARGB32);
    withAlpha.setPixel(0, 0, qRgba(10, 20, 30, 0));
    Canvas canvas(4, 2);
    host::PaintPicture(canvas.dc, host::StdPicture::makeOfType(host::StdPicture::Bitmap, withAlpha),
                       1, 0);
    host::PaintPicture(canvas.dc, iconPicture(), 2, 0);
    EXPECT_EQ(colorAt(canvas.image, 1, 0), host::RGB(10, 20, 30));
    EXPECT_EQ(colorAt(canvas.image, 2, 0), kRed);
    EXPECT_EQ(colorAt(canvas.image, 3, 0), kWhite);
    EXPECT_EQ(colorAt(canvas.image, 3, 1), kGreen);
}

TEST(PaintPicture, RefusesWhatItCannotDraw)
{
    Canvas canvas(2, 2);
    const auto number = [&](const host::Picture &picture) {
        try {
            host::PaintPicture(canvas.dc, picture, 0, 0);
        } catch (const host::RuntimeError &error) {
            return error.number();
        }
        return 0;
    };
    EXPECT_EQ(number(nullptr), 481);
    EXPECT_EQ(number(host::LoadPicture()), 481);
    EXPECT_EQ(
        number(host::StdPicture::makeOfType(static_cast<host::StdPicture::Type>(7), twoByThree())),
        481);
    EXPECT_EQ(number(host::StdPicture::makeOfType(host::StdPicture::Metafile, twoByThree())), 0);
    EXPECT_EQ(colorAt(canvas.image, 0, 0), kRed);
}

} // namespace
