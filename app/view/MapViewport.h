#pragma once

#include "Cell.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <optional>
#include <utility>

namespace app {

// Where the map view shows a chapter's cells: at a zoom of ½, 1, 2, 3 or 4 times and
// scrolled by whole cells. Column 0 and row 0 stay the margin the view starts with. A
// scroll bar shows only where a cell of the chapter would otherwise be wholly out of
// sight, a cell under a shown bar counting as out of sight, so the design's view, whose
// last column and row the frame clips, shows none; the chapter then scrolls as far as its
// last column and row show whole. Lengths are in twips, as the view measures (240 to a
// cell at 1x).
class MapViewport {
public:
    static constexpr int kZoomLevels = 5;

    // The view's inner area in twips; the map's size in cells; a scroll bar's thickness in
    // twips.
    void setView(QSizeF twips);
    void setMap(std::int32_t width, std::int32_t height);
    void setScrollBarTwips(double thickness);

    // ½, 1, 2, 3 or 4.
    double zoom() const;
    int zoomLevel() const { return m_level; }
    double cellTwips() const { return 240.0 * zoom(); }

    // The scroll position: the column and row shown at the view's top-left corner, 0 (the
    // margin) at the start.
    QPoint scroll() const { return m_scroll; }
    QPoint maxScroll() const;
    // Moves by whole cells, no further than the map's edges; whether anything moved.
    bool scrollBy(int columns, int rows);
    bool setScroll(QPoint position);
    // Scrolls no further than needed for the cell to show whole; whether anything moved.
    bool scrollToShow(core::Cell cell);
    // Whether the scroll bar across the view's bottom, and the one down its right edge,
    // show.
    bool showsAcross() const { return scrollBarsShown().first; }
    bool showsDown() const { return scrollBarsShown().second; }
    // The view less the scroll bars shown over it, in twips.
    QSizeF unobscuredView() const;

    // Zooms `steps` levels in (or out where negative), keeping the cell under the point
    // (twips of the view) under it as far as the map's edges allow; whether the zoom changed.
    bool zoomBy(int steps, QPointF anchor);
    bool setZoomLevel(int level, QPointF anchor);

    // The cell a pointer at (x, y) twips selects: the view's position divided by the cell
    // size at this zoom, plus the scroll, rounded to the nearest whole number, halves to the
    // even number. It may lie outside the map; nothing where it lies beyond 32 bits.
    std::optional<core::Cell> cellAt(double x, double y) const;
    // The top-left corner of a cell in the view, in twips.
    QPointF cellCorner(core::Cell cell) const;
    // The cells the view shows, wholly or in part, within column 0..width and row
    // 0..height.
    QRect visibleCells() const;

private:
    std::pair<bool, bool> scrollBarsShown() const;
    // Whole cells that fit across and down at this zoom, beside the scroll bars shown.
    QSize cellsThatFit() const;

    int m_level = 1;
    QPoint m_scroll;
    QSizeF m_view;
    double m_scrollBar = 0;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
};

} // namespace app
