#include "../support/DialogScript.h"
#include "../support/SyntheticImage.h"
#include "ImageControl.h"
#include "PictureBox.h"
#include "UserControl.h"
#include "frmMap.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using testing_support::DialogScript;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    DialogScript dialogs;
    app::frmMap window{dir.path()};

    QListWidget *list() const { return qobject_cast<QListWidget *>(window.control(QStringLiteral("List1"))); }
    QString label(const char16_t *name) const
    {
        return qobject_cast<QLabel *>(window.control(QString::fromUtf16(name)))->text();
    }
    QString writeImage(const QString &name, const QByteArray &bytes) const
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void open(const QString &path)
    {
        dialogs.chosenPaths << path;
        window.ucButton3_Click();
    }
};

struct Placement {
    const char16_t *name;
    int left, top, width, height; // twips, relative to the container's inner area
};

const Placement kLayout[] = {
    {u"Picture2", 120, 120, 2295, 975}, {u"toolpic", 10800, 600, 1815, 7695},
    {u"List1", 120, 1200, 2295, 6510},  {u"ucButton1", 120, 7920, 615, 375},
    {u"mPic", 2520, 600, 8175, 7695},   {u"Shape6", 7920, 7440, 240, 240},
    {u"Shape5", 0, 7440, 240, 240},     {u"Shape4", 7920, 0, 240, 240},
    {u"Shape3", 0, 0, 240, 240},        {u"Shape1", 7920, 0, 240, 240},
    {u"Shape2", 0, 0, 360, 360},        {u"pb", 3000, 120, 7695, 375},
    {u"ucButton2", 1680, 7920, 735, 375}, {u"ucButton3", 840, 7920, 735, 375},
    {u"img", 12240, 120, 375, 375},     {u"Pic", 2520, 120, 375, 375},
    {u"lblpos", 960, 480, 1215, 255},   {u"mapSize", 960, 120, 1215, 255},
};

} // namespace

TEST_F(MainWindowTest, EveryControlStandsWhereTheLayoutPutsIt)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Vellmark地图编辑器"));
    EXPECT_EQ(window.size(), QSize(851, 564));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    for (const Placement &p : kLayout) {
        const QWidget *widget = window.control(QString::fromUtf16(p.name));
        ASSERT_NE(widget, nullptr) << QString::fromUtf16(p.name).toStdString();
        const int inset = qobject_cast<host::PictureBox *>(widget->parentWidget()) ? 1 : 0;
        EXPECT_EQ(widget->geometry(),
                  QRect(p.left / 15 + inset, p.top / 15 + inset, p.width / 15, p.height / 15))
            << QString::fromUtf16(p.name).toStdString();
    }
    // Later controls of the layout lie above earlier ones: the buttons above the list.
    const QObjectList &children = window.children();
    EXPECT_LT(children.indexOf(window.control(QStringLiteral("List1"))),
              children.indexOf(window.control(QStringLiteral("ucButton3"))));
}

TEST_F(MainWindowTest, StartsWithNoImageAndADisabledChapterList)
{
    EXPECT_FALSE(list()->isEnabled());
    EXPECT_EQ(label(u"mapSize"), QStringLiteral("0X0"));
    EXPECT_EQ(label(u"lblpos"), QStringLiteral("0,0"));
    EXPECT_EQ(window.CurrentTile(), 200);
    EXPECT_EQ(window.RomPath(), QStringLiteral("D:\\模拟游戏\\FC\\Vellmark (J).nes"));
    EXPECT_TRUE(window.RomData().isEmpty());
    EXPECT_FALSE(qobject_cast<host::ImageControl *>(window.control(QStringLiteral("Pic")))->hasImage());

    ASSERT_EQ(list()->count(), 25);
    const QRegularExpression entry(QStringLiteral("^[０-９]{1,2}章 \\S.*$"));
    for (int i = 0; i < 25; ++i) {
        const QString text = list()->item(i)->text();
        EXPECT_TRUE(entry.match(text).hasMatch()) << text.toStdString();
        EXPECT_EQ(text.endsWith(u' '), i < 24) << i;
    }
    EXPECT_TRUE(list()->item(0)->text().startsWith(QStringLiteral("１章 ")));
    EXPECT_TRUE(list()->item(24)->text().startsWith(QStringLiteral("２５章 ")));
}

