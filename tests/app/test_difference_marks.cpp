// The marks of the cells that differ from a reference: what they mark after each kind of
// change, F8's walk, and the ways of taking cells back.

#include "BpsPatch.h"
#include "DifferenceReview.h"
#include "LastImageFolder.h"
#include "MapWindowFixture.h"

#include <QTest>
#include <QUndoStack>

#include <set>
#include <tuple>

using testing_support::MapWindowFixture;

namespace {

using Place = std::tuple<int, int, int>; // chapter index, row, column: F8's order

// Offsets into chapter `index`'s tiles of the standard image: cell (c, r).
qsizetype cellByte(const QByteArray &rom, int index, int column, int row)
{
    const core::Cartridge image(rom);
    return *image.cellByte(image.Chapters()[static_cast<std::size_t>(index)],
                           core::Cell{column, row});
}

// The cells whose bytes differ, found byte by byte over the standard image's layout.
std::set<Place> differingPlaces(const QByteArray &a, const QByteArray &b)
{
    const core::Cartridge image(a);
    std::set<Place> places;
    for (int k = 0; k < core::kChapterCount; ++k) {
        const core::ChapterMap &entry = image.Chapters()[static_cast<std::size_t>(k)];
        for (int row = 1; row <= entry.Height; ++row)
            for (int column = 1; column <= entry.Width; ++column) {
                const qsizetype i = entry.DataOffset + entry.Width * (row - 1) + column;
                if (a[i] != b[i])
                    places.insert({k, row, column});
            }
    }
    return places;
}

// An IPS patch setting single bytes.
QByteArray ipsPatch(const std::vector<std::pair<qsizetype, char>> &bytes)
{
    QByteArray patch("PATCH");
    for (const auto &[offset, value] : bytes) {
        patch += char((offset >> 16) & 0xFF);
        patch += char((offset >> 8) & 0xFF);
        patch += char(offset & 0xFF);
        patch += QByteArray("\x00\x01", 2);
        patch += value;
    }
    return patch + QByteArray("EOF");
}

class DifferenceTest : public MapWindowFixture {
protected:
    void SetUp() override
    {
        writeAllTiles();
        startWindow();
        path = openImage(original);
        chooseChapter(0);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void TearDown() override { app::programSettings().remove(QStringLiteral("view")); }

    app::DifferenceReview &review() const { return window->differenceReview(); }
    QString writeBeside(const QString &name, const QByteArray &bytes) const
    {
        const QString file = QDir(dir.path()).filePath(name);
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return file;
    }
    // The original with chapter 1's cells (2, 2) and (4, 3) and chapter 14's (1, 1) changed.
    QByteArray otherImage() const
    {
        QByteArray other = original;
        other[cellByte(original, 0, 2, 2)] = '\x50';
        other[cellByte(original, 0, 4, 3)] = '\x51';
        other[cellByte(original, 13, 1, 1)] = '\x52';
        return other;
    }
    void rightClick(int column, int row, int code)
    {
        const auto &names = window->tileNames();
        const auto k = std::find_if(names.begin(), names.end(),
                                    [code](const QString &name) {
                                        return core::paletteTileCode(name) == code;
                                    }) -
                       names.begin();
        ASSERT_LT(k, 105) << code;
        window->toolpic_MouseDown(1, 0, 360.0f * float(k % 5), 360.0f * float(k / 5));
        window->mPic_MouseDown(2, 0, 240.0f * column, 240.0f * row);
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(list(), key, modifiers);
    }
    // Whether the view shows the mark on cell (c, r): black, then white, two pixels each.
    bool markShown(int column, int row) const
    {
        const QImage cell = viewCell(column, row);
        return cell.pixel(0, 0) == qRgb(0, 0, 0) && cell.pixel(2, 0) == qRgb(255, 255, 255) &&
               cell.pixel(0, 2) == qRgb(255, 255, 255) && cell.pixel(12, 15) == qRgb(0, 0, 0);
    }
    std::set<Place> markedPlaces() const
    {
        std::set<Place> places;
        for (int k = 0; k < core::kChapterCount; ++k)
            for (const core::Cell cell : review().differingCells().cells(k))
                places.insert({k, cell.row, cell.column});
        return places;
    }

    const QByteArray original = testing_support::standardSyntheticImage();
    QString path;
};

} // namespace

// Each kind of reference after each kind of change marks exactly the cells whose bytes
// differ, in every chapter, in List1 and in the view; hidden, the view is as before.
TEST_F(DifferenceTest, MarksFollowEveryChangeForEveryReference)
{
    enum class Reference { SavedFile, OtherImage, Patch };
    enum class Change { Edit, Undo, Merge, Open };
    const QImage unmarked = mPic()->image();
    for (const Reference reference :
         {Reference::SavedFile, Reference::OtherImage, Reference::Patch})
        for (const Change change : {Change::Edit, Change::Undo, Change::Merge, Change::Open}) {
            const auto name = testing::Message() << int(reference) << "x" << int(change);
            dialogs.answers.clear();
            path = openImage(original);
            chooseChapter(0);
            QByteArray expected = window->document().fileBytes();
            if (reference == Reference::OtherImage) {
                ASSERT_TRUE(
                    review().compareWith(writeBeside(QStringLiteral("o.nes"), otherImage())));
                expected = otherImage();
            } else if (reference == Reference::Patch) {
                const qsizetype a = cellByte(original, 0, 5, 5);
                const qsizetype b = cellByte(original, 1, 1, 3);
                ASSERT_TRUE(review().compareWith(
                    writeBeside(QStringLiteral("p.ips"), ipsPatch({{a, '\x21'}, {b, '\x22'}}))));
                expected[a] = '\x21';
                expected[b] = '\x22';
            }
            review().setMarksShown(true);
            rightClick(3, 2, 0x40);
            rightClick(2, 2, 0x50); // the other image's code: no longer differs from it
            if (change == Change::Undo) {
                window->document().undo();
            } else if (change == Change::Merge) {
                QByteArray theirs = original;
                theirs[cellByte(original, 0, 7, 7)] = '\x33';
                writeBeside(QStringLiteral("image.nes"), theirs);
                window->ucButton2_Click();
                if (reference == Reference::SavedFile)
                    expected = window->document().fileBytes();
            } else if (change == Change::Open) {
                QByteArray second = original;
                second[cellByte(original, 0, 6, 6)] = '\x44';
                dialogs.answers << host::MessageAnswer::Discard;
                dialogs.chosenPaths << writeBeside(QStringLiteral("second.nes"), second);
                window->ucButton3_Click();
                ASSERT_TRUE(window->RomPath().endsWith(u"second.nes")) << name;
                rightClick(8, 8, 0x41);
                expected = second; // another image compares with its own file
            }
            const std::set<Place> differing = differingPlaces(expected, window->RomData());
            EXPECT_EQ(markedPlaces(), differing) << name;
            EXPECT_FALSE(differing.empty() && change != Change::Merge) << name;
            for (int k = 0; k < core::kChapterCount; ++k)
                EXPECT_EQ(list()->item(k)->text().endsWith(u" ✱"),
                          std::any_of(differing.begin(), differing.end(),
                                      [k](const Place &p) { return std::get<0>(p) == k; }))
                    << name << " entry " << k;
            for (int row = 1; row <= 30; ++row)
                for (int column = 1; column <= 16; ++column)
                    EXPECT_EQ(markShown(column, row), differing.count({0, row, column}) == 1)
                        << name << " cell " << column << "," << row;
            EXPECT_TRUE(window->windowTitle().contains(
                QStringLiteral("不同：本章 %1，共 %2")
                    .arg(std::count_if(differing.begin(), differing.end(),
                                       [](const Place &p) { return std::get<0>(p) == 0; }))
                    .arg(differing.size())))
                << name << window->windowTitle().toStdString();

            review().setMarksShown(false);
            window->document().undoStack()->clear();
            dialogs.answers << host::MessageAnswer::Discard;
            path = openImage(original);
            chooseChapter(0);
            EXPECT_EQ(mPic()->image(), unmarked) << name;
            EXPECT_FALSE(list()->item(0)->text().contains(u'✱'));
        }
}

// F8 visits every differing cell once, chapter by chapter in directory order and row by
// row, then starts again; Shift+F8 walks back. With none, nothing moves.
TEST_F(DifferenceTest, F8VisitsEveryDifferingCellOnceInOrder)
{
    key(Qt::Key_F8);
    EXPECT_TRUE(window->windowTitle().endsWith(u"没有不同")) << window->windowTitle().toStdString();
    EXPECT_EQ(list()->currentRow(), 0);

    ASSERT_TRUE(review().compareWith(writeBeside(QStringLiteral("o.nes"), otherImage())));
    rightClick(16, 30, 0x40);
    const std::vector<Place> order{{0, 2, 2}, {0, 3, 4}, {0, 30, 16}, {13, 1, 1}};
    for (int lap = 0; lap < 2; ++lap)
        for (const auto &[chapter, row, column] : order) {
            key(Qt::Key_F8);
            EXPECT_EQ(list()->currentRow(), chapter);
            EXPECT_EQ(lblpos(), QStringLiteral("%1,%2").arg(column).arg(row));
            const QPointF corner = window->viewport().cellCorner(core::Cell{column, row});
            EXPECT_EQ(QPoint(Shape1()->Left(), Shape1()->Top()), corner.toPoint());
            EXPECT_GE(corner.y(), 0);
            EXPECT_LE(corner.y() + 240, window->viewport().unobscuredView().height());
        }
    for (auto place = order.rbegin() + 1; place != order.rend(); ++place) {
        key(Qt::Key_F8, Qt::ShiftModifier);
        EXPECT_EQ(list()->currentRow(), std::get<0>(*place));
        EXPECT_EQ(lblpos(),
                  QStringLiteral("%1,%2").arg(std::get<2>(*place)).arg(std::get<1>(*place)));
    }
}

// Backspace takes back the cell under the pointer, one step named "还原"; a cell that does
// not differ, or a chapter that cannot be compared, makes no step.
TEST_F(DifferenceTest, BackspaceTakesBackTheCellUnderThePointer)
{
    QByteArray other = otherImage();
    other[core::kRunAOffset + 4 + 16 * 32] = '\x03'; // chapter 2 is 4 rows high there
    ASSERT_TRUE(review().compareWith(writeBeside(QStringLiteral("o.nes"), other)));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages.back().prompt.contains(u"chapter 2: 1 x 4 at"));

