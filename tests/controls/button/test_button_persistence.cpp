#include "ButtonFixture.h"

#include "FormLayout.h"
#include "RuntimeError.h"

#include <QJsonDocument>

namespace
{

using controls::ucButton;

const QStringList kWriteOrder = {
    QStringLiteral("Appearance"),
    QStringLiteral("ButtonColor"),
    QStringLiteral("Caption"),
    QStringLiteral("CaptionAlign"),
    QStringLiteral("CaptionJustify"),
    QStringLiteral("Checked"),
    QStringLiteral("Enabled"),
    QStringLiteral("FlatOver"),
    QStringLiteral("Font"),
    QStringLiteral("FontColor"),
    QStringLiteral("MaskColor"),
    QStringLiteral("MouseIcon"),
    QStringLiteral("MousePointer"),
    QStringLiteral("Picture"),
    QStringLiteral("PictureDisabled"),
    QStringLiteral("PictureDown"),
    QStringLiteral("PictureOver"),
    QStringLiteral("PictureTab"),
    QStringLiteral("ShowFocus"),
    QStringLiteral("Style"),
    QStringLiteral("UseMaskColor"),
};

host::Picture pictureOf(host::StdPicture::Type type, QRgb a, QRgb b)
{
    QImage image(5, 3,
                 type == host::StdPicture::Bitmap ? QImage::Format_RGB32 : QImage::Format_ARGB32);
    image.fill(a);
    image.setPixel(1, 2, b);
    return host::StdPicture::makeOfType(type, image);
}

void expectSamePicture(const host::Picture &actual, const host::Picture &expected)
{
    ASSERT_TRUE(actual);
    EXPECT_EQ(actual->pictureType(), expected->pictureType());
    EXPECT_EQ(actual->Width(), expected->Width());
    EXPECT_EQ(actual->Height(), expected->Height());
    ASSERT_EQ(actual->image().size(), expected->image().size());
    for (int y = 0; y < expected->image().height(); ++y)
        for (int x = 0; x < expected->image().width(); ++x)
            EXPECT_EQ(actual->image().pixel(x, y), expected->image().pixel(x, y)) << x << "," << y;
}

host::PropertyBag throughJson(const host::PropertyBag &bag)
{
    const QByteArray text = QJsonDocument(bag.toJson()).toJson();
    return host::PropertyBag::fromJson(QJsonDocument::fromJson(text).object());
}

using ButtonPersistence = ButtonFixture;

TEST_F(ButtonPersistence, NewControlTakesItsDefaults)
{
    createButton();
    EXPECT_EQ(button->Appearance(), controls::ThreeD);
    EXPECT_EQ(button->Caption(), QStringLiteral("ucButton1"));
    EXPECT_EQ(button->CaptionAlign(), controls::AlignCenter);
    EXPECT_EQ(button->CaptionJustify(), controls::JustifyCenter);
    EXPECT_EQ(button->Checked(), host::kFalse);
    EXPECT_EQ(button->FlatOver(), host::kFalse);
    EXPECT_EQ(button->ShowFocus(), host::kTrue);
    EXPECT_EQ(button->Style(), controls::Standard);
    EXPECT_EQ(button->UseMaskColor(), host::kFalse);
    EXPECT_EQ(button->PictureTab(), 0);
    EXPECT_EQ(button->ButtonColor(), host::kButtonFace);
    // Four separate empty pictures.
    for (const host::Picture &p : {button->Picture(), button->PictureDisabled(),
                                   button->PictureDown(), button->PictureOver()}) {
        ASSERT_TRUE(p);
        EXPECT_EQ(p->Handle(), 0u);
    }
    EXPECT_NE(button->Picture(), button->PictureDown());
    EXPECT_TRUE(marked.isEmpty());
}

TEST_F(ButtonPersistence, NewControlOnButtonFaceSavesMaskColorButNotButtonColor)
{
    createButton();
    const host::PropertyBag bag = button->save();
    EXPECT_EQ(bag.keys(), QStringList{QStringLiteral("MaskColor")});
    EXPECT_EQ(
        static_cast<host::OleColor>(host::toLong(bag.ReadProperty(QStringLiteral("MaskColor")))),
        host::kButtonFace);

    loadButton(throughJson(bag));
    EXPECT_EQ(button->ButtonColor(), host::kButtonFace);
    EXPECT_EQ(button->MaskColor(), host::kButtonFace);
    EXPECT_FALSE(button->save().contains(QStringLiteral("ButtonColor")));
}

TEST_F(ButtonPersistence, EmptyBagLoadsTheReadDefaults)
{
    loadButton(host::PropertyBag());
    EXPECT_EQ(button->MaskColor(), 0x00FF00FFu);
    EXPECT_EQ(button->Caption(), QStringLiteral("ucButton1"));
    EXPECT_EQ(button->Picture(), nullptr); // no picture object, unlike a new control
    EXPECT_EQ(button->ShowFocus(), host::kTrue);
    EXPECT_EQ(button->Appearance(), controls::ThreeD);
    EXPECT_TRUE(button->save().isEmpty());
}

TEST_F(ButtonPersistence, CaptionEqualToTheInstanceNameFollowsARename)
{
    createButton(ambientNamed(QStringLiteral("ucButton1")));
    const host::PropertyBag bag = button->save();
    EXPECT_FALSE(bag.contains(QStringLiteral("Caption")));
    loadButton(bag, ambientNamed(QStringLiteral("cmdGo")));
    EXPECT_EQ(button->Caption(), QStringLiteral("cmdGo"));
    EXPECT_EQ(button->AccessKeys(), QStringLiteral("c"));
}

TEST_F(ButtonPersistence, FontEqualToTheContainersFollowsTheContainer)
{
    createButton();
    const host::PropertyBag bag = button->save();
    EXPECT_FALSE(bag.contains(QStringLiteral("Font")));
    QFont other(QStringLiteral("Verdana"));
    other.setPointSizeF(11);
    loadButton(bag, ambientNamed(QStringLiteral("ucButton1"), other));
    EXPECT_EQ(button->Font()->Name(), QStringLiteral("Verdana"));
    EXPECT_EQ(button->font().pointSizeF(), 11.0);
}

TEST_F(ButtonPersistence, PictureTabLoadsAsStored)
{
    host::PropertyBag bag;
    bag.WriteProperty(QStringLiteral("PictureTab"), -5);
    loadButton(bag);
    EXPECT_EQ(button->PictureTab(), -5);
}

TEST_F(ButtonPersistence, TextInABooleanKeyRaisesAndEarlierKeysKeepTheirValues)
{
    createButton();
    host::PropertyBag bag;
    bag.WriteProperty(QStringLiteral("style"), 1); // read after Checked
    bag.WriteProperty(QStringLiteral("checked"), QStringLiteral("maybe"));
    bag.WriteProperty(QStringLiteral("caption"), QStringLiteral("Go")); // read before
    bag.WriteProperty(QStringLiteral("enabled"), false);                // read first
    try {
        button->load(bag, ambientNamed(QStringLiteral("ucButton1")));
        ADD_FAILURE() << "text was taken as a Boolean";
    } catch (const host::RuntimeError &error) {
        EXPECT_EQ(error.number(), 13);
    }
    EXPECT_EQ(button->Enabled(), host::kFalse);
    EXPECT_EQ(button->Caption(), QStringLiteral("Go"));
    EXPECT_EQ(button->Checked(), host::kFalse);
    EXPECT_EQ(button->Style(), controls::Standard);
}

TEST_F(ButtonPersistence, MousePointerBeyond16BitsInTheBagOverflows)
{
    createButton();
    host::PropertyBag bag;
    bag.WriteProperty(QStringLiteral("FontColor"), 255);
    bag.WriteProperty(QStringLiteral("MousePointer"), 40000);
    bag.WriteProperty(QStringLiteral("MaskColor"), 0);
    try {
        button->load(bag, ambientNamed(QStringLiteral("ucButton1")));
        ADD_FAILURE() << "40000 was taken as a pointer";
    } catch (const host::RuntimeError &error) {
        EXPECT_EQ(error.number(), 6);
    }
    EXPECT_EQ(button->FontColor(), 255u);
    EXPECT_EQ(button->MousePointer(), 0);
    EXPECT_EQ(button->MaskColor(), host::kButtonFace); // not reached
}

// Every property away from its default, saved, written as JSON, read back and loaded.
TEST_F(ButtonPersistence, FullRoundTripThroughJson)
{
    createButton();
    const host::Picture picture =
        pictureOf(host::StdPicture::Bitmap, qRgb(10, 20, 30), qRgb(1, 2, 3));
    const host::Picture disabled =
        pictureOf(host::StdPicture::Bitmap, qRgb(40, 50, 60), qRgb(4, 5, 6));
    const host::Picture down =
        pictureOf(host::StdPicture::Icon, qRgba(70, 80, 90, 255), qRgba(0, 0, 0, 0));
    const host::Picture over =
        pictureOf(host::StdPicture::Bitmap, qRgb(100, 110, 120), qRgb(7, 8, 9));
    const host::Picture icon =
        pictureOf(host::StdPicture::Icon, qRgba(200, 0, 0, 128), qRgba(0, 200, 0, 255));
    button->setAppearance(controls::ThreeDCheck);
    button->setButtonColor(host::RGB(212, 208, 200));
    button->setCaption(QStringLiteral("&Open 打开"));
    button->setCaptionAlign(controls::AlignRight);
    button->setCaptionJustify(controls::JustifyLeft);
    button->setChecked(host::kTrue);
    button->setEnabled(host::kFalse);
    button->setFlatOver(host::kTrue);
    host::StdFont font;
    font.setName(QStringLiteral("Courier New"));
    font.setSize(12.5);
    font.setBold(true);
    font.setItalic(true);
    font.setUnderline(true);
    font.setStrikethrough(true);
    button->setFont(font);
    button->Font()->setCharset(134);
    button->setFontColor(host::kHighlight);
    button->setMaskColor(host::RGB(0, 255, 0));
    button->setMouseIcon(icon);
    button->setMousePointer(-3);
    button->setPicture(picture);
    button->setPictureDisabled(disabled);
    button->setPictureDown(down);
    button->setPictureOver(over);
    button->setPictureTab(6);
    button->setShowFocus(host::kFalse);
    button->setStyle(controls::Graphical);
    button->setUseMaskColor(host::kTrue);

    const host::PropertyBag saved = button->save();
    EXPECT_EQ(saved.keys(), kWriteOrder);
    const QJsonObject json = saved.toJson();

    loadButton(throughJson(saved));
    EXPECT_EQ(button->Appearance(), controls::ThreeDCheck);
    EXPECT_EQ(button->ButtonColor(), host::RGB(212, 208, 200));
    EXPECT_EQ(button->Caption(), QStringLiteral("&Open 打开"));
    EXPECT_EQ(button->AccessKeys(), QStringLiteral("O"));
    EXPECT_EQ(button->CaptionAlign(), controls::AlignRight);
    EXPECT_EQ(button->CaptionJustify(), controls::JustifyLeft);
    EXPECT_EQ(button->Checked(), host::kTrue);
    EXPECT_EQ(button->Enabled(), host::kFalse);
    EXPECT_EQ(button->FlatOver(), host::kTrue);
    EXPECT_FALSE(button->Font()->sameAttributes(font)); // the charset differs
    EXPECT_EQ(button->Font()->Name(), QStringLiteral("Courier New"));
    EXPECT_EQ(button->Font()->Size(), 12.5);
    EXPECT_TRUE(button->Font()->Bold() && button->Font()->Italic() && button->Font()->Underline() &&
                button->Font()->Strikethrough());
    EXPECT_EQ(button->Font()->Charset(), 134);
    EXPECT_EQ(button->font().family(), QStringLiteral("Courier New"));
    EXPECT_EQ(button->FontColor(), host::kHighlight);
    EXPECT_EQ(button->MaskColor(), host::RGB(0, 255, 0));
    expectSamePicture(button->MouseIcon(), icon);
    EXPECT_EQ(button->MousePointer(), -3);
    expectSamePicture(button->Picture(), picture);
    expectSamePicture(button->PictureDisabled(), disabled);
    expectSamePicture(button->PictureDown(), down);
    expectSamePicture(button->PictureOver(), over);
    EXPECT_EQ(button->PictureTab(), 6);
    EXPECT_EQ(button->ShowFocus(), host::kFalse);
    EXPECT_EQ(button->Style(), controls::Graphical);
    EXPECT_EQ(button->UseMaskColor(), host::kTrue);
    EXPECT_TRUE(marked.isEmpty());

    // Saved again, the bag is the same text.
    EXPECT_EQ(button->save().toJson(), json);
}

TEST_F(ButtonPersistence, EmptyPicturesAreNotStoredAndContainerKeysAreNotTheControls)
{
    host::PropertyBag bag;
    bag.WriteProperty(QStringLiteral("_extentx"), 1085);
    bag.WriteProperty(QStringLiteral("_extenty"), 661);
    bag.WriteProperty(QStringLiteral("CAPTION"), QStringLiteral("x"));
    loadButton(bag);
    button->setPicture(host::LoadPicture());
    EXPECT_EQ(button->Caption(), QStringLiteral("x"));
    EXPECT_EQ(button->save().keys(), QStringList{QStringLiteral("Caption")});
}

TEST_F(ButtonPersistence, WrongObjectInAPictureOrFontKeyIsATypeMismatch)
{
    for (const char16_t *key : {u"Picture", u"MouseIcon", u"Font"}) {
        host::PropertyBag bag;
        bag.WriteProperty(QString::fromUtf16(key), QStringLiteral("not an object"));
        try {
            loadButton(bag);
            ADD_FAILURE() << "text taken as an object";
        } catch (const host::RuntimeError &error) {
            EXPECT_EQ(error.number(), 13);
        }
    }
}

// The main window's three buttons as its stored layout holds them.
struct LayoutButton {
    const char16_t *name;
    const char16_t *caption;
};

class StoredLayoutButtons : public ButtonFixture, public ::testing::WithParamInterface<LayoutButton>
{
};

TEST_P(StoredLayoutButtons, ComeUpAsStored)
{
    const host::FormRecord layout = host::readFormLayoutFile(QStringLiteral(TARVOS_LAYOUT_FILE));
    const QString name = QString::fromUtf16(GetParam().name);
    const host::ControlRecord *record = layout.find(name);
    ASSERT_NE(record, nullptr);
    loadButton(record->bag, ambientNamed(name));

    EXPECT_EQ(button->Appearance(), controls::Flat);
    EXPECT_EQ(button->Caption(), QString::fromUtf16(GetParam().caption));
    EXPECT_EQ(button->AccessKeys(), button->Caption().left(1));
    EXPECT_EQ(button->Font()->Name(), QStringLiteral("宋体"));
    EXPECT_EQ(button->Font()->Size(), 9.0);
    EXPECT_EQ(button->Font()->Charset(), 134);
    EXPECT_FALSE(button->Font()->Bold());
    EXPECT_EQ(button->font().family(), QStringLiteral("宋体"));
    EXPECT_EQ(button->MaskColor(), host::kButtonFace);
    EXPECT_EQ(button->ShowFocus(), host::kFalse);
    // Everything else at its default.
    EXPECT_EQ(button->ButtonColor(), host::kButtonFace);
    EXPECT_EQ(button->CaptionAlign(), controls::AlignCenter);
    EXPECT_EQ(button->CaptionJustify(), controls::JustifyCenter);
    EXPECT_EQ(button->Checked(), host::kFalse);
    EXPECT_EQ(button->Enabled(), host::kTrue);
    EXPECT_EQ(button->FlatOver(), host::kFalse);
    EXPECT_EQ(button->FontColor(), host::kButtonText);
    EXPECT_EQ(button->MousePointer(), 0);
    EXPECT_EQ(button->MouseIcon(), nullptr);
    EXPECT_EQ(button->Picture(), nullptr);
    EXPECT_EQ(button->PictureTab(), 0);
    EXPECT_EQ(button->Style(), controls::Standard);
    EXPECT_EQ(button->UseMaskColor(), host::kFalse);

    // Saved again, only the stored keys come back (the container's size keys are its own).
    EXPECT_EQ(button->save().keys(),
              (QStringList{QStringLiteral("Appearance"), QStringLiteral("Caption"),
                           QStringLiteral("Font"), QStringLiteral("MaskColor"),
                           QStringLiteral("ShowFocus")}));
}

INSTANTIATE_TEST_SUITE_P(MainWindow, StoredLayoutButtons,
                         ::testing::Values(LayoutButton{u"ucButton1", u"关于"},
                                           LayoutButton{u"ucButton2", u"保存"},
                                           LayoutButton{u"ucButton3", u"浏览"}));

TEST(PropertyBagCodecs, FontJsonForm)
{
    host::registerPropertyBagCodecs();
    const QByteArray text = R"({"font": {"font": {"name": "宋体", "size": 9, "bold": false,
        "italic": false, "underline": false, "strikethrough": false, "charset": 134}}})";
    const host::PropertyBag bag =
        host::PropertyBag::fromJson(QJsonDocument::fromJson(text).object());
    const host::Font font = bag.ReadProperty(QStringLiteral("Font")).value<host::Font>();
    ASSERT_TRUE(font);
    EXPECT_EQ(font->Name(), QStringLiteral("宋体"));
    EXPECT_EQ(font->Charset(), 134);
    EXPECT_EQ(bag.toJson(), QJsonDocument::fromJson(text).object());
}

