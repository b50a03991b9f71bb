// The tile palette of frmMap: filling it from the tile folder, choosing a tile, and the
// hover frame.

#include "frmMap.h"

#include "ImageControl.h"
#include "MapCell.h"
#include "PictureBox.h"
#include "Shape.h"
#include "TileFolder.h"
#include "TileNaming.h"
#include "TileUseReview.h"

namespace app {

void frmMap::GetPic()
{
    const QString folderPath = tileFolderPath();
    const core::TileFolder &folder = m_tiles.folder(folderPath);
    std::int32_t i = 0;
    std::int32_t X = 0;
    std::int32_t Y = -core::kPaletteCellTwips;
    for (const QString &name : folder.fileNames()) {
        // The palette has room for 105 tiles; a file the picture loader refuses takes
        // no cell, and the next file takes its place.
        if (i == core::kPaletteCells)
            break;
        host::Picture picture = m_tiles.listed(folderPath, name);
        if (!picture)
            continue;
        m_img->setPicture(std::move(picture));
        if (i % core::kPaletteColumns == 0) {
            X = 0;
            Y += core::kPaletteCellTwips;
        } else {
            X += core::kPaletteCellTwips;
        }
        m_toolpic->PaintPicture(m_img->picture(), X, Y, core::kPaletteCellTwips,
                                core::kPaletteCellTwips);
        m_TileNames[static_cast<std::size_t>(i)] = name;
        ++i;
    }
}

void frmMap::toolpic_MouseDown(short, short, float X, float Y)
{
    const auto cell = core::pointerToCell(X, Y, core::kPaletteCellTwips);
    if (!cell)
        return;
    // Over the right half of the fifth column the pointer selects column 5, which is the
    // first cell of the next row.
    const std::int64_t k = std::int64_t{core::kPaletteColumns} * cell->row + cell->column;
    if (k < 0 || k >= core::kPaletteCells)
        return;
    const QString &name = m_TileNames[static_cast<std::size_t>(k)];
    // An empty cell, or a name that gives no code, chooses nothing.
    const auto code = core::paletteTileCode(name);
    if (!code)
        return;
    m_CurrentTile = *code;
    m_view->setStamp(core::MapGrid::single(*code));
    // A file removed or spoilt since the palette was filled shows as missing, so that img
    // still shows what a right-click stores.
    host::Picture picture = m_tiles.listed(tileFolderPath(), name);
    m_img->setPicture(picture ? std::move(picture) : m_tiles.missing(*code));
    m_uses->chosenTileChanged();
}

void frmMap::toolpic_MouseMove(short, short, float X, float Y)
{
    // The frame follows the pointer everywhere, over empty cells and beyond the fifth
    // column too, since it stands where a click would choose.
    const auto cell = core::pointerToCell(X, Y, core::kPaletteCellTwips);
    if (!cell)
        return;
    const auto left = core::cellEdgeTwips(cell->column, core::kPaletteCellTwips);
    const auto top = core::cellEdgeTwips(cell->row, core::kPaletteCellTwips);
    if (!left || !top)
        return;
    m_Shape2->setLeft(*left);
    m_Shape2->setTop(*top);
}

} // namespace app
