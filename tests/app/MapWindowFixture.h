#pragma once

#include "../support/DialogScript.h"
#include "../support/SyntheticImage.h"
#include "ImageControl.h"
#include "MissingTile.h"
#include "PictureBox.h"
#include "Shape.h"
#include "TileNaming.h"
#include "frmMap.h"
#include "ucProgress.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace testing_support {

// The map view's background, where no tile is drawn.
constexpr QRgb kWhite = 0xFFFFFFFF;

// A main window over a temporary program folder whose MAP folder the test fills first.
class MapWindowFixture : public ::testing::Test {
protected:
    // Every tile code has a colour of its own; none is white.
    static QRgb tileColour(int code) { return qRgb(code, (code * 37) & 0xFF, 255 - code); }

    QString mapFolder() const { return QDir(dir.path()).filePath(QStringLiteral("MAP")); }
    QString mapFile(const QString &name) const { return QDir(mapFolder()).filePath(name); }

    void writeFile(const QString &name, const QByteArray &bytes) const
    {
        QDir(dir.path()).mkpath(QStringLiteral("MAP"));
        QFile file(mapFile(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    void writeTile(const QString &name, const QImage &image) const
    {
        QDir(dir.path()).mkpath(QStringLiteral("MAP"));
        ASSERT_TRUE(image.save(mapFile(name), "BMP"));
    }
    void writeTile(const QString &name, QRgb colour) const
    {
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(colour);
        writeTile(name, image);
    }
    // Tiles for every code, each named by the map view's rule.
    void writeAllTiles() const
    {
        for (int code = 0; code < 256; ++code)
            writeTile(core::tileFileName(static_cast<std::uint8_t>(code)), tileColour(code));
    }

    void startWindow() { window = std::make_unique<app::frmMap>(dir.path()); }

    QString openImage(const QByteArray &rom)
    {
        const QString path = QDir(dir.path()).filePath(QStringLiteral("image.nes"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(rom);
        file.close();
        dialogs.chosenPaths << path;
        window->ucButton3_Click();
        return path;
    }
    void chooseChapter(int index) { list()->setCurrentRow(index); }

    template <typename T> T *control(const char16_t *name) const
    {
        return qobject_cast<T *>(window->control(QString::fromUtf16(name)));
    }
    QListWidget *list() const { return control<QListWidget>(u"List1"); }
    host::PictureBox *mPic() const { return control<host::PictureBox>(u"mPic"); }
    host::PictureBox *toolpic() const { return control<host::PictureBox>(u"toolpic"); }
    host::ImageControl *img() const { return control<host::ImageControl>(u"img"); }
    host::ImageControl *Pic() const { return control<host::ImageControl>(u"Pic"); }
    host::Shape *Shape1() const { return control<host::Shape>(u"Shape1"); }
    host::Shape *Shape2() const { return control<host::Shape>(u"Shape2"); }
    controls::ucProgress *pb() const { return control<controls::ucProgress>(u"pb"); }
    QString lblpos() const { return control<QLabel>(u"lblpos")->text(); }

    // The colour a picture control shows: its picture's top-left pixel.
    static QRgb pictureColour(const host::ImageControl *image)
    {
        return image->hasImage() ? image->picture()->image().pixel(0, 0) : 0;
    }
    // A map cell's pixels in the view's persistent image: 16 x 16 from (16c, 16r), less
    // what lies beyond the view's edge.
    QImage viewCell(int column, int row) const
    {
        const QImage &view = mPic()->image();
        return view.copy(QRect(16 * column, 16 * row, 16, 16) & view.rect());
    }
    // What the view and img show for a code without a loadable bitmap.
    static QImage missingTile(int code)
    {
        return render::missingTileImage(static_cast<std::uint8_t>(code));
    }
    static bool showsMissingTile(const host::ImageControl *image, int code)
    {
        return image->hasImage() && image->picture()->image() == missingTile(code);
    }
    static bool isSolid(const QImage &image, QRgb colour)
    {
        if (image.isNull())
            return false;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != colour)
                    return false;
        return true;
    }

    QTemporaryDir dir;
    DialogScript dialogs;
    std::unique_ptr<app::frmMap> window;
};

} // namespace testing_support
