#include "ButtonFixture.h"

#include "RuntimeError.h"

namespace {

TEST(StdFont, EachChangedAttributeRaisesFontChangedOnce)
{
    host::StdFont font;
    QStringList names;
    QObject::connect(&font, &host::StdFont::FontChanged,
                     [&names](const QString &name) { names << name; });
    font.setName(QStringLiteral("Courier New"));
    font.setName(QStringLiteral("Courier New"));
    font.setSize(13.5);
    font.setSize(13.5);
    font.setBold(true);
    font.setItalic(true);
    font.setUnderline(true);
    font.setStrikethrough(true);
    font.setStrikethrough(true);
    font.setCharset(134);
    EXPECT_EQ(names,
              (QStringList{QStringLiteral("Name"), QStringLiteral("Size"), QStringLiteral("Bold"),
                           QStringLiteral("Italic"), QStringLiteral("Underline"),
                           QStringLiteral("Strikethrough"), QStringLiteral("Charset")}));

    const QFont qfont = font.toQFont();
    EXPECT_EQ(qfont.family(), QStringLiteral("Courier New"));
    EXPECT_EQ(qfont.pointSizeF(), 13.5);
    EXPECT_TRUE(qfont.bold() && qfont.italic() && qfont.underline() && qfont.strikeOut());
}

TEST(StdFont, SizeOutsideTheRangeIsRefused)
{
    host::StdFont font;
    font.setSize(9);
    for (const double size : {0.0, -1.0, 2161.0}) {
        try {
            font.setSize(size);
            ADD_FAILURE() << size << " was accepted";
        } catch (const host::RuntimeError &error) {
            EXPECT_EQ(error.number(), 380);
        }
    }
    EXPECT_EQ(font.Size(), 9.0);
}

TEST(StdFont, QtFontRoundTripKeepsAttributesAndGivenCharset)
{
    QFont qfont(QStringLiteral("Tahoma"));
    qfont.setPointSizeF(10.5);
    qfont.setItalic(true);
    const host::Font font = host::StdFont::fromQFont(qfont, 128);
    EXPECT_EQ(font->Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(font->Size(), 10.5);
    EXPECT_FALSE(font->Bold());
    EXPECT_TRUE(font->Italic());
    EXPECT_EQ(font->Charset(), 128);
    EXPECT_TRUE(font->clone()->sameAttributes(*font));
    EXPECT_FALSE(host::StdFont::fromQFont(qfont, 0)->sameAttributes(*font));
}

using ButtonFont = ButtonFixture;

TEST_F(ButtonFont, GetterReturnsTheObjectItselfAndItsChangesRepaint)
{
    createButton();
    const host::Font font = button->Font();
    EXPECT_EQ(button->Font(), font);
    const int redraws = button->refreshes;
    font->setSize(14);
    EXPECT_EQ(button->refreshes, redraws + 1);
    EXPECT_EQ(marked, QStringList{QStringLiteral("Font")});
    EXPECT_EQ(button->font().pointSizeF(), 14.0);
}

TEST_F(ButtonFont, SetterCopiesSixAttributesInOrder)
{
    createButton();
    QStringList names;
    QObject::connect(button->Font().get(), &host::StdFont::FontChanged,
                     [&names](const QString &name) { names << name; });
    const host::Font original = button->Font();
    host::StdFont given;
    given.setName(QStringLiteral("Courier New"));
    given.setSize(20);
    given.setBold(true);
    given.setItalic(true);
    given.setUnderline(true);
    given.setStrikethrough(true);
    given.setCharset(134);
    const int redraws = button->refreshes;

    button->setFont(given);

    EXPECT_EQ(button->Font(), original); // kept, not replaced
    EXPECT_EQ(names, (QStringList{QStringLiteral("Name"), QStringLiteral("Size"),
                                  QStringLiteral("Bold"), QStringLiteral("Italic"),
                                  QStringLiteral("Underline"), QStringLiteral("Strikethrough")}));
    EXPECT_EQ(button->refreshes, redraws + 6);
    EXPECT_EQ(marked, QStringList(6, QStringLiteral("Font")));
    EXPECT_EQ(button->Font()->Charset(), 0); // not copied
    EXPECT_EQ(button->font().family(), QStringLiteral("Courier New"));
    EXPECT_TRUE(button->font().strikeOut());
}

TEST_F(ButtonFont, NewControlTakesTheContainersFont)
{
    createButton();
    EXPECT_EQ(button->Font()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(button->Font()->Size(), 8.0);
    EXPECT_EQ(button->font().family(), QStringLiteral("Arial"));
}

TEST_F(ButtonFont, LoadedFontDifferentFromTheContainersComesBack)
{
    auto stored = std::make_shared<host::StdFont>();
    stored->setName(QStringLiteral("宋体"));
    stored->setSize(9);
    stored->setCharset(134);
    host::PropertyBag bag;
    bag.WriteProperty(QStringLiteral("font"), QVariant::fromValue(stored));
    loadButton(bag);

    const host::Font font = button->Font();
    EXPECT_NE(font, stored); // a copy, not the bag's object
    EXPECT_EQ(font->Name(), QStringLiteral("宋体"));
    EXPECT_EQ(font->Size(), 9.0);
    EXPECT_EQ(font->Charset(), 134);
    EXPECT_EQ(button->font().family(), QStringLiteral("宋体"));
    EXPECT_EQ(button->font().pointSizeF(), 9.0);

    const int redraws = button->refreshes;
    font->setBold(true);
    EXPECT_EQ(button->refreshes, redraws + 1);
    EXPECT_EQ(marked, QStringList{QStringLiteral("Font")});
    EXPECT_TRUE(button->font().bold());
    EXPECT_EQ(button->font().family(), QStringLiteral("宋体"));
    EXPECT_EQ(button->font().pointSizeF(), 9.0);
}

TEST_F(ButtonFont, FontObjectFromBeforeALoadNoLongerDrivesTheControl)
{
    createButton();
    const host::Font earlier = button->Font();
    button->load(host::PropertyBag(), ambientNamed(QStringLiteral("ucButton1")));
    marked.clear();
    const int redraws = button->refreshes;
    earlier->setSize(30);
    EXPECT_EQ(button->refreshes, redraws);
    EXPECT_TRUE(marked.isEmpty());
    EXPECT_EQ(button->font().pointSizeF(), 8.0);
}

} // namespace