    window->mPic_MouseMove(0, 0, 240.0f * 4, 240.0f * 3);
    key(Qt::Key_Backspace);
    EXPECT_EQ(window->RomData()[cellByte(original, 0, 4, 3)], '\x51');
    EXPECT_EQ(window->RomData()[cellByte(original, 0, 2, 2)],
              original[cellByte(original, 0, 2, 2)]);
    ASSERT_EQ(window->undoStack()->count(), 1);
    EXPECT_EQ(window->undoStack()->text(0), QStringLiteral("还原"));
    key(Qt::Key_Backspace);
    EXPECT_EQ(window->undoStack()->count(), 1) << "nothing differs there now";

    chooseChapter(1);
    const QByteArray before = window->RomData();
    window->mPic_MouseMove(0, 0, 240.0f, 240.0f * 2);
    key(Qt::Key_Backspace, Qt::ShiftModifier);
    key(Qt::Key_Backspace);
    EXPECT_EQ(window->RomData(), before) << "chapter 2 cannot be compared";

    window->document().undo();
    EXPECT_EQ(window->RomData(), original);
}

// With a stamp, Backspace takes back the stamp's rectangle as a right-click places it.
TEST_F(DifferenceTest, BackspaceWithAStampTakesBackItsRectangleClippedToTheMap)
{
    QByteArray other = original;
    for (const auto &[column, row] : {std::pair{15, 2}, {16, 2}, {16, 3}, {14, 2}})
        other[cellByte(original, 0, column, row)] = '\x70';
    ASSERT_TRUE(review().compareWith(writeBeside(QStringLiteral("o.nes"), other)));
    // A 2 x 2 stamp captured with the middle button.
    window->mPic_MouseDown(host::kMiddleButton, 0, 240.0f, 240.0f);
    window->mPic_MouseMove(host::kMiddleButton, 0, 240.0f * 2, 240.0f * 2);
    window->mPic_MouseUp(host::kMiddleButton, 0, 240.0f * 2, 240.0f * 2);
    window->mPic_MouseMove(0, 0, 240.0f * 16, 240.0f * 2);
    key(Qt::Key_Backspace); // the stamp's right column lies off the map
    QByteArray expected = original;
    expected[cellByte(original, 0, 16, 2)] = '\x70';
    expected[cellByte(original, 0, 16, 3)] = '\x70';
    EXPECT_EQ(window->RomData(), expected);
    EXPECT_EQ(window->undoStack()->count(), 1);
    window->mPic_MouseMove(0, 0, 240.0f * 14, 240.0f * 2);
    key(Qt::Key_Backspace);
    EXPECT_EQ(window->RomData(), other);
    EXPECT_EQ(window->undoStack()->count(), 2);
    window->document().undo();
    window->document().undo();
    EXPECT_EQ(window->RomData(), original);
}

