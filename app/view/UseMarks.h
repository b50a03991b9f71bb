#pragma once

#include "Picture.h"

#include <QPointF>

namespace host {
class PictureBox;
} // namespace host

namespace app {

// The mark of a cell that uses the chosen tile: a solid orange frame two pixels wide inside
// the cell, unlike the dashed black and white of a changed cell and the hover frame's plain
// grey. Where a cell carries both, it stands just inside the other.
class UseMarks {
public:
    // Frames the cell whose top-left corner lies at `corner`, `cellTwips` on a side, `inset`
    // pixels in from its edges.
    void paint(host::PictureBox &view, QPointF corner, double cellTwips, int inset);

    // The width of the frame in pixels.
    static constexpr int kWidth = 2;

private:
    host::Picture m_colour;
};

} // namespace app
