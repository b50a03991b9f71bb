#include "GdiCanvas.h"

#include <QFontDatabase>
#include <QFontMetrics>

using namespace gdi_test;
using host::RECT;

namespace
{

// A fixed face so that widths and heights do not depend on the machine's default font;
// without it installed, the tests measure with whatever face is there. Glyphs are drawn
// without antialiasing, so that their pixels are exactly the text colour.
QFont testFont()
{
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(
            QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
        return QFontDatabase::applicationFontFamilies(id).value(0, QStringLiteral("DejaVu Sans"));
    }();
    QFont font(family);
    font.setPixelSize(13);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

class DrawTextTest : public ::testing::Test
{
protected:
    DrawTextTest() : canvas(160, 60), metrics(testFont(), &canvas.image)
    {
        canvas.dc.setFont(testFont());
        host::SetTextColor(canvas.dc, kBlue);
    }

    int width(const QString &text) const { return metrics.horizontalAdvance(text); }

    // The rectangle DT_CALCRECT gives for text laid out in a rectangle this wide.
    RECT measure(const QString &text, int boxWidth, unsigned format = host::DT_WORDBREAK)
    {
        RECT rect{10, 5, 10 + boxWidth, 50};
        host::DrawTextA(canvas.dc, text, -1, rect, format | host::DT_CALCRECT);
        return rect;
    }

    // The image of the text drawn alone.
    QImage drawn(const QString &text, RECT rect, unsigned format)
    {
        Canvas fresh(160, 60);
        fresh.dc.setFont(testFont());
        host::SetTextColor(fresh.dc, kBlue);
        host::DrawTextA(fresh.dc, text, -1, rect, format);
        return fresh.image;
    }

    Canvas canvas;
    QFontMetrics metrics;
};

TEST_F(DrawTextTest, CalcRectHeightIsLinesTimesLineHeight)
{
    const int line = metrics.height();
    ASSERT_EQ(line, metrics.ascent() + metrics.descent());
    const QString two = QStringLiteral("Open file");
    const int narrow = width(two) - 1;

    const RECT one = measure(QStringLiteral("Open"), 100);
    EXPECT_EQ(one.bottom - one.top, line);
    EXPECT_EQ(one.right - one.left, width(QStringLiteral("Open")));

    const RECT broken = measure(two, narrow);
    EXPECT_EQ(broken.bottom - broken.top, 2 * line);
    EXPECT_EQ(broken.right - broken.left,
              std::max(width(QStringLiteral("Open")), width(QStringLiteral("file"))));
    EXPECT_EQ(measure(two, width(two)).bottom - 5, line);
    EXPECT_EQ(measure(two, narrow, 0).bottom - 5, line); // no DT_WORDBREAK: one line
}

TEST_F(DrawTextTest, LineBreaksAndEmptyText)
{
    const int line = metrics.height();
    const struct {
        QString text;
        int lines;
    } cases[] = {
        {QString(), 0},
        {QStringLiteral("a\nb"), 2},
        {QStringLiteral("a\r\nb"), 2},
        {QStringLiteral("a\rb\n"), 2},
        {QStringLiteral("a\n\nb"), 3},
        {QStringLiteral("\n"), 1},
        {QStringLiteral("one two three"), 3}, // 4 pixels wide: every word on its own line
    };
    for (const auto &c : cases) {
        const RECT rect = measure(c.text, 4);
        EXPECT_EQ(rect.bottom - rect.top, c.lines * line) << c.text.toStdString();
    }
    EXPECT_EQ(measure(QString(), 100, host::DT_SINGLELINE).bottom - 5, line);
    EXPECT_EQ(measure(QStringLiteral("a\nb"), 100, host::DT_SINGLELINE).bottom - 5, line);
}

TEST_F(DrawTextTest, LongWordIsNotSplit)
{
    const QString word = QStringLiteral("Supercalifragilistic");
    const RECT alone = measure(word, 20);
    EXPECT_EQ(alone.bottom - alone.top, metrics.height());
    EXPECT_EQ(alone.right - alone.left, width(word));

    const RECT withMore = measure(word + QStringLiteral(" a"), 20);
    EXPECT_EQ(withMore.bottom - withMore.top, 2 * metrics.height());
}

TEST_F(DrawTextTest, ChineseBreaksOnlyAtSpacesWithTheFontsLineHeight)
{
    const QString joined = QStringLiteral(u"浏览保存打开");
    const QString spaced = QStringLiteral(u"浏览 保存");
    EXPECT_EQ(measure(joined, 10).bottom - 5, metrics.height());
    EXPECT_EQ(measure(spaced, width(spaced) - 1).bottom - 5, 2 * metrics.height());

    RECT rect{0, 0, 160, 60};
    host::DrawTextA(canvas.dc, joined, -1, rect, host::DT_WORDBREAK);
    EXPECT_FALSE(pixelsOf(canvas.image, kBlue).empty());
}

TEST_F(DrawTextTest, PrefixesAreHiddenDoubledOrKeptAtTheEnd)
{
    const RECT box{0, 0, 160, 30};
    const struct {
        QString text;
        QString shown;
    } cases[] = {
        {QStringLiteral("A&&B"), QStringLiteral("A&B")},
        {QStringLiteral("AB&"), QStringLiteral("AB&")},
        {QStringLiteral("&&&&"), QStringLiteral("&&")},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(measure(c.text, 160).right - 10, width(c.shown)) << c.text.toStdString();
        EXPECT_EQ(drawn(c.text, box, 0), drawn(c.shown, box, host::DT_NOPREFIX))
            << c.text.toStdString();
    }
    EXPECT_EQ(measure(QStringLiteral("&Open"), 160).right - 10, width(QStringLiteral("Open")));
    EXPECT_EQ(measure(QStringLiteral("&Open"), 160, host::DT_NOPREFIX).right - 10,
              width(QStringLiteral("&Open")));
}

// Text-coloured pixels below the baseline within x0..x1-1.
int inkBelowBaseline(const QImage &image, int x0, int x1, int baseline)
{
    int count = 0;
    for (int y = baseline + 1; y < image.height(); ++y)
        for (int x = x0; x < x1; ++x)
            count += colorAt(image, x, y) == kBlue;
    return count;
}

TEST_F(DrawTextTest, PrefixUnderlinesTheNextCharacter)
{
    const RECT box{0, 0, 160, 30};
    const int baseline = metrics.ascent();
    const int t = width(QStringLiteral("T"));
    const int te = width(QStringLiteral("Te"));
    const int all = width(QStringLiteral("Test"));

    const QImage plain = drawn(QStringLiteral("Test"), box, host::DT_NOPREFIX);
    ASSERT_EQ(inkBelowBaseline(plain, 0, all, baseline), 0);

    const QImage first = drawn(QStringLiteral("&Test"), box, 0);
    EXPECT_GE(inkBelowBaseline(first, 0, t, baseline), t - 1);
    EXPECT_EQ(inkBelowBaseline(first, t + 1, all, baseline), 0);

    // Of several marks on a line the last one underlines.
    const QImage two = drawn(QStringLiteral("&T&est"), box, 0);
    EXPECT_EQ(inkBelowBaseline(two, 0, t - 1, baseline), 0);
    EXPECT_GT(inkBelowBaseline(two, t + 1, te - 1, baseline), 0);
}

struct AlignCase {
    unsigned format;
    int expectedLeft; // where the text starts in the rectangle (10, 0, 110, 30)
};

class DrawTextAlignTest : public DrawTextTest, public ::testing::WithParamInterface<AlignCase>
{
};

TEST_P(DrawTextAlignTest, LinesStartWhereTheJustificationPutsThem)
{
    const QString text = QStringLiteral("Hi there");
    const int w = width(text);
    const int expected = GetParam().expectedLeft >= 0    ? GetParam().expectedLeft
                         : GetParam().expectedLeft == -1 ? (10 + 110 - w) / 2
                                                         : 110 - w;
    EXPECT_EQ(drawn(text, {10, 0, 110, 30}, GetParam().format),
              drawn(text, {expected, 0, 160, 30}, host::DT_LEFT));
}

// -1 stands for centred, -2 for flush right.
INSTANTIATE_TEST_SUITE_P(Justifications, DrawTextAlignTest,
                         ::testing::Values(AlignCase{host::DT_LEFT, 10},
                                           AlignCase{host::DT_CENTER, -1},
                                           AlignCase{host::DT_RIGHT, -2},
                                           AlignCase{host::DT_CENTER | host::DT_WORDBREAK, -1}));

TEST_F(DrawTextTest, SecondLineStartsOneLineHeightLower)
{
    const QString text = QStringLiteral("Open file");
    const int narrow = width(text) - 1;
    const int line = metrics.height();
    QImage expected = drawn(QStringLiteral("Open"), {4, 3, 4 + narrow, 40}, 0);
    host::DeviceContext dc(&expected);
    dc.setFont(testFont());
    host::SetTextColor(dc, kBlue);
    RECT second{4, 3 + line, 4 + narrow, 40};
    host::DrawTextA(dc, QStringLiteral("file"), -1, second, 0);
    EXPECT_EQ(drawn(text, {4, 3, 4 + narrow, 40}, host::DT_WORDBREAK), expected);
}

TEST_F(DrawTextTest, ClippedToTheRectangle)
{
    const QString text = QStringLiteral("Hello world, a line too long");
    RECT rect{5, 4, 40, 12};
    host::DrawTextA(canvas.dc, text, -1, rect, 0);
    const QRect ink = inkBounds(canvas.image);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(QRect(5, 4, 35, 8).contains(ink))
        << ink.x() << ',' << ink.y() << ' ' << ink.width() << 'x' << ink.height();

    Canvas loose(160, 60);
    loose.dc.setFont(testFont());
    RECT same = rect;
    host::DrawTextA(loose.dc, text, -1, same, host::DT_NOCLIP);
    EXPECT_GT(inkBounds(loose.image).right(), 40);
}

TEST_F(DrawTextTest, TransparentKeepsTheBackgroundOpaqueFillsTheLineBox)
{
    Canvas green(60, 20, kGreen);
    green.dc.setFont(testFont());
    host::SetBkColor(green.dc, kRed);
    RECT rect{0, 0, 60, 20};
    host::DrawTextA(green.dc, QStringLiteral("Hi"), -1, rect, 0);
    EXPECT_TRUE(pixelsOf(green.image, kRed).empty());
    EXPECT_EQ(colorAt(green.image, 0, 0), kGreen);

    host::SetBkMode(green.dc, host::OPAQUE);
    host::DrawTextA(green.dc, QStringLiteral("Hi"), -1, rect, 0);
    EXPECT_EQ(colorAt(green.image, 0, 0), kRed);
    EXPECT_EQ(colorAt(green.image, width(QStringLiteral("Hi")), 0), kGreen);
    EXPECT_EQ(colorAt(green.image, 0, metrics.height()), kGreen);
}

TEST_F(DrawTextTest, CountTakesTheFirstCharacters)
{
    EXPECT_EQ(measure(QStringLiteral("Hello"), 160).right - 10, width(QStringLiteral("Hello")));
    RECT rect{0, 0, 160, 30};
    host::DrawTextA(canvas.dc, QStringLiteral("Hello"), 2, rect, host::DT_CALCRECT);
    EXPECT_EQ(rect.right, width(QStringLiteral("He")));
}

} // namespace
