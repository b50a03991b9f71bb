#include "MapView.h"

#include "AreaFill.h"
#include "ImageControl.h"
#include "ImageDocument.h"
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

MapView::MapView(const Parts &parts)
    : QObject(&parts.window), m_document(parts.document), m_tiles(parts.tiles),
      m_tileFolder(parts.tileFolder), m_chosenChapter(parts.chosenChapter), m_mPic(parts.mPic),
      m_hoverFrame(parts.hoverFrame), m_img(parts.img)
{
    m_viewport.setView(viewTwips());
    m_scrollBars = new MapScrollBars(&m_mPic, m_mPic.innerLeft());
    m_viewport.setScrollBarTwips(m_scrollBars->thickness() * host::kTwipsPerPixel);
    connect(m_scrollBars, &MapScrollBars::scrolled, this, &MapView::scrollTo);
    // Window shortcuts, as the undo keys: they work whichever control has the focus.
    auto *oneToOne = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_0), &parts.window);
    connect(oneToOne, &QShortcut::activated, this, [this] {
        const QPoint inside = m_mPic.mapFromGlobal(QCursor::pos()) - QPoint(1, 1);
        zoomTo(1,
               m_mPic.rect().contains(inside) ? QPointF(inside) * host::kTwipsPerPixel : QPointF());
    });
    auto *escapeKey = new QShortcut(QKeySequence(Qt::Key_Escape), &parts.window);
    connect(escapeKey, &QShortcut::activated, this, &MapView::escape);
}

MapView::~MapView() = default;

QSizeF MapView::viewTwips() const
{
    const QSize inner = m_mPic.image().size();
    return QSizeF(inner.width() * host::kTwipsPerPixel, inner.height() * host::kTwipsPerPixel);
}

void MapView::showChapter(int index, const core::ChapterMap &entry)
{
    if (index != m_shownChapter)
        m_viewport.setScroll(QPoint());
    m_viewport.setMap(entry.Width, entry.Height);
    updateScrollBars();
    m_shownChapter = index;
}

render::ChapterTiles &MapView::startTileWalk()
{
    return m_shownTiles.emplace(m_tiles, m_tileFolder());
}

host::Picture MapView::tilePicture(std::uint8_t code)
{
    const core::TileFolder &tiles = m_tiles.folder(m_tileFolder());
    if (host::Picture picture = m_tiles.load(tiles.tilePath(code)))
        return picture;
    return m_tiles.missing(code);
}

std::optional<core::Cell> MapView::pointerMoved(short button, float x, float y)
{
    const int index = m_chosenChapter();
    if (index < 0 || index >= core::kChapterCount)
        return std::nullopt;
    const core::ChapterMap &entry = m_document.chapters()[static_cast<std::size_t>(index)];
    // A drag that leaves the view, or reaches a scroll bar over it, scrolls it, a cell a
    // move.
    if (m_tool && button != 0) {
        const QSizeF view = m_viewport.unobscuredView();
        const int across = x < 0 ? -1 : x >= view.width() ? 1 : 0;
        const int down = y < 0 ? -1 : y >= view.height() ? 1 : 0;
        if ((across || down) && m_viewport.scrollBy(across, down)) {
            repaintView();
            updateScrollBars();
        }
    }
    const auto cell = m_viewport.cellAt(x, y);
    if (!cell)
        return std::nullopt;
    if (m_tool) {
        m_toolCell = *cell;
        m_tool->move(*cell);
    }
    if (!entry.contains(*cell))
        return std::nullopt;
    if (!m_tool)
        frameHover(*cell);
    return cell;
}

std::optional<std::uint8_t> MapView::pressed(short button, short shift, float x, float y)
{
    // A second button ends the tool under way as its release would, then acts.
    finishTool();
    const int index = m_chosenChapter();
    if (index < 0 || index >= core::kChapterCount)
        return std::nullopt;
    const core::ChapterMap &entry = m_document.chapters()[static_cast<std::size_t>(index)];
    const auto cell = m_viewport.cellAt(x, y);
    if (!cell)
        return std::nullopt;
    // Nothing outside the map's cells, and nothing for a cell whose byte lies beyond the
    // image: it can be neither shown nor written.
    const auto code = m_document.image().codeAt(entry, *cell);
    if (!code)
        return std::nullopt;
    if (std::unique_ptr<MapTool> tool = toolFor(button, shift)) {
        // The tool is the view's while it presses, so that the view shows its preview. One
        // that finished at the press (a plain right-click, a fill) waits for nothing.
        m_tool = std::move(tool);
        m_toolButton = button;
        m_toolCell = *cell;
        if (!m_tool->press(*cell)) {
            m_tool.reset();
            return std::nullopt;
        }
        m_document.setStrokeUnderWay([this] { finishTool(); });
        return std::nullopt;
    }
    return button == host::kLeftButton ? code : std::nullopt;
}

