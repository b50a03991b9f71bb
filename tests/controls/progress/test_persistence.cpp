#include "ProgressFixture.h"

#include "OleColor.h"
#include "PropertyBag.h"

#include <QJsonObject>
#include <QMetaProperty>

using namespace progress_test;

namespace {

host::PropertyBag bagOf(const QJsonObject &json)
{
    return host::PropertyBag::fromJson(json);
}

TEST_F(ProgressTest, NewInstanceHasTheDefaults)
{
    pb->createNew({});
    EXPECT_EQ(pb->size(), QSize(129, 21));
    EXPECT_EQ(pb->BorderStyle(), 2);
    EXPECT_EQ(pb->ScaleWidth(), 125);
    EXPECT_EQ(pb->ScaleHeight(), 17);
    EXPECT_EQ(pb->Orientation(), 0);
    EXPECT_EQ(pb->BackColor(), host::kButtonFace);
    EXPECT_EQ(pb->ForeColor(), host::kHighlight);
    EXPECT_EQ(pb->Max(), 100);
    EXPECT_EQ(pb->Value(), 0);
    EXPECT_EQ(pb->Enabled(), host::kTrue);
    EXPECT_EQ(Access::BackArea(*pb), (host::RECT{0, 0, 125, 17}));
    EXPECT_TRUE(pb->save().isEmpty());
}

struct BorderCase {
    std::int32_t style;
    int scaleWidth;
    int scaleHeight;
    std::int32_t exStyle;
};

class BorderStyleTest : public ProgressTest, public ::testing::WithParamInterface<BorderCase> {};

// Bits the border styles never touch survive them.
constexpr std::int32_t kOtherStyle = 0x00000004;
constexpr std::int32_t kOtherExStyle = 0x00000008;

TEST_P(BorderStyleTest, EdgeShrinksTheInnerArea)
{
    const BorderCase c = GetParam();
    pb->createNew({});
    pb->SetWindowLongA(host::GWL_STYLE,
                       pb->GetWindowLongA(host::GWL_STYLE) | host::WS_BORDER | kOtherStyle);
    pb->SetWindowLongA(host::GWL_EXSTYLE, pb->GetWindowLongA(host::GWL_EXSTYLE) | kOtherExStyle);
    m_container.show();
    pb->setBorderStyle(c.style);
    EXPECT_EQ(pb->size(), QSize(129, 21));
    EXPECT_EQ(pb->ScaleWidth(), c.scaleWidth);
    EXPECT_EQ(pb->ScaleHeight(), c.scaleHeight);
    EXPECT_EQ(pb->GetWindowLongA(host::GWL_STYLE), kOtherStyle);
    EXPECT_EQ(pb->GetWindowLongA(host::GWL_EXSTYLE), c.exStyle | kOtherExStyle);
    EXPECT_EQ(Access::BackArea(*pb), (host::RECT{0, 0, c.scaleWidth, c.scaleHeight}));
}

INSTANTIATE_TEST_SUITE_P(Styles, BorderStyleTest,
                         ::testing::Values(BorderCase{0, 129, 21, 0},
                                           BorderCase{1, 127, 19, host::WS_EX_STATICEDGE},
                                           BorderCase{2, 125, 17, host::WS_EX_CLIENTEDGE}));

TEST_F(ProgressTest, OtherBorderStyleChangesNoEdge)
{
    makeBar(100, 10, 1);
    pb->setBorderStyle(5);
    EXPECT_EQ(pb->BorderStyle(), 5);
    EXPECT_EQ(pb->GetWindowLongA(host::GWL_EXSTYLE), host::WS_EX_STATICEDGE);
    EXPECT_EQ(pb->ScaleWidth(), 100);
    EXPECT_EQ(pb->save().ReadProperty(QStringLiteral("BorderStyle")), QVariant(5));
}

QRgb sysColor(int index)
{
    return host::toQRgb(host::GetSysColor(index));
}

// The thin static edge: shadow along top and left, highlight along bottom and right.
TEST_F(ProgressTest, ThinEdgePixels)
{
    makeBar(40, 10, 1);
    pb->setValue(100);
    const QImage shot = pb->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(42, 12));
    EXPECT_EQ(opaque(shot.pixel(0, 0)), sysColor(host::COLOR_BTNSHADOW));
    EXPECT_EQ(opaque(shot.pixel(20, 0)), sysColor(host::COLOR_BTNSHADOW));
    EXPECT_EQ(opaque(shot.pixel(0, 6)), sysColor(host::COLOR_BTNSHADOW));
    EXPECT_EQ(opaque(shot.pixel(20, 11)), sysColor(host::COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(opaque(shot.pixel(41, 6)), sysColor(host::COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(opaque(shot.pixel(1, 1)), qRgb(255, 0, 0));
    EXPECT_EQ(opaque(shot.pixel(40, 10)), qRgb(255, 0, 0));
}

// The sunken 3D edge: two rings, shadow then dark shadow on top and left.
TEST_F(ProgressTest, SunkenEdgePixels)
{
    makeBar(40, 10, 2);
    const QImage shot = pb->grab().toImage();
    ASSERT_EQ(shot.size(), QSize(44, 14));
    EXPECT_EQ(opaque(shot.pixel(20, 0)), sysColor(host::COLOR_BTNSHADOW));
    EXPECT_EQ(opaque(shot.pixel(20, 1)), sysColor(host::COLOR_3DDKSHADOW));
    EXPECT_EQ(opaque(shot.pixel(43, 6)), sysColor(host::COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(opaque(shot.pixel(42, 6)), sysColor(host::COLOR_3DLIGHT));
    EXPECT_EQ(opaque(shot.pixel(2, 2)), qRgb(0, 0, 255));
    EXPECT_EQ(opaque(shot.pixel(41, 11)), qRgb(0, 0, 255));
}

TEST_F(ProgressTest, BagOfTheWindowStoresOnlyWhatDiffers)
{
    pb->load(bagOf({{QStringLiteral("borderstyle"), 1}, {QStringLiteral("max"), 1000}}), {});
    EXPECT_EQ(pb->BorderStyle(), 1);
    EXPECT_EQ(pb->Max(), 1000);
    EXPECT_EQ(pb->Orientation(), 0);
    EXPECT_EQ(pb->BackColor(), host::kButtonFace);
    EXPECT_EQ(pb->Enabled(), host::kTrue);
    EXPECT_EQ(pb->GetWindowLongA(host::GWL_EXSTYLE), host::WS_EX_STATICEDGE);
    EXPECT_EQ(brushColor(Access::FillBrush(*pb)), host::GetSysColor(host::COLOR_HIGHLIGHT));
    const host::PropertyBag saved = pb->save();
    EXPECT_EQ(saved.keys(), (QStringList{QStringLiteral("BorderStyle"), QStringLiteral("Max")}));
    EXPECT_EQ(host::toLong(saved.ReadProperty(QStringLiteral("BorderStyle"))), 1);
    EXPECT_EQ(host::toLong(saved.ReadProperty(QStringLiteral("Max"))), 1000);

    pb->extenderMove(3000, 120, 7695, 375); // where the window places it: 513 x 25 pixels
    m_container.show();
    pb->setValue(500);
    EXPECT_EQ(Access::FillArea(*pb), (host::RECT{0, 0, 255, 23}));
    EXPECT_TRUE(paintedAsAreas(*pb, host::GetSysColor(host::COLOR_HIGHLIGHT),
                               host::GetSysColor(host::COLOR_BTNFACE)));
}

TEST_F(ProgressTest, DefaultsWrittenAsTextStillStoreNothing)
{
    pb->load(bagOf({{QStringLiteral("BackColor"), QStringLiteral("&H8000000F&")},
                    {QStringLiteral("ForeColor"), QStringLiteral("&H8000000D&")},
                    {QStringLiteral("ENABLED"), true}}),
             {});
    EXPECT_EQ(pb->BackColor(), host::kButtonFace);
    EXPECT_EQ(pb->ForeColor(), host::kHighlight);
    EXPECT_TRUE(pb->save().isEmpty());
}

TEST_F(ProgressTest, EveryKeyRoundTripsInItsOrder)
{
    pb->load(bagOf({{QStringLiteral("enabled"), false},
                    {QStringLiteral("max"), 5},
                    {QStringLiteral("forecolor"), QStringLiteral("&H000000FF&")},
                    {QStringLiteral("backcolor"), 0xFF0000},
                    {QStringLiteral("orientation"), 1},
                    {QStringLiteral("BORDERSTYLE"), 0}}),
             {});
    EXPECT_EQ(pb->size(), QSize(129, 21)); // a stored orientation turns nothing
    EXPECT_EQ(pb->Orientation(), 1);
    EXPECT_EQ(pb->ForeColor(), host::RGB(255, 0, 0));
    EXPECT_EQ(brushColor(Access::BackBrush(*pb)), host::RGB(0, 0, 255));
    EXPECT_EQ(pb->Enabled(), host::kFalse);
    EXPECT_FALSE(pb->isEnabled());

    const host::PropertyBag saved = pb->save();
    EXPECT_EQ(saved.keys(),
              (QStringList{QStringLiteral("BorderStyle"), QStringLiteral("Orientation"),
                           QStringLiteral("BackColor"), QStringLiteral("ForeColor"),
                           QStringLiteral("Max"), QStringLiteral("Enabled")}));
    EXPECT_EQ(host::toLong(saved.ReadProperty(QStringLiteral("BackColor"))), 0xFF0000);
    EXPECT_EQ(host::toLong(saved.ReadProperty(QStringLiteral("ForeColor"))), 0xFF);
    EXPECT_FALSE(host::toBoolean(saved.ReadProperty(QStringLiteral("Enabled"))));

    controls::ucProgress copy;
    copy.load(host::PropertyBag::fromJson(saved.toJson()), {});
    EXPECT_EQ(copy.save().toJson(), saved.toJson());
}

TEST_F(ProgressTest, EnabledIsTheControlsOwnStateAndPaintsNothing)
{
    makeBar(100, 10);
    const int refreshes = pb->refreshes;
    pb->setEnabled(host::kFalse);
    EXPECT_EQ(pb->Enabled(), host::kFalse);
    EXPECT_EQ(pb->refreshes, refreshes);
    pb->setEnabled(host::kTrue);
    m_container.setEnabled(false);
    EXPECT_EQ(pb->Enabled(), host::kTrue);
    EXPECT_FALSE(pb->save().contains(QStringLiteral("Enabled")));
}

TEST_F(ProgressTest, ValueIsTheDefaultProperty)
{
    makeBar(200, 20);
    EXPECT_STREQ(pb->metaObject()->userProperty().name(), "Value");
    ASSERT_TRUE(pb->setProperty("Value", 50));
    EXPECT_EQ(pb->Value(), 50);
    EXPECT_EQ(Access::FillArea(*pb), (host::RECT{0, 0, 100, 20}));
    EXPECT_FALSE(pb->save().contains(QStringLiteral("Value")));
}

} // namespace
