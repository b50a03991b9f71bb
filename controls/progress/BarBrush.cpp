#include "BarBrush.h"

#include <QPainter>

#include <algorithm>
#include <utility>

namespace controls
{

namespace
{

// Only the user-interface thread makes and deletes brushes.
int g_created = 0;
int g_deleted = 0;

} // namespace

BarBrush::~BarBrush()
{
    DeleteObject();
}

BarBrush::BarBrush(BarBrush &&other) noexcept : m_color(std::exchange(other.m_color, std::nullopt))
{
}

BarBrush &BarBrush::operator=(BarBrush &&other) noexcept
{
    if (this != &other) {
        DeleteObject();
        m_color = std::exchange(other.m_color, std::nullopt);
    }
    return *this;
}

BarBrush BarBrush::CreateSolidBrush(host::ColorRef color)
{
    ++g_created;
    return BarBrush(color);
}

void BarBrush::DeleteObject()
{
    if (m_color) {
        ++g_deleted;
        m_color.reset();
    }
}

int BarBrush::createdCount()
{
    return g_created;
}
int BarBrush::deletedCount()
{
    return g_deleted;
}

void FillRect(QImage &dc, const BarRect &rect, const BarBrush &brush)
{
    if (brush.isNull())
        return;
    // Clip first: the bar's rectangles may reach far beyond the image when Value is far
    // outside 0..Max, and the clipped edges always fit an int.
    const int left = std::max(rect.left, 0);
    const int top = std::max(rect.top, 0);
    const int right = std::min(rect.right, dc.width());
    const int bottom = std::min(rect.bottom, dc.height());
    if (right <= left || bottom <= top)
        return;
    QPainter painter(&dc);
    painter.fillRect(QRect(left, top, right - left, bottom - top),
                     QColor(host::toQRgb(brush.color())));
}

} // namespace controls
