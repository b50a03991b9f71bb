// The map view of frmMap: drawing a chapter, and editing it with the mouse.

#include "frmMap.h"

#include "ChapterTiles.h"
#include "ImageControl.h"
#include "ListBox.h"
#include "MapCell.h"
#include "MapRenderer.h"
#include "MissingTile.h"
#include "PictureBox.h"
#include "RuntimeError.h"
#include "Shape.h"
#include "TileFolder.h"
#include "TileNaming.h"
#include "ucProgress.h"

#include <QLabel>
#include <QUndoStack>

namespace app {

namespace {

enum MouseButton : short { LeftButton = 1, RightButton = 2 };

} // namespace

void frmMap::DrawMap(const core::ChapterMap &entry)
{
    const std::int32_t n = core::mapCellCount(entry);
    try {
        m_pb->setMax(n);
    } catch (const host::RuntimeError &) {
        // Setting the bar may fail (Max 0 for an entry without cells); the walk goes on.
    }
    m_mPic->setAutoRedraw(true);
    m_mPic->Cls();
    // The folder and each tile file are looked at anew on every draw, so that tiles edited,
    // removed or added since the last one show; a folder or a file that is still the same
    // is not listed or decoded again.
    const core::TileFolder &tiles = m_tileFolders.folder(core::tileFolder(m_programFolder));
    core::ChapterTiles pictures(tiles, m_tileCache);
    for (std::int32_t i = 1; i <= n; ++i) {
        const core::MapCell cell = core::mapCell(entry, i, m_RomData);
        // A cell whose byte lies beyond the image has no code to show and stays in the
        // background colour, as in an export.
        if (cell.code) {
            const host::Picture &picture = pictures.picture(*cell.code);
            if (picture) {
                if (picture != m_Pic->picture())
                    m_Pic->setPicture(picture);
                m_mPic->PaintPicture(picture, cell.x, cell.y, core::kMapCellTwips,
                                     core::kMapCellTwips);
            } else {
                m_mPic->PaintPicture(missingTile(*cell.code), cell.x, cell.y, core::kMapCellTwips,
                                     core::kMapCellTwips);
            }
        }
        m_pb->setValue(i);
    }
}

host::Picture frmMap::tilePicture(std::uint8_t code)
{
    const core::TileFolder &tiles = m_tileFolders.folder(core::tileFolder(m_programFolder));
    if (host::Picture picture = core::loadTilePicture(tiles.tilePath(code)))
        return picture;
    return missingTile(code);
}

const host::Picture &frmMap::missingTile(std::uint8_t code)
{
    host::Picture &picture = m_missingTiles[code];
    if (!picture)
        picture = core::missingTilePicture(code);
    return picture;
}

void frmMap::mPic_MouseMove(short, short, float X, float Y)
{
    const int index = m_List1->currentRow();
    if (index < 0 || index >= core::kChapterCount)
        return;
    const core::ChapterMap &entry = m_Chapters[static_cast<std::size_t>(index)];
    const auto cell = core::pointerToCell(X, Y, core::kMapCellTwips);
    if (!cell || !core::insideMap(entry, *cell))
        return;
    m_Shape1->setLeft(core::kMapCellTwips * cell->column);
    m_Shape1->setTop(core::kMapCellTwips * cell->row);
    m_lblpos->setText(QStringLiteral("%1,%2").arg(cell->column).arg(cell->row));
}

void frmMap::mPic_MouseDown(short Button, short, float X, float Y)
{
    const int index = m_List1->currentRow();
    if (index < 0 || index >= core::kChapterCount)
        return;
    const core::ChapterMap &entry = m_Chapters[static_cast<std::size_t>(index)];
    const auto cell = core::pointerToCell(X, Y, core::kMapCellTwips);
    if (!cell)
        return;
    // Nothing outside the map's cells, and nothing for a cell whose byte lies beyond the
    // image: it can be neither shown nor written.
    const auto byte = core::cellByteIndex(entry, cell->column, cell->row, m_RomData.size());
    if (!byte)
        return;
    if (Button == LeftButton) {
        m_Pic->setPicture(tilePicture(static_cast<std::uint8_t>(m_RomData[*byte])));
    } else if (Button == RightButton) {
        // img always shows CurrentTile: its bitmap or its missing-tile picture.
        m_mPic->PaintPicture(m_img->picture(), core::kMapCellTwips * cell->column,
                             core::kMapCellTwips * cell->row, core::kMapCellTwips,
                             core::kMapCellTwips);
        const auto before = static_cast<std::uint8_t>(m_RomData[*byte]);
        // Storing the code the cell holds already is no step to undo.
        if (before != m_CurrentTile)
            m_undoStack->push(new CellEdit(*this, {index, cell->column, cell->row, *byte}, before,
                                           m_CurrentTile));
    }
}

void frmMap::setCell(const CellEdit::Cell &cell, std::uint8_t code, bool repaint)
{
    // Every image the history was recorded on has this length; the check keeps a mistake
    // from writing beyond it.
    if (cell.byte < 0 || cell.byte >= m_RomData.size())
        return;
    m_RomData[cell.byte] = static_cast<char>(code);
    if (repaint && cell.chapter == m_shownChapter)
        m_mPic->PaintPicture(tilePicture(code), core::kMapCellTwips * cell.column,
                             core::kMapCellTwips * cell.row, core::kMapCellTwips,
                             core::kMapCellTwips);
}

} // namespace app
