#pragma once

#include "Cell.h"
#include "CellChanges.h"
#include "ChangedCell.h"
#include "ChapterMap.h"
#include "ChapterTiles.h"
#include "DifferenceMarks.h"
#include "MapGrid.h"
#include "MapTool.h"
#include "MapViewport.h"
#include "Picture.h"
#include "TilePictures.h"
#include "UseMarks.h"
#include "WheelSteps.h"

#include <QObject>
#include <QPointF>
#include <QRect>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace host {
class ImageControl;
class PictureBox;
class Shape;
} // namespace host

namespace app {

class ImageDocument;
class MapScrollBars;

// The map view of the window: where the chapter shows (the viewport and its scroll bars),
// the hover frame, the wheel, the stamp and the editing tool under way with its preview. It
// paints the document's cells into the window's picture box mPic; the window's handlers of
// the design's gestures forward to it, and the window draws a chapter's walk through it.
class MapView : public QObject, private MapCanvas {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MapView)
public:
    // The window's controls it draws into, the document it shows and edits, where its tile
    // pictures come from, where the tile folder is found now and which chapter List1 chose.
    struct Parts {
        ImageDocument &document;
        render::TilePictures &tiles;
        std::function<QString()> tileFolder;
        std::function<int()> chosenChapter;
        QWidget &window;
        host::PictureBox &mPic;
        host::Shape &hoverFrame; // Shape1
        host::ImageControl &img; // shows the chosen tile
    };
    explicit MapView(const Parts &parts);
    ~MapView() override;

    const MapViewport &viewport() const { return m_viewport; }
    // The codes the tool under way shows over the image's cells while its button is held;
    // none otherwise.
    const core::CellChanges *preview() const { return m_tool ? m_tool->preview() : nullptr; }
    // What a right-click stores: the chosen tile, or a block captured from a map.
    const core::MapGrid &stamp() const override { return m_stamp; }
    void setStamp(core::MapGrid stamp) { m_stamp = std::move(stamp); }

    // Shows chapter `index` from its first cell: another chapter starts unscrolled at the
    // zoom in use, the same one drawn again keeps its place where that still fits.
    void showChapter(int index, const core::ChapterMap &entry);
    // The tiles of a walk over the shown chapter that starts now.
    render::ChapterTiles &startTileWalk();
    // The code's tile bitmap as the view looks it up, or its missing-tile picture.
    host::Picture tilePicture(std::uint8_t code);

    // The pointer moved over mPic: the tool under way follows it, and where it is over a cell
    // of the map without one, the hover frame. The cell on the map it is over, if any.
    std::optional<core::Cell> pointerMoved(short button, float x, float y);
    // A press over mPic: a tool starts, or, for the left button, the code of the cell, which
    // the window shows.
    std::optional<std::uint8_t> pressed(short button, short shift, float x, float y);
    void released(short button, float x, float y);
    // The wheel scrolls the view or, with Ctrl, zooms it. `pixels`: the turn in pixels, from
    // a device that counts so.
    void wheelTurned(int delta, bool across, short shift, float x, float y, int pixels);
    // Ends the tool under way as its release would, at the last cell it was given: before
    // anything else (another button, the wheel, a command, a key) acts.
    void finishTool();

    // Paints cells of the shown chapter that a step of the history set, stored, undone or
    // redone.
    void repaintCells(int chapter, const std::vector<core::ChangedCell> &cells);
    // Whether a save that took bytes from the file changed the shown chapter's record.
    bool shownRecordChanged(const core::Cartridge &previous) const;

