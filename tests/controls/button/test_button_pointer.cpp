#include "ButtonFixture.h"

#include "MousePointer.h"

#include <QPixmap>

namespace {

struct PointerCase {
    const char *name;
    std::int16_t pointer;
    Qt::CursorShape shape;
};

class ButtonPointer : public ButtonFixture, public ::testing::WithParamInterface<PointerCase> {};

// Each standard pointer number shows its shape over the button.
TEST_P(ButtonPointer, ShowsTheNamedShape)
{
    createButton();
    button->setMousePointer(GetParam().pointer);
    EXPECT_EQ(button->cursor().shape(), GetParam().shape);
}

std::string pointerCaseName(const ::testing::TestParamInfo<PointerCase> &info)
{
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Standard, ButtonPointer,
                         ::testing::Values(PointerCase{"Arrow", 1, Qt::ArrowCursor},
                                           PointerCase{"Crosshair", 2, Qt::CrossCursor},
                                           PointerCase{"Ibeam", 3, Qt::IBeamCursor},
                                           PointerCase{"IconShownAsArrow", 4, Qt::ArrowCursor},
                                           PointerCase{"Size", 5, Qt::SizeAllCursor},
                                           PointerCase{"SizeNESW", 6, Qt::SizeBDiagCursor},
                                           PointerCase{"SizeNS", 7, Qt::SizeVerCursor},
                                           PointerCase{"SizeNWSE", 8, Qt::SizeFDiagCursor},
                                           PointerCase{"SizeWE", 9, Qt::SizeHorCursor},
                                           PointerCase{"UpArrow", 10, Qt::UpArrowCursor},
                                           PointerCase{"Hourglass", 11, Qt::WaitCursor},
                                           PointerCase{"NoDrop", 12, Qt::ForbiddenCursor},
                                           PointerCase{"ArrowHourglass", 13, Qt::BusyCursor},
                                           PointerCase{"ArrowQuestion", 14, Qt::WhatsThisCursor},
                                           PointerCase{"SizeAll", 15, Qt::SizeAllCursor}),
                         pointerCaseName);

host::Picture redIcon()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(qRgba(255, 0, 0, 255));
    return std::make_shared<host::StdPicture>(host::StdPicture::Icon, image);
}

// A button on a container whose pointer is the pointing hand, which a button shows where
// it sets no pointer of its own.
class ButtonOnContainer : public ::testing::Test {
protected:
    ButtonOnContainer() : button(new controls::ucButton(&container))
    {
        container.setCursor(Qt::PointingHandCursor);
        button->createNew({});
    }

    QWidget container;
    controls::ucButton *button; // child of container
};

// The default, numbers the runtime does not know, and the custom pointer without a picture
// all leave the container's pointer showing.
TEST_F(ButtonOnContainer, DefaultUnknownAndEmptyCustomPointersShowTheContainers)
{
    for (const std::int16_t pointer : {1, 0, 16, 98, -3, 99}) {
        button->setMousePointer(pointer);
        EXPECT_EQ(button->cursor().shape(), pointer == 1 ? Qt::ArrowCursor : Qt::PointingHandCursor)
            << pointer;
    }
}

// 99 shows MouseIcon, whichever of the two is set first, and follows a new icon.
TEST_F(ButtonOnContainer, CustomPointerShowsTheMouseIcon)
{
    button->setMouseIcon(redIcon());
    button->setMousePointer(host::vbCustom);
    ASSERT_EQ(button->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(button->cursor().pixmap().toImage().pixel(5, 5), qRgba(255, 0, 0, 255));

    QImage blue(16, 16, QImage::Format_ARGB32);
    blue.fill(qRgba(0, 0, 255, 255));
    button->setMouseIcon(std::make_shared<host::StdPicture>(host::StdPicture::Icon, blue));
    EXPECT_EQ(button->cursor().pixmap().size(), QSize(16, 16));

    button->setMouseIcon(host::LoadPicture());
    EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
}

// A stored button comes up with its stored pointer, though the bag holds the icon after
// the pointer number.
TEST_F(ButtonFixture, LoadedCustomPointerShowsTheStoredIcon)
{
    createButton();
    button->setMouseIcon(redIcon());
    button->setMousePointer(host::vbCustom);
    const host::PropertyBag saved = button->save();
    loadButton(saved);
    ASSERT_EQ(button->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(button->cursor().pixmap().size(), QSize(32, 32));
}

} // namespace
