#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <optional>

namespace app {

// Where the map view shows a chapter's cells: at a zoom of ½, 1, 2, 3 or 4 times and
// scrolled by whole cells. Column 0 and row 0 stay the margin the view starts with; the
// chapter scrolls only where it does not fit, and only as far as its last column and row.
// Lengths are in twips, as the view measures (240 to a cell at 1x), and in the view's
// pixels.
class MapViewport {
public:
    static constexpr int kZoomLevels = 5;

    // The view's inner area in twips; the map's size in cells.
    void setView(QSizeF twips);
    void setMap(std::int32_t width, std::int32_t height);

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
    // Whether the whole chapter, margin included, fits the view across and down.
    bool fitsAcross() const { return maxScroll().x() == 0; }
    bool fitsDown() const { return maxScroll().y() == 0; }

    // Zooms `steps` levels in (or out where negative), keeping the cell under the point
    // (twips of the view) under it as far as the map's edges allow; whether the zoom changed.
    bool zoomBy(int steps, QPointF anchor);
    bool setZoomLevel(int level, QPointF anchor);

    // The cell a pointer at (x, y) twips selects: the view's position divided by the cell
    // size at this zoom, plus the scroll, rounded to the nearest whole number, halves to the
    // even number. It may lie outside the map; nothing where it lies beyond 32 bits.
    std::optional<QPoint> cellAt(double x, double y) const;
    // The top-left corner of a cell in the view, in twips.
    QPointF cellCorner(QPoint cell) const;
    // The cells the view shows, wholly or in part, within column 0..width and row
    // 0..height.
    QRect visibleCells() const;

private:
    // Whole cells that fit across and down at this zoom.
    QSize cellsThatFit() const;

    int m_level = 1;
    QPoint m_scroll;
    QSizeF m_view;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
};

} // namespace app
