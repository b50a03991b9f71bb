#include "MousePointer.h"

#include <QPixmap>

namespace host {

namespace {

// Qt has a shape for every standard pointer but two: the small square of vbIconPointer,
// shown as the arrow, and vbSizePointer, whose four arrows are Qt's SizeAllCursor, as
// vbSizeAll's are.
std::optional<Qt::CursorShape> standardShape(std::int16_t pointer)
{
    switch (pointer) {
    case vbArrow:
    case vbIconPointer:
        return Qt::ArrowCursor;
    case vbCrosshair:
        return Qt::CrossCursor;
    case vbIbeam:
        return Qt::IBeamCursor;
    case vbSizePointer:
    case vbSizeAll:
        return Qt::SizeAllCursor;
    case vbSizeNESW:
        return Qt::SizeBDiagCursor;
    case vbSizeNS:
        return Qt::SizeVerCursor;
    case vbSizeNWSE:
        return Qt::SizeFDiagCursor;
    case vbSizeWE:
        return Qt::SizeHorCursor;
    case vbUpArrow:
        return Qt::UpArrowCursor;
    case vbHourglass:
        return Qt::WaitCursor;
    case vbNoDrop:
        return Qt::ForbiddenCursor;
    case vbArrowHourglass:
        return Qt::BusyCursor;
    case vbArrowQuestion:
        return Qt::WhatsThisCursor;
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<QCursor> cursorForPointer(std::int16_t pointer, const Picture &icon)
{
    if (pointer == vbCustom) {
        if (!icon || icon->isEmpty() || icon->image().isNull())
            return std::nullopt;
        // An icon's hot spot is its centre, as for any icon made a pointer; QCursor's
        // default hot spot is that too.
        return QCursor(QPixmap::fromImage(icon->image()));
    }
    if (const auto shape = standardShape(pointer))
        return QCursor(*shape);
    return std::nullopt;
}

} // namespace host