TEST_F(MainWindowTest, HelpShowsTheFiveLines)
{
    window.ucButton1_Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("说明"));
    EXPECT_EQ(dialogs.messages[0].icon, host::MessageIcon::Information);
    EXPECT_EQ(dialogs.messages[0].prompt.split(QStringLiteral("\r\n")),
              (QStringList{QStringLiteral("使用说明:"), QStringLiteral("选择游戏ROM>选择要修改关卡>选择要替代的"),
                           QStringLiteral("图标>在地图上[右击]替换>保存ROM"), QString(),
                           QStringLiteral("2008-1-19")}));
}

TEST_F(MainWindowTest, OpenEnablesTheListAndAChapterShowsItsSize)
{
    const QString path = writeImage(QStringLiteral("a.nes"), testing_support::standardSyntheticImage());
    open(path);
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(dialogs.openRequests[0].caption, QStringLiteral("选择文件"));
    EXPECT_EQ(dialogs.openRequests[0].filter, QStringLiteral("Nes File(*.nes)"));
    EXPECT_EQ(dialogs.openRequests[0].owner, &window);
    EXPECT_TRUE(list()->isEnabled());
    EXPECT_EQ(window.RomPath(), path);
    EXPECT_EQ(window.Chapters()[0].Width, 16);

    list()->setCurrentRow(0);
    EXPECT_EQ(label(u"mapSize"), QStringLiteral("16X32"));
    EXPECT_TRUE(list()->isEnabled());
    list()->setCurrentRow(1);
    EXPECT_EQ(label(u"mapSize"), QStringLiteral("1X5"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MainWindowTest, SaveWithoutEditsLeavesTheFileUnchangedAndSaysSo)
{
    const QByteArray bytes = testing_support::standardSyntheticImage();
    const QString path = writeImage(QStringLiteral("a.nes"), bytes);
    open(path);
    window.ucButton2_Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, QStringLiteral("保存成功！"));
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("地图编辑器"));
    EXPECT_EQ(readFile(path), bytes);
}

TEST_F(MainWindowTest, CancelledOrFailedOpenKeepsTheLoadedImage)
{
    const QByteArray bytes = testing_support::standardSyntheticImage();
    const QString path = writeImage(QStringLiteral("a.nes"), bytes);
    open(path);
    open(QString());                                 // cancelled
    open(dir.filePath(QStringLiteral("none.nes")));  // no such file
    open(dir.path());                                // a folder
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(window.RomPath(), path);
    EXPECT_EQ(window.RomData(), bytes);
    EXPECT_TRUE(list()->isEnabled());

    // Save still writes the loaded image back to its own file.
    window.ucButton2_Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, QStringLiteral("保存成功！"));
}

TEST_F(MainWindowTest, ShortImageIsRefusedWithAMessageAndNothingChanges)
{
    const QByteArray good = testing_support::standardSyntheticImage();
    const QString goodPath = writeImage(QStringLiteral("good.nes"), good);
    const QString shortPath = writeImage(QStringLiteral("short.nes"), good.left(core::kRunBOffset + 20));

    open(shortPath);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, host::MessageIcon::Critical);
    EXPECT_TRUE(dialogs.messages[0].prompt.contains(QStringLiteral("short.nes")));
    EXPECT_FALSE(list()->isEnabled());
    EXPECT_TRUE(window.RomData().isEmpty());

    open(goodPath);
    open(shortPath);
    EXPECT_EQ(window.RomPath(), goodPath);
    EXPECT_EQ(window.RomData(), good);
}

