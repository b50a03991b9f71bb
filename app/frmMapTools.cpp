// The map view of frmMap beyond the design's gestures: the editing tools that the middle
// button, Shift and Ctrl reach, the wheel that scrolls and zooms the view, its scroll bars,
// and the keys Escape and Ctrl+0.

#include "frmMap.h"

#include "AreaFill.h"
#include "CellGeometry.h"
#include "ImageControl.h"
#include "ListBox.h"
#include "MapScrollBars.h"
#include "PictureBox.h"
#include "Shape.h"
#include "StampBrush.h"
#include "TilePicker.h"
#include "Twips.h"

#include <QApplication>
#include <QCursor>
#include <QShortcut>

#include <algorithm>

namespace app {

namespace {

// One turn of a wheel's notch, in Qt's eighths of a degree.
constexpr int kNotch = 120;
// More zoom levels than there are, and more cells than a map has across or down.
constexpr int kZoomSteps = MapViewport::kZoomLevels;
constexpr long long kFarthest = 1 << 16;

} // namespace

QSizeF frmMap::viewTwips() const
{
    const QSize inner = m_mPic->image().size();
    return QSizeF(inner.width() * host::kTwipsPerPixel, inner.height() * host::kTwipsPerPixel);
}

void frmMap::setUpViewControls()
{
    m_viewport.setView(viewTwips());
    m_scrollBars = new MapScrollBars(m_mPic, m_mPic->innerLeft());
    m_viewport.setScrollBarTwips(m_scrollBars->thickness() * host::kTwipsPerPixel);
    connect(m_scrollBars, &MapScrollBars::scrolled, this, &frmMap::scrollTo);
    connect(m_mPic, &host::PictureBox::MouseUp, this, &frmMap::mPic_MouseUp);
    connect(m_mPic, &host::PictureBox::MouseWheel, this, &frmMap::mPic_MouseWheel);
    auto *oneToOne = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_0), this);
    connect(oneToOne, &QShortcut::activated, this, [this] {
        const QPoint inside = m_mPic->mapFromGlobal(QCursor::pos()) - QPoint(1, 1);
        zoomTo(1, m_mPic->rect().contains(inside) ? QPointF(inside) * host::kTwipsPerPixel
                                                  : QPointF());
    });
    auto *escapeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escapeKey, &QShortcut::activated, this, &frmMap::escape);
}

std::unique_ptr<MapTool> frmMap::toolFor(short button, short shift)
{
    const bool ctrl = (shift & host::kCtrlKey) != 0;
    const bool shiftKey = (shift & host::kShiftKey) != 0;
    MapCanvas &canvas = *this;
    const int chapter = shownChapter();
    if (button == host::kMiddleButton || (button == host::kLeftButton && ctrl))
        return std::make_unique<TilePicker>(canvas, chapter);
    if (button != host::kRightButton)
        return nullptr;
    if (ctrl)
        return std::make_unique<AreaFill>(canvas, chapter, shiftKey);
    return std::make_unique<StampBrush>(canvas, chapter, shiftKey);
}

void frmMap::mPic_MouseUp(short Button, short, float X, float Y)
{
    // The release of another button than the tool's is not its end.
    if (!m_tool || Button != m_toolButton)
        return;
    if (const auto cell = m_viewport.cellAt(X, Y))
        m_toolCell = *cell;
    finishTool();
}

void frmMap::finishTool()
{
    if (!m_tool)
        return;
    const std::unique_ptr<MapTool> tool = std::move(m_tool);
    m_document->setStrokeUnderWay(nullptr);
    tool->release(m_toolCell);
}

void frmMap::cancelTool()
{
    if (!m_tool)
        return;
    const std::unique_ptr<MapTool> tool = std::move(m_tool);
    m_document->setStrokeUnderWay(nullptr);
    tool->cancel();
}

