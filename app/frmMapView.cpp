// The map view of frmMap: drawing a chapter, and editing it with the mouse.

#include "frmMap.h"

#include "ChapterTiles.h"
#include "ImageControl.h"
#include "ListBox.h"
#include "MapCell.h"
#include "PictureBox.h"
#include "RuntimeError.h"
#include "Shape.h"
#include "TileFolder.h"
#include "TileNaming.h"
#include "ucProgress.h"

#include <QLabel>
#include <QUndoStack>

namespace app {

void frmMap::DrawMap(const core::ChapterMap &entry)
{
    const std::int32_t n = entry.cellCount();
    try {
        m_pb->setMax(n);
    } catch (const host::RuntimeError &) {
        // Setting the bar may fail (Max 0 for an entry without cells); the walk goes on.
    }
    m_mPic->setAutoRedraw(true);
    m_mPic->Cls();
    // The folder and each tile file are looked at anew on every draw, so that tiles edited,
    // removed or added since the last one show; a folder or a file that is still the same
    // is not listed or decoded again. Scrolling and zooming then paint from these tiles.
    render::ChapterTiles &pictures = startTileWalk();
    const double size = m_viewport.cellTwips();
    for (std::int32_t i = 1; i <= n; ++i) {
        const core::MapCell cell = core::mapCell(m_document->image(), entry, i);
        // A cell whose byte lies beyond the image has no code to show and stays in the
        // background colour, as in an export.
        if (cell.code) {
            const QPointF corner = m_viewport.cellCorner(cell.cell);
            const host::Picture &picture = pictures.picture(*cell.code);
            if (picture) {
                if (picture != m_Pic->picture())
                    m_Pic->setPicture(picture);
                m_mPic->PaintPicture(picture, corner.x(), corner.y(), size, size);
            } else {
                m_mPic->PaintPicture(pictures.shown(*cell.code), corner.x(), corner.y(), size,
                                     size);
            }
        }
        m_pb->setValue(i);
    }
}

void frmMap::repaintView()
{
    if (m_shownChapter < 0 || !m_shownTiles)
        return;
    m_mPic->Cls();
    const core::ChapterMap &entry = Chapters()[static_cast<std::size_t>(m_shownChapter)];
    const QRect visible = m_viewport.visibleCells() & QRect(1, 1, entry.Width, entry.Height);
    for (int row = visible.top(); row <= visible.bottom(); ++row)
        for (int column = visible.left(); column <= visible.right(); ++column)
            paintShownCell(core::Cell{column, row}, false);
}

void frmMap::paintShownCell(core::Cell cell, bool edited)
{
    if (m_shownChapter < 0)
        return;
    const core::ChapterMap &entry = Chapters()[static_cast<std::size_t>(m_shownChapter)];
    // A cell whose byte lies beyond the image is never drawn, nor taken by a preview.
    const auto held = m_document->image().codeAt(entry, cell);
    if (!held)
        return;
    const core::CellChanges *shownPreview = preview();
    const auto previewed = shownPreview ? shownPreview->codeAt(cell) : std::nullopt;
    const auto code = previewed.value_or(*held);
    paintCell(cell, (edited || previewed) && code == m_CurrentTile ? m_img->picture()
                                                                   : shownPicture(code));
}

void frmMap::paintCell(core::Cell cell, const host::Picture &picture)
{
    const QPointF corner = m_viewport.cellCorner(cell);
    const double size = m_viewport.cellTwips();
    m_mPic->PaintPicture(picture, corner.x(), corner.y(), size, size);
}

const host::Picture &frmMap::shownPicture(std::uint8_t code)
{
    return (m_shownTiles ? *m_shownTiles : startTileWalk()).shown(code);
}

QString frmMap::tileFolderPath() const
{
    return core::tileFolder(m_programFolder);
}

render::ChapterTiles &frmMap::startTileWalk()
{
    return m_shownTiles.emplace(m_tiles, tileFolderPath());
}

host::Picture frmMap::tilePicture(std::uint8_t code)
{
    const core::TileFolder &tiles = m_tiles.folder(tileFolderPath());
    if (host::Picture picture = m_tiles.load(tiles.tilePath(code)))
        return picture;
    return m_tiles.missing(code);
}

void frmMap::mPic_MouseMove(short Button, short, float X, float Y)
{
    const int index = m_List1->currentRow();
    if (index < 0 || index >= core::kChapterCount)
        return;
    const core::ChapterMap &entry = Chapters()[static_cast<std::size_t>(index)];
    // A drag that leaves the view, or reaches a scroll bar over it, scrolls it, a cell a
    // move.
    if (m_tool && Button != 0) {
        const QSizeF view = m_viewport.unobscuredView();
        const int across = X < 0 ? -1 : X >= view.width() ? 1 : 0;
        const int down = Y < 0 ? -1 : Y >= view.height() ? 1 : 0;
        if ((across || down) && m_viewport.scrollBy(across, down)) {
            repaintView();
            updateScrollBars();
        }
    }
    const auto cell = m_viewport.cellAt(X, Y);
    if (!cell)
        return;
    if (m_tool) {
        m_toolCell = *cell;
        m_tool->move(*cell);
    }
    if (!entry.contains(*cell))
        return;
    if (!m_tool)
        frameHover(*cell);
    m_lblpos->setText(QStringLiteral("%1,%2").arg(cell->column).arg(cell->row));
}

void frmMap::mPic_MouseDown(short Button, short Shift, float X, float Y)
{
    // A second button ends the tool under way as its release would, then acts.
    finishTool();
    const int index = m_List1->currentRow();
    if (index < 0 || index >= core::kChapterCount)
        return;
    const core::ChapterMap &entry = Chapters()[static_cast<std::size_t>(index)];
    const auto cell = m_viewport.cellAt(X, Y);
    if (!cell)
        return;
    // Nothing outside the map's cells, and nothing for a cell whose byte lies beyond the
    // image: it can be neither shown nor written.
    const auto code = m_document->image().codeAt(entry, *cell);
    if (!code)
        return;
    if (std::unique_ptr<MapTool> tool = toolFor(Button, Shift)) {
        // The tool is the view's while it presses, so that the view shows its preview. One
        // that finished at the press (a plain right-click, a fill) waits for nothing.
        m_tool = std::move(tool);
        m_toolButton = Button;
        m_toolCell = *cell;
        if (!m_tool->press(*cell)) {
            m_tool.reset();
            return;
        }
        m_document->setStrokeUnderWay([this] { finishTool(); });
        return;
    }
    if (Button == host::kLeftButton)
        m_Pic->setPicture(tilePicture(*code));
}

void frmMap::repaintCells(int chapter, const std::vector<core::ChangedCell> &cells)
{
    if (chapter != m_shownChapter)
        return;
    // A step of the history is a walk of its own: a tile file edited or removed since the
    // draw shows as it is now.
    startTileWalk();
    for (const core::ChangedCell &changed : cells)
        paintShownCell(changed.cell, true);
}

} // namespace app