// Shift+Backspace takes back every differing cell of the shown chapter as one step; with
// the marks shown by Ctrl+D, which the settings remember, the marks go with them.
TEST_F(DifferenceTest, ShiftBackspaceTakesBackTheShownChapter)
{
    ASSERT_TRUE(review().compareWith(writeBeside(QStringLiteral("o.nes"), otherImage())));
    key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_TRUE(app::programSettings().value(QStringLiteral("view/differenceMarks")).toBool());
    EXPECT_TRUE(markShown(2, 2));
    key(Qt::Key_Backspace, Qt::ShiftModifier);
    QByteArray expected = original;
    expected[cellByte(original, 0, 2, 2)] = '\x50';
    expected[cellByte(original, 0, 4, 3)] = '\x51';
    EXPECT_EQ(window->RomData(), expected) << "chapter 14 is not the one shown";
    EXPECT_EQ(window->undoStack()->count(), 1);
    EXPECT_FALSE(markShown(2, 2));
    EXPECT_FALSE(list()->item(0)->text().contains(u'✱'));
    EXPECT_TRUE(list()->item(13)->text().endsWith(u" ✱"));
    key(Qt::Key_Backspace, Qt::ShiftModifier);
    EXPECT_EQ(window->undoStack()->count(), 1);
    window->document().undo();
    EXPECT_EQ(window->RomData(), original);
    EXPECT_TRUE(markShown(2, 2));
}

