// The map view of frmMap: drawing a chapter, and the mouse over it, which the map view
// (MapView.h) handles.

#include "frmMap.h"

#include "ChapterTiles.h"
#include "ImageControl.h"
#include "MapCell.h"
#include "PictureBox.h"
#include "RuntimeError.h"
#include "TileNaming.h"
#include "ucProgress.h"

#include <QLabel>

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
    render::ChapterTiles &pictures = m_view->startTileWalk();
    const MapViewport &viewport = m_view->viewport();
    const double size = viewport.cellTwips();
    for (std::int32_t i = 1; i <= n; ++i) {
        const core::MapCell cell = core::mapCell(m_document->image(), entry, i);
        // A cell whose byte lies beyond the image has no code to show and stays in the
        // background colour, as in an export.
        if (cell.code) {
            const QPointF corner = viewport.cellCorner(cell.cell);
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

void frmMap::mPic_MouseMove(short Button, short, float X, float Y)
{
    if (const auto cell = m_view->pointerMoved(Button, X, Y))
        m_lblpos->setText(QStringLiteral("%1,%2").arg(cell->column).arg(cell->row));
}

void frmMap::mPic_MouseDown(short Button, short Shift, float X, float Y)
{
    // The left button shows the cell's tile in Pic; the others start the view's tools.
    if (const auto code = m_view->pressed(Button, Shift, X, Y))
        m_Pic->setPicture(m_view->tilePicture(*code));
}

void frmMap::mPic_MouseUp(short Button, short, float X, float Y)
{
    m_view->released(Button, X, Y);
}

void frmMap::mPic_MouseWheel(int delta, bool across, short Shift, float X, float Y, int pixels)
{
    m_view->wheelTurned(delta, across, Shift, X, Y, pixels);
}

QString frmMap::tileFolderPath() const
{
    return core::tileFolder(m_programFolder);
}

} // namespace app
