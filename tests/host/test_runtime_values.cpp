#include "PropertyBag.h"
#include "Rounding.h"
#include "RuntimeError.h"

#include <gtest/gtest.h>

#include <limits>

using namespace host;

TEST(Rounding, HalvesGoToTheEvenNumber)
{
    const std::pair<double, int> cases[] = {{0.5, 0},  {1.5, 2},   {2.5, 2},  {-0.5, 0},
                                            {-1.5, -2}, {2.4999, 2}, {2.5001, 3}, {7.0, 7}};
    for (const auto &[value, expected] : cases)
        EXPECT_EQ(roundHalfEven(value), expected) << value;
}

TEST(Rounding, OutOfRangeIsOverflowNotUndefined)
{
    EXPECT_EQ(tryRoundHalfEven(2147483647.4), 2147483647);
    EXPECT_FALSE(tryRoundHalfEven(2147483647.5));
    EXPECT_FALSE(tryRoundHalfEven(-2147483649.0));
    EXPECT_FALSE(tryRoundHalfEven(std::numeric_limits<double>::quiet_NaN()));
    try {
        roundHalfEven(1e12);
        FAIL() << "no error raised";
    } catch (const RuntimeError &error) {
        EXPECT_EQ(error.number(), 6);
    }
    EXPECT_FALSE(tryDivide(5, 0));
    EXPECT_FALSE(tryDivide(std::numeric_limits<std::int32_t>::min(), -1));
    EXPECT_EQ(tryDivide(-7, 2), -3);
    EXPECT_THROW(checkedAdd(std::numeric_limits<std::int32_t>::max(), 1), RuntimeError);
    EXPECT_THROW(checkedMultiply(65536, 65536), RuntimeError);
    EXPECT_EQ(checkedMultiply(-65536, 32768), std::numeric_limits<std::int32_t>::min());
}

TEST(PropertyBag, KeysMatchWithoutCaseAndDefaultsAreNotStored)
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("BorderStyle"), 2, 2);
    bag.WriteProperty(QStringLiteral("Max"), 1000, 100);
    bag.WriteProperty(QStringLiteral("Caption"), QStringLiteral("关于"), QStringLiteral("ucButton1"));
    EXPECT_EQ(bag.keys(), (QStringList{QStringLiteral("Max"), QStringLiteral("Caption")}));
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("max"), 100).toInt(), 1000);
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("BORDERSTYLE"), 2).toInt(), 2);

    const PropertyBag reloaded = PropertyBag::fromJson(bag.toJson());
    EXPECT_EQ(toLong(reloaded.ReadProperty(QStringLiteral("MAX"))), 1000);
    EXPECT_EQ(toText(reloaded.ReadProperty(QStringLiteral("caption"))), QStringLiteral("关于"));
}

TEST(PropertyBag, ConversionsFollowTheRuntime)
{
    EXPECT_EQ(toLong(QStringLiteral("&H8000000F&")), static_cast<std::int32_t>(0x8000000F));
    EXPECT_EQ(toLong(QStringLiteral("&HFF00FF")), 0xFF00FF);
    EXPECT_EQ(toLong(2.5), 2);
    EXPECT_EQ(toLong(true), -1);
    EXPECT_TRUE(toBoolean(QStringLiteral("True")));
    EXPECT_FALSE(toBoolean(0));
    EXPECT_EQ(toInteger(-32768), -32768);
    EXPECT_THROW(toInteger(40000), RuntimeError);
    EXPECT_THROW(toLong(4294967296.0), RuntimeError);
    try {
        toBoolean(QStringLiteral("maybe"));
        FAIL() << "no error raised";
    } catch (const RuntimeError &error) {
        EXPECT_EQ(error.number(), 13);
    }
}