// With a patch as the reference the chapter's take-back is the patch's changes of its
// cells; a BPS patch made for another image is refused in tarvos-cli apply's words.
TEST_F(DifferenceTest, ShiftBackspaceTakesThePatchesChanges)
{
    QByteArray elsewhere = otherImage();
    elsewhere[cellByte(original, 0, 1, 1)] = '\x60';
    const QByteArray foreign = patches::makeBpsPatch(otherImage(), elsewhere).bytes;
    EXPECT_FALSE(review().compareWith(writeBeside(QStringLiteral("f.bps"), foreign)));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].prompt.contains(u"this patch is for a different image"));
    EXPECT_EQ(review().reference().kind(), app::ReferenceImage::Kind::SavedFile);
    const qsizetype a = cellByte(original, 0, 5, 5);
    const qsizetype b = cellByte(original, 0, 9, 20);
    const qsizetype c = cellByte(original, 13, 1, 1);
    ASSERT_TRUE(review().compareWith(
        writeBeside(QStringLiteral("p.ips"), ipsPatch({{a, '\x21'}, {b, '\x22'}, {c, '\x23'}}))));
    EXPECT_EQ(review().reference().name(), QStringLiteral("image.nes + p.ips"));
    key(Qt::Key_Backspace, Qt::ShiftModifier);
    QByteArray expected = original;
    expected[a] = '\x21';
    expected[b] = '\x22';
    EXPECT_EQ(window->RomData(), expected);
    EXPECT_EQ(window->undoStack()->count(), 1);
    EXPECT_EQ(review().differingCells().total(), 1);
}
