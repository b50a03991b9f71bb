#include "MapViewport.h"

#include "Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace app {

namespace {

constexpr std::array<double, MapViewport::kZoomLevels> kZooms{0.5, 1.0, 2.0, 3.0, 4.0};

} // namespace

void MapViewport::setView(QSizeF twips)
{
    m_view = twips;
    setScroll(m_scroll);
}

void MapViewport::setMap(std::int32_t width, std::int32_t height)
{
    m_width = width;
    m_height = height;
    setScroll(m_scroll);
}

void MapViewport::setScrollBarTwips(double thickness)
{
    m_scrollBar = thickness;
    setScroll(m_scroll);
}

double MapViewport::zoom() const
{
    return kZooms[static_cast<std::size_t>(m_level)];
}

std::pair<bool, bool> MapViewport::scrollBarsShown() const
{
    // Unscrolled, the last column's left edge lies at width cells from the view's edge: at
    // or beyond the edge of what shows, no pixel of it does. Each bar shown narrows what
    // shows the other way, so that it may call for the other bar.
    const auto outOfSight = [this](std::int32_t cells, double shown) {
        return cells > 0 && cells * cellTwips() >= shown;
    };
    bool across = outOfSight(m_width, m_view.width());
    bool down = outOfSight(m_height, m_view.height());
    for (int pass = 0; pass < 2; ++pass) {
        across = across || (down && outOfSight(m_width, m_view.width() - m_scrollBar));
        down = down || (across && outOfSight(m_height, m_view.height() - m_scrollBar));
    }
    return {across, down};
}

QSizeF MapViewport::unobscuredView() const
{
    const auto [across, down] = scrollBarsShown();
    return QSizeF(std::max(0.0, m_view.width() - (down ? m_scrollBar : 0.0)),
                  std::max(0.0, m_view.height() - (across ? m_scrollBar : 0.0)));
}

QSize MapViewport::cellsThatFit() const
{
    const QSizeF shown = unobscuredView();
    return QSize(static_cast<int>(std::floor(shown.width() / cellTwips())),
                 static_cast<int>(std::floor(shown.height() / cellTwips())));
}

QPoint MapViewport::maxScroll() const
{
    // The map with its margin is width + 1 columns; scrolled to the end, its last column is
    // the last whole one beside the scroll bar. Without a bar the view does not scroll.
    const auto [across, down] = scrollBarsShown();
    const QSize fit = cellsThatFit();
    return QPoint(across ? std::max(0, m_width + 1 - fit.width()) : 0,
                  down ? std::max(0, m_height + 1 - fit.height()) : 0);
}

bool MapViewport::setScroll(QPoint position)
{
    const QPoint limit = maxScroll();
    const QPoint clamped(std::clamp(position.x(), 0, limit.x()),
                         std::clamp(position.y(), 0, limit.y()));
    if (clamped == m_scroll)
        return false;
    m_scroll = clamped;
    return true;
}

bool MapViewport::scrollBy(int columns, int rows)
{
    return setScroll(m_scroll + QPoint(columns, rows));
}

bool MapViewport::scrollToShow(core::Cell cell)
{
    const QSize fit = cellsThatFit();
    auto along = [](int shown, int wanted, int whole) {
        if (wanted < shown)
            return wanted;
        return wanted >= shown + whole ? wanted - std::max(whole, 1) + 1 : shown;
    };
    return setScroll(QPoint(along(m_scroll.x(), cell.column, fit.width()),
                            along(m_scroll.y(), cell.row, fit.height())));
}

bool MapViewport::zoomBy(int steps, QPointF anchor)
{
    return setZoomLevel(m_level + steps, anchor);
}

bool MapViewport::setZoomLevel(int level, QPointF anchor)
{
    level = std::clamp(level, 0, kZoomLevels - 1);
    if (level == m_level)
        return false;
    const std::optional<core::Cell> held = cellAt(anchor.x(), anchor.y());
    m_level = level;
    // The same cell is under the anchor again: the scroll that puts it there, within the
    // map's edges.
    QPoint target = m_scroll;
    if (const std::optional<core::Cell> now = cellAt(anchor.x(), anchor.y()); held && now)
        target += QPoint(held->column - now->column, held->row - now->row);
    m_scroll = QPoint();
    setScroll(target);
    return true;
}

std::optional<core::Cell> MapViewport::cellAt(double x, double y) const
{
    const auto column = host::tryRoundHalfEven(x / cellTwips() + m_scroll.x());
    const auto row = host::tryRoundHalfEven(y / cellTwips() + m_scroll.y());
    if (!column || !row)
        return std::nullopt;
    return core::Cell{*column, *row};
}

QPointF MapViewport::cellCorner(core::Cell cell) const
{
    return QPointF((cell.column - m_scroll.x()) * cellTwips(),
                   (cell.row - m_scroll.y()) * cellTwips());
}

QRect MapViewport::visibleCells() const
{
    const int across = static_cast<int>(std::ceil(m_view.width() / cellTwips()));
    const int down = static_cast<int>(std::ceil(m_view.height() / cellTwips()));
    return QRect(m_scroll, QSize(across, down)) & QRect(0, 0, m_width + 1, m_height + 1);
}

} // namespace app