struct BadObject {
    const char *json;
    int error;
};

class BadStoredObjects : public ::testing::TestWithParam<BadObject>
{
};

TEST_P(BadStoredObjects, AreRefused)
{
    host::registerPropertyBagCodecs();
    const QJsonObject json = QJsonDocument::fromJson(GetParam().json).object();
    try {
        host::PropertyBag::fromJson(json);
        ADD_FAILURE() << GetParam().json;
    } catch (const host::RuntimeError &error) {
        EXPECT_EQ(error.number(), GetParam().error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Codecs, BadStoredObjects,
    ::testing::Values(BadObject{R"({"f": {"font": {"size": 9}}})", 13},
                      BadObject{R"({"f": {"font": {"name": "A", "size": "9"}}})", 13},
                      BadObject{R"({"f": {"font": {"name": "A", "size": 0}}})", 380},
                      BadObject{R"({"f": {"font": {"name": "A", "size": 9, "bold": 1}}})", 13},
                      BadObject{R"({"f": {"font": {"name": "A", "size": 9, "charset": 1.5}}})", 13},
                      BadObject{R"({"p": {"picture": {"type": 1}}})", 481},
                      BadObject{R"({"p": {"picture": {"type": 7, "png": ""}}})", 481},
                      BadObject{R"({"p": {"picture": {"type": 1, "png": "!!"}}})", 481},
                      BadObject{R"({"p": {"picture": {"type": 1, "png": "AAAA"}}})", 481}));

TEST(PropertyBagCodecs, EmptyPictureForm)
{
    host::registerPropertyBagCodecs();
    const host::PropertyBag bag = host::PropertyBag::fromJson(
        QJsonDocument::fromJson(R"({"p": {"picture": {"type": 0}}})").object());
    const host::Picture picture = bag.ReadProperty(QStringLiteral("p")).value<host::Picture>();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Handle(), 0u);
}

} // namespace