    // Which cells of chapter `index` carry the mark of a changed cell; none hides the marks.
    // Every cell drawn afterwards is marked where it says so.
    void setMarkedCells(std::function<bool(int index, core::Cell cell)> marked);
    // Which cells of chapter `index` carry the mark of a use of the chosen tile; none hides
    // those marks.
    void setUsedCells(std::function<bool(int index, core::Cell cell)> used);
    // Draws the shown cells anew, with their marks where shown.
    void redrawShownCells();
    // Marks the cells in sight that differ or use the chosen tile, after a chapter's walk
    // drew them.
    void paintMarks();
    // The rectangle of more than one cell last captured as a stamp in the shown chapter;
    // nothing where the last was captured in another chapter, or there was none.
    std::optional<QRect> capturedRectangle() const;
    // The cell of the shown chapter's map under the pointer, where it is over one.
    std::optional<core::Cell> cellUnderPointer() const;
    // The cell the hover frame stands on, once it stood on one.
    std::optional<core::Cell> framedCell() const { return m_framedCell; }
    // Scrolls the cell of the shown chapter into sight and puts the hover frame on it.
    void goToCell(core::Cell cell);

signals:
    // A tool made `stamp` the one right-clicks store.
    void stampTaken(const core::MapGrid &stamp);

private:
    // MapCanvas: what the editing tools work on.
    ImageDocument &document() const override { return m_document; }
    int shownChapter() const override { return m_chosenChapter(); }
    void takeStamp(const core::MapGrid &stamp) override;
    void previewChanged(const std::vector<core::Cell> &cells) override;
    void frameCells(QRect cells) override;
    void capturedCells(QRect cells) override;

    // The tool a press of the button with the shift keys starts on the shown chapter; none
    // for the design's left-click, which shows the cell's tile in Pic.
    std::unique_ptr<MapTool> toolFor(short button, short shift);
    // Ends the tool under way storing nothing.
    void cancelTool();
    // Escape: the drag under way ends with nothing stored; without one, over the map, the
    // stamp is the chosen tile again.
    void escape();
    // Paints a cell of the shown chapter as the view shows it: the code the tool's preview
    // gives it, else its byte's. A cell that an edit (`edited`) or the preview gives the
    // chosen tile shows img's picture, as the design's right-click paints it.
    void paintShownCell(core::Cell cell, bool edited);
    void paintCell(core::Cell cell, const host::Picture &picture);
    // The marks a painted cell carries, where shown.
    void paintCellMarks(core::Cell cell);
    // The picture the view shows for a code: its tile, or its missing-tile picture.
    const host::Picture &shownPicture(std::uint8_t code);
    // Draws what the view shows anew after a scroll or zoom, from the tiles of the last draw.
    void repaintView();
    void updateScrollBars();
    // Moves and sizes the hover frame over a cell, the stamp's size.
    void frameHover(core::Cell cell);
    void zoomTo(int level, QPointF anchor);
    void scrollTo(QPoint position);
    // The view's inner area in twips.
    QSizeF viewTwips() const;

    ImageDocument &m_document;
    render::TilePictures &m_tiles;
    std::function<QString()> m_tileFolder;
    std::function<int()> m_chosenChapter;
    host::PictureBox &m_mPic;
    host::Shape &m_hoverFrame;
    host::ImageControl &m_img;

    // The chapter the view shows, -1 before the first draw.
    int m_shownChapter = -1;
    // The tiles of the last draw: scrolling and zooming repaint from them.
    std::optional<render::ChapterTiles> m_shownTiles;
    MapViewport m_viewport;
    MapScrollBars *m_scrollBars;
    core::MapGrid m_stamp = core::MapGrid::single(0);
    // The wheel's turn under way, in whole notches and cells.
    WheelSteps m_wheel;
    // The tool of the drag under way, from its press to its release; the button that pressed
    // it, and the last cell it was given.
    std::unique_ptr<MapTool> m_tool;
    short m_toolButton = 0;
    core::Cell m_toolCell;
    std::optional<core::Cell> m_framedCell;
    // The chapter and cells of the last capture.
    int m_capturedChapter = -1;
    QRect m_captured;
    std::function<bool(int, core::Cell)> m_marked;
    DifferenceMarks m_marks;
    std::function<bool(int, core::Cell)> m_used;
    UseMarks m_useMarks;
};

} // namespace app
