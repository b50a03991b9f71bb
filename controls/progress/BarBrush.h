#pragma once

#include "BarRect.h"

#include "OleColor.h"

#include <QImage>

#include <optional>

namespace controls
{

// A solid brush as the progress bar keeps one for the life of a colour: made from an RGB
// value, deleted when it is replaced and when its owner ends. A default-made brush is the
// null handle and paints nothing. The counts of brushes made and deleted let the bar's
// brush lifetime be checked.
class BarBrush
{
public:
    BarBrush() = default;
    ~BarBrush();
    BarBrush(BarBrush &&other) noexcept;
    BarBrush &operator=(BarBrush &&other) noexcept;
    BarBrush(const BarBrush &) = delete;
    BarBrush &operator=(const BarBrush &) = delete;

    static BarBrush CreateSolidBrush(host::ColorRef color);
    // Deletes the brush and leaves the null handle; nothing happens to a null one.
    void DeleteObject();

    bool isNull() const { return !m_color.has_value(); }
    host::ColorRef color() const { return m_color.value_or(0); }

    static int createdCount();
    static int deletedCount();

private:
    explicit BarBrush(host::ColorRef color) : m_color(color) {}

    std::optional<host::ColorRef> m_color;
};

// Fills the part of rect that lies on the device context; an empty rectangle or a null
// brush fills nothing.
void FillRect(QImage &dc, const BarRect &rect, const BarBrush &brush);

} // namespace controls
