// The picture box clears only what drawing has touched since the last Cls; what it holds
// and shows must still be a cleared box after any drawing.

#include "PictureBox.h"
#include "Twips.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace {

host::Picture tile(QRgb colour, int size)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(colour);
    return std::make_shared<host::StdPicture>(host::StdPicture::Bitmap, image);
}

// The inner area, as the screen shows it.
QImage onScreen(host::PictureBox &box)
{
    QApplication::processEvents();
    return box
        .grab(QRect(box.innerLeft(), box.innerLeft(), box.image().width(), box.image().height()))
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QImage filled(QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

TEST(PictureBoxCls, ClearsEverythingDrawnSinceTheLastOneAndShowsIt)
{
    QWidget window;
    window.resize(300, 300);
    auto *box = new host::PictureBox(&window);
    box->setGeometry(10, 10, 122, 102);
    box->Cls();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QRgb white = qRgb(255, 255, 255);
    const QSize inner(120, 100);

    // Cells at their own size, scaled, partly outside, and wholly outside the box.
    box->PaintPicture(tile(qRgb(200, 0, 0), 16), 240, 240, 240, 240);
    box->PaintPicture(tile(qRgb(0, 200, 0), 16), 1500, 1200, 600, 600);
    box->PaintPicture(tile(qRgb(0, 0, 200), 16), -100, 1400, 240, 240);
    box->PaintPicture(tile(qRgb(9, 9, 9), 16), 90000, 90000, 240, 240);
    EXPECT_NE(box->image(), filled(inner, white));
    EXPECT_EQ(onScreen(*box), box->image());

    box->Cls();
    EXPECT_EQ(box->image(), filled(inner, white));
    EXPECT_EQ(onScreen(*box), filled(inner, white));

    // Nothing drawn since: a Cls changes nothing.
    box->Cls();
    EXPECT_EQ(onScreen(*box), filled(inner, white));

    // A new background colour clears every pixel to it.
    box->PaintPicture(tile(qRgb(200, 0, 0), 16), 0, 0, 240, 240);
    box->setBackColor(host::RGB(0, 0, 255));
    EXPECT_EQ(box->image(), filled(inner, qRgb(0, 0, 255)));
    EXPECT_EQ(onScreen(*box), filled(inner, qRgb(0, 0, 255)));

    // Grown, the box keeps what it held and clears the new part too.
    box->PaintPicture(tile(qRgb(0, 200, 0), 16), 0, 0, 240, 240);
    box->resize(162, 122);
    box->Cls();
    EXPECT_EQ(box->image(), filled(QSize(160, 120), qRgb(0, 0, 255)));
    EXPECT_EQ(onScreen(*box), filled(QSize(160, 120), qRgb(0, 0, 255)));
}

} // namespace
