#include "CaptionAccessKey.h"

#include "ButtonFixture.h"

namespace
{

struct AccessKeyCase {
    const char16_t *caption;
    const char16_t *key;
};

class AccessKeyTest : public ::testing::TestWithParam<AccessKeyCase>
{
};

TEST_P(AccessKeyTest, KeyFromCaption)
{
    const AccessKeyCase c = GetParam();
    EXPECT_EQ(controls::captionAccessKey(QString::fromUtf16(c.caption)), QString::fromUtf16(c.key));
}

INSTANTIATE_TEST_SUITE_P(
    Captions, AccessKeyTest,
    ::testing::Values(AccessKeyCase{u"&Open", u"O"}, AccessKeyCase{u"Save &Over", u"O"},
                      AccessKeyCase{u"关于", u"关"}, AccessKeyCase{u"", u""},
                      AccessKeyCase{u"Open&", u""}, AccessKeyCase{u"&", u""},
                      AccessKeyCase{u"&&Go", u"&"}, AccessKeyCase{u"a&b&c", u"b"},
                      AccessKeyCase{u"x&&y", u"&"}, AccessKeyCase{u"&\U0001F600!", u"\U0001F600"}));

using AccessKeyRegistration = ButtonFixture;

TEST_F(AccessKeyRegistration, SettingTheCaptionRegistersItsKey)
{
    createButton();
    EXPECT_EQ(button->AccessKeys(), QStringLiteral("u")); // from the instance name
    button->setCaption(QStringLiteral("E&xit"));
    EXPECT_EQ(button->AccessKeys(), QStringLiteral("x"));
    button->setCaption(QStringLiteral("Exit&"));
    EXPECT_EQ(button->AccessKeys(), QString());
}

TEST_F(AccessKeyRegistration, LoadingTheCaptionRegistersItsKey)
{
    host::PropertyBag bag;
    bag.WriteProperty(QStringLiteral("caption"), QStringLiteral("&Help"));
    loadButton(bag);
    EXPECT_EQ(button->AccessKeys(), QStringLiteral("H"));
}

} // namespace
