// The map view of frmMap beyond the design's gestures: the editing tools that the middle
// button, Shift and Ctrl reach, the wheel that scrolls and zooms the view, its scroll bars,
// and the keys Escape and Ctrl+0.

#include "frmMap.h"

#include "AreaFill.h"
#include "CellGeometry.h"
#include "ImageControl.h"
#include "ListBox.h"
#include "PictureBox.h"
#include "Shape.h"
#include "StampBrush.h"
#include "TilePicker.h"
#include "Twips.h"

#include <QApplication>
#include <QCursor>
#include <QScrollBar>
#include <QShortcut>

namespace app {

namespace {

// One turn of a wheel's notch, in Qt's eighths of a degree.
constexpr int kNotch = 120;

} // namespace

QSizeF frmMap::viewTwips() const
{
    const QSize inner = m_mPic->image().size();
    return QSizeF(inner.width() * host::kTwipsPerPixel, inner.height() * host::kTwipsPerPixel);
}

void frmMap::setUpViewControls()
{
    m_viewport.setView(viewTwips());
    // Inside the view's frame, over its right and bottom edges, shown only while the chapter
    // does not fit.
    m_across = new QScrollBar(Qt::Horizontal, m_mPic);
    m_down = new QScrollBar(Qt::Vertical, m_mPic);
    // Where both show, the square between them hides the map as a scroll area's corner does.
    m_scrollCorner = new QWidget(m_mPic);
    m_scrollCorner->setAutoFillBackground(true);
    m_scrollCorner->hide();
    for (QScrollBar *bar : {m_across, m_down}) {
        bar->hide();
        bar->setFocusPolicy(Qt::NoFocus);
        connect(bar, &QScrollBar::valueChanged, this,
                [this] { scrollTo(QPoint(m_across->value(), m_down->value())); });
    }
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

void frmMap::mPic_MouseWheel(int delta, bool across, short Shift, float X, float Y)
{
    // A stroke under way ends as its release would, before the view moves under it.
    finishTool();
    if (m_shownChapter < 0 || delta == 0)
        return;
    const int notches = delta / kNotch != 0 ? delta / kNotch : (delta > 0 ? 1 : -1);
    // Turning the wheel away from the person zooms in, as in Tiled.
    if (Shift & host::kCtrlKey) {
        zoomTo(m_viewport.zoomLevel() + notches, QPointF(X, Y));
        return;
    }
    // Away from the person moves the view up (or left): toward the map's start.
    const int cells = -notches * QApplication::wheelScrollLines();
    if (across || (Shift & host::kShiftKey))
        scrollTo(m_viewport.scroll() + QPoint(cells, 0));
    else
        scrollTo(m_viewport.scroll() + QPoint(0, cells));
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
    const QPoint limit = m_viewport.maxScroll();
    const int thickness = m_down->sizeHint().width();
    const QRect inner = m_mPic->rect().adjusted(1, 1, -1, -1);
    const bool bothShown = limit.x() > 0 && limit.y() > 0;
    m_across->setGeometry(inner.left(), inner.bottom() + 1 - thickness,
                          inner.width() - (bothShown ? thickness : 0), thickness);
    m_down->setGeometry(inner.right() + 1 - thickness, inner.top(), thickness,
                        inner.height() - (bothShown ? thickness : 0));
    m_scrollCorner->setGeometry(inner.right() + 1 - thickness, inner.bottom() + 1 - thickness,
                                thickness, thickness);
    m_scrollCorner->setVisible(bothShown);
    const QPoint scroll = m_viewport.scroll();
    const QSizeF view = viewTwips();
    for (auto [bar, maximum, value, page] :
         {std::tuple{m_across, limit.x(), scroll.x(), view.width()},
          std::tuple{m_down, limit.y(), scroll.y(), view.height()}}) {
        const QSignalBlocker quiet(bar);
        bar->setRange(0, maximum);
        bar->setPageStep(static_cast<int>(page / m_viewport.cellTwips()));
        bar->setValue(value);
        bar->setVisible(maximum > 0);
    }
}

void frmMap::frameHover(QPoint cell)
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
        takeStamp(Stamp::single(m_stamp.at(0, 0)));
}

int frmMap::shownChapter() const
{
    return m_List1->currentRow();
}

void frmMap::takeStamp(const Stamp &stamp)
{
    m_stamp = stamp;
    m_CurrentTile = stamp.at(0, 0);
    m_img->setPicture(tilePicture(m_CurrentTile));
}

void frmMap::previewChanged(const std::vector<QPoint> &cells)
{
    for (const QPoint cell : cells)
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
    const QPointF corner = m_viewport.cellCorner(cells.topLeft());
    const double size = m_viewport.cellTwips();
    m_Shape1->setLeft(static_cast<int>(corner.x()));
    m_Shape1->setTop(static_cast<int>(corner.y()));
    m_Shape1->setSize(static_cast<int>(size * cells.width()),
                      static_cast<int>(size * cells.height()));
}

} // namespace app