TEST_F(MainWindowTest, SaveBeforeAnyOpenWritesNothing)
{
    window.ucButton2_Click();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(MainWindowTest, SaveWritesARemovedFileAnewButNotIntoARemovedFolder)
{
    for (const bool folderToo : {false, true}) {
        const QString folder =
            dir.filePath(folderToo ? QStringLiteral("gone") : QStringLiteral("kept"));
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString path = QDir(folder).filePath(QStringLiteral("a.nes"));
        const QByteArray bytes = testing_support::standardSyntheticImage();
        QFile::copy(writeImage(QStringLiteral("source.nes"), bytes), path);
        open(path);
        ASSERT_EQ(window.RomPath(), path);
        ASSERT_TRUE(folderToo ? QDir(folder).removeRecursively() : QFile::remove(path));
        dialogs.messages.clear();

        window.ucButton2_Click();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        const QString prompt = dialogs.messages[0].prompt;
        if (folderToo) {
            EXPECT_EQ(dialogs.messages[0].icon, host::MessageIcon::Critical);
            EXPECT_TRUE(prompt.contains(QDir::toNativeSeparators(path))) << prompt.toStdString();
            EXPECT_TRUE(prompt.contains(QStringLiteral("不存在"))) << prompt.toStdString();
            EXPECT_FALSE(QFileInfo::exists(folder));
        } else {
            EXPECT_EQ(prompt, QStringLiteral("保存成功！"));
            EXPECT_EQ(readFile(path), bytes);
        }
        EXPECT_EQ(window.RomData(), bytes);
    }
}

TEST_F(MainWindowTest, CornerFramesStayInsideTheMapViewsFrame)
{
    QWidget *mPic = window.control(QStringLiteral("mPic"));
    const QImage view = mPic->grab().toImage();
    const QRgb black = qRgb(0, 0, 0);
    // The corner cells' frames reach the inner area's last column and row; the view's
    // one-pixel frame stays drawn over them.
    for (int y : {1, 8, view.height() - 9, view.height() - 2})
        EXPECT_EQ(view.pixel(view.width() - 1, y) & 0xFFFFFF, black & 0xFFFFFF) << y;
    for (int x : {1, 8, view.width() - 9, view.width() - 2})
        EXPECT_EQ(view.pixel(x, view.height() - 1) & 0xFFFFFF, black & 0xFFFFFF) << x;
}

TEST_F(MainWindowTest, CommandButtonsRunTheirCommandsWhenClicked)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(window.control(QStringLiteral("ucButton1")), Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("说明"));

    const QString path = writeImage(QStringLiteral("a.nes"), testing_support::standardSyntheticImage());
    dialogs.chosenPaths << path;
    QTest::mouseClick(window.control(QStringLiteral("ucButton3")), Qt::LeftButton);
    EXPECT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(window.RomPath(), path);

    QTest::mouseClick(window.control(QStringLiteral("ucButton2")), Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].prompt, QStringLiteral("保存成功！"));
}

TEST_F(MainWindowTest, ButtonCaptionsDrawInWholePixelsOfTheTextColour)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QRgb face = host::toQRgb(host::GetSysColor(host::COLOR_BTNFACE));
    const QRgb text = host::toQRgb(host::GetSysColor(host::COLOR_BTNTEXT));
    for (const char16_t *name : {u"ucButton1", u"ucButton2", u"ucButton3"}) {
        const auto *button = qobject_cast<host::UserControl *>(window.control(QString::fromUtf16(name)));
        const QImage &image = button->backingImage();
        int textPixels = 0;
        // Inside the one-pixel edge only the face and the caption's own colour appear.
        for (int y = 1; y < image.height() - 1; ++y)
            for (int x = 1; x < image.width() - 1; ++x) {
                const QRgb pixel = image.pixel(x, y) & 0xFFFFFF;
                EXPECT_TRUE(pixel == (face & 0xFFFFFF) || pixel == (text & 0xFFFFFF))
                    << QString::fromUtf16(name).toStdString() << " " << x << "," << y;
                textPixels += pixel == (text & 0xFFFFFF);
            }
        EXPECT_GT(textPixels, 40) << QString::fromUtf16(name).toStdString();
    }
}