std::unique_ptr<MapTool> MapView::toolFor(short button, short shift)
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

void MapView::released(short button, float x, float y)
{
    // The release of another button than the tool's is not its end.
    if (!m_tool || button != m_toolButton)
        return;
    if (const auto cell = m_viewport.cellAt(x, y))
        m_toolCell = *cell;
    finishTool();
}

void MapView::finishTool()
{
    if (!m_tool)
        return;
    const std::unique_ptr<MapTool> tool = std::move(m_tool);
    m_document.setStrokeUnderWay(nullptr);
    tool->release(m_toolCell);
}

void MapView::cancelTool()
{
    if (!m_tool)
        return;
    const std::unique_ptr<MapTool> tool = std::move(m_tool);
    m_document.setStrokeUnderWay(nullptr);
    tool->cancel();
}

void MapView::escape()
{
    if (m_tool) {
        cancelTool();
        return;
    }
    if (m_mPic.underMouse() && !m_stamp.isSingle())
        takeStamp(core::MapGrid::single(m_stamp.at(core::Cell{1, 1})));
}

void MapView::wheelTurned(int delta, bool across, short shift, float x, float y, int pixels)
{
    // A stroke under way ends as its release would, before the view moves under it.
    finishTool();
    if (m_shownChapter < 0)
        return;
    // Turning the wheel away from the person zooms in, as in Tiled, a level a whole notch.
    if (shift & host::kCtrlKey) {
        if (const int notches = m_wheel.add(WheelSteps::Use::Zoom, delta, kNotch))
            zoomTo(m_viewport.zoomLevel() + std::clamp(notches, -kZoomSteps, kZoomSteps),
                   QPointF(x, y));
        return;
    }
    // Away from the person moves the view up (or left): toward the map's start, by the lines
    // a notch scrolls, or, counted in pixels, by a cell a cell's length.
    across = across || (shift & host::kShiftKey);
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

void MapView::zoomTo(int level, QPointF anchor)
{
    if (!m_viewport.setZoomLevel(level, anchor))
        return;
    repaintView();
    updateScrollBars();
    if (const auto cell = m_viewport.cellAt(anchor.x(), anchor.y()))
        frameHover(*cell);
}

void MapView::scrollTo(QPoint position)
{
    if (!m_viewport.setScroll(position))
        return;
    repaintView();
    updateScrollBars();
}

void MapView::updateScrollBars()
{
    m_scrollBars->follow(m_viewport);
}

void MapView::frameHover(core::Cell cell)
{
    m_framedCell = cell;
    const QPointF corner = m_viewport.cellCorner(cell);
    const double size = m_viewport.cellTwips();
    m_hoverFrame.setLeft(static_cast<int>(corner.x()));
    m_hoverFrame.setTop(static_cast<int>(corner.y()));
    m_hoverFrame.setSize(static_cast<int>(size * m_stamp.width),
                         static_cast<int>(size * m_stamp.height));
}

void MapView::frameCells(QRect cells)
{
    // The drag is over: the frame is the hover frame again, the stamp's size.
    if (cells.isEmpty()) {
        const double size = m_viewport.cellTwips();
        m_hoverFrame.setSize(static_cast<int>(size * m_stamp.width),
                             static_cast<int>(size * m_stamp.height));
        return;
    }
    const QPointF corner = m_viewport.cellCorner(core::Cell{cells.left(), cells.top()});
    const double size = m_viewport.cellTwips();
    m_hoverFrame.setLeft(static_cast<int>(corner.x()));
    m_hoverFrame.setTop(static_cast<int>(corner.y()));
    m_hoverFrame.setSize(static_cast<int>(size * cells.width()),
                         static_cast<int>(size * cells.height()));
}

std::optional<core::Cell> MapView::cellUnderPointer() const
{
    if (m_shownChapter < 0)
        return std::nullopt;
    const QPoint pixel = m_mPic.mapFromGlobal(QCursor::pos());
    if (!m_mPic.rect().contains(pixel))
        return std::nullopt;
    const auto cell =
        m_viewport.cellAt(pixel.x() * host::kTwipsPerPixel, pixel.y() * host::kTwipsPerPixel);
    const core::ChapterMap &entry = m_document.chapters()[static_cast<std::size_t>(m_shownChapter)];
    if (!cell || !entry.contains(*cell))
        return std::nullopt;
    return cell;
}

void MapView::capturedCells(QRect cells)
{
    m_capturedChapter = m_shownChapter;
    m_captured = cells;
}

std::optional<QRect> MapView::capturedRectangle() const
{
    if (m_capturedChapter < 0 || m_capturedChapter != m_shownChapter ||
        m_captured.width() * m_captured.height() < 2)
        return std::nullopt;
    return m_captured;
}

void MapView::takeStamp(const core::MapGrid &stamp)
{
    m_stamp = stamp;
    emit stampTaken(m_stamp);
}

void MapView::previewChanged(const std::vector<core::Cell> &cells)
{
    for (const core::Cell cell : cells)
        paintShownCell(cell, false);
}

void MapView::repaintView()
{
    if (m_shownChapter < 0 || !m_shownTiles)
        return;
    m_mPic.Cls();
    const core::ChapterMap &entry = m_document.chapters()[static_cast<std::size_t>(m_shownChapter)];
    const QRect visible = m_viewport.visibleCells() & QRect(1, 1, entry.Width, entry.Height);
    for (int row = visible.top(); row <= visible.bottom(); ++row)
        for (int column = visible.left(); column <= visible.right(); ++column)
            paintShownCell(core::Cell{column, row}, false);
}

void MapView::repaintCells(int chapter, const std::vector<core::ChangedCell> &cells)
{
    if (chapter != m_shownChapter)
        return;
    // A step of the history is a walk of its own: a tile file edited or removed since the
    // draw shows as it is now.
    startTileWalk();
    for (const core::ChangedCell &changed : cells)
        paintShownCell(changed.cell, true);
}

bool MapView::shownRecordChanged(const core::Cartridge &previous) const
{
    if (m_shownChapter < 0)
        return false;
    // Whether anything of the shown chapter's record, its header or its cells, differs.
    const core::ChapterMap &entry = m_document.chapters()[static_cast<std::size_t>(m_shownChapter)];
    return previous.recordBytes(entry) != m_document.image().recordBytes(entry);
}

void MapView::paintShownCell(core::Cell cell, bool edited)
{
    if (m_shownChapter < 0)
        return;
    const core::ChapterMap &entry = m_document.chapters()[static_cast<std::size_t>(m_shownChapter)];
    // A cell whose byte lies beyond the image is never drawn, nor taken by a preview.
    const auto held = m_document.image().codeAt(entry, cell);
    if (!held)
        return;
    const core::CellChanges *shownPreview = preview();
    const auto previewed = shownPreview ? shownPreview->codeAt(cell) : std::nullopt;
    const auto code = previewed.value_or(*held);
    const std::uint8_t chosen = m_stamp.at(core::Cell{1, 1});
    paintCell(cell, (edited || previewed) && code == chosen ? m_img.picture() : shownPicture(code));
    paintCellMarks(cell);
}

void MapView::paintCellMarks(core::Cell cell)
{
    const bool differs = m_marked && m_marked(m_shownChapter, cell);
    if (differs)
        m_marks.paint(m_mPic, m_viewport.cellCorner(cell), m_viewport.cellTwips());
    if (m_used && m_used(m_shownChapter, cell))
        m_useMarks.paint(m_mPic, m_viewport.cellCorner(cell), m_viewport.cellTwips(),
                         differs ? UseMarks::kWidth : 0);
}

void MapView::setMarkedCells(std::function<bool(int, core::Cell)> marked)
{
    m_marked = std::move(marked);
}

void MapView::setUsedCells(std::function<bool(int, core::Cell)> used)
{
    m_used = std::move(used);
}

void MapView::redrawShownCells()
{
    repaintView();
}

void MapView::paintMarks()
{
    if ((!m_marked && !m_used) || m_shownChapter < 0)
        return;
    const core::ChapterMap &entry = m_document.chapters()[static_cast<std::size_t>(m_shownChapter)];
    const QRect visible = m_viewport.visibleCells() & QRect(1, 1, entry.Width, entry.Height);
    for (int row = visible.top(); row <= visible.bottom(); ++row)
        for (int column = visible.left(); column <= visible.right(); ++column)
            paintCellMarks(core::Cell{column, row});
}

void MapView::goToCell(core::Cell cell)
{
    if (m_viewport.scrollToShow(cell)) {
        repaintView();
        updateScrollBars();
    }
    frameHover(cell);
}

void MapView::paintCell(core::Cell cell, const host::Picture &picture)
{
    const QPointF corner = m_viewport.cellCorner(cell);
    const double size = m_viewport.cellTwips();
    m_mPic.PaintPicture(picture, corner.x(), corner.y(), size, size);
}

const host::Picture &MapView::shownPicture(std::uint8_t code)
{
    return (m_shownTiles ? *m_shownTiles : startTileWalk()).shown(code);
}

} // namespace app