void frmMap::mPic_MouseWheel(int delta, bool across, short Shift, float X, float Y, int pixels)
{
    // A stroke under way ends as its release would, before the view moves under it.
    finishTool();
    if (m_shownChapter < 0)
        return;
    // Turning the wheel away from the person zooms in, as in Tiled, a level a whole notch.
    if (Shift & host::kCtrlKey) {
        if (const int notches = m_wheel.add(WheelSteps::Use::Zoom, delta, kNotch))
            zoomTo(m_viewport.zoomLevel() + std::clamp(notches, -kZoomSteps, kZoomSteps),
                   QPointF(X, Y));
        return;
    }
    // Away from the person moves the view up (or left): toward the map's start, by the lines
    // a notch scrolls, or, counted in pixels, by a cell a cell's length.
    across = across || (Shift & host::kShiftKey);
    const auto use = across ? WheelSteps::Use::ScrollAcross : WheelSteps::Use::ScrollDown;
    const long long cells =
        pixels != 0 ? -m_wheel.add(use, pixels,
                                   static_cast<int>(m_viewport.cellTwips() / host::kTwipsPerPixel))
                    : -static_cast<long long>(m_wheel.add(use, delta, kNotch)) *
                          QApplication::wheelScrollLines();
    // No map is wider or higher than this: any further is as far.
    const int move = static_cast<int>(std::clamp(cells, -kFarthest, kFarthest));
    if (move != 0)
        scrollTo(m_viewport.scroll() + (across ? QPoint(move, 0) : QPoint(0, move)));
}

void frmMap::zoomTo(int level, QPointF anchor)
{
    if (!m_viewport.setZoomLevel(level, anchor))
        return;
    repaintView();
    updateScrollBars();
    if (const auto cell = m_viewport.cellAt(anchor.x(), anchor.y()))
        frameHover(*cell);
}

void frmMap::scrollTo(QPoint position)
{
    if (!m_viewport.setScroll(position))
        return;
    repaintView();
    updateScrollBars();
}

void frmMap::updateScrollBars()
{
    m_scrollBars->follow(m_viewport);
}

void frmMap::frameHover(core::Cell cell)
{
    const QPointF corner = m_viewport.cellCorner(cell);
    const double size = m_viewport.cellTwips();
    m_Shape1->setLeft(static_cast<int>(corner.x()));
    m_Shape1->setTop(static_cast<int>(corner.y()));
    m_Shape1->setSize(static_cast<int>(size * m_stamp.width),
                      static_cast<int>(size * m_stamp.height));
}

void frmMap::escape()
{
    if (m_tool) {
        cancelTool();
        return;
    }
    if (m_mPic->underMouse() && !m_stamp.isSingle())
        takeStamp(core::MapGrid::single(m_stamp.at(core::Cell{1, 1})));
}

int frmMap::shownChapter() const
{
    return m_List1->currentRow();
}

void frmMap::takeStamp(const core::MapGrid &stamp)
{
    m_stamp = stamp;
    m_CurrentTile = stamp.at(core::Cell{1, 1});
    m_img->setPicture(tilePicture(m_CurrentTile));
}

void frmMap::previewChanged(const std::vector<core::Cell> &cells)
{
    for (const core::Cell cell : cells)
        paintShownCell(cell, false);
}

void frmMap::frameCells(QRect cells)
{
    // The drag is over: the frame is the hover frame again, the stamp's size.
    if (cells.isEmpty()) {
        const double size = m_viewport.cellTwips();
        m_Shape1->setSize(static_cast<int>(size * m_stamp.width),
                          static_cast<int>(size * m_stamp.height));
        return;
    }
    const QPointF corner = m_viewport.cellCorner(core::Cell{cells.left(), cells.top()});
    const double size = m_viewport.cellTwips();
    m_Shape1->setLeft(static_cast<int>(corner.x()));
    m_Shape1->setTop(static_cast<int>(corner.y()));
    m_Shape1->setSize(static_cast<int>(size * cells.width()),
                      static_cast<int>(size * cells.height()));
}

} // namespace app
