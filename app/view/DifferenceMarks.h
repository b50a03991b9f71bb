#pragma once

#include "Picture.h"

#include <QPointF>

#include <map>

namespace host {
class PictureBox;
} // namespace host

namespace app {

// The mark of a cell that differs from the reference: a frame two pixels wide inside the
// cell, dashed black and white two pixels at a time, which reads over any tile and is not
// the hover frame's plain grey. Drawn as four opaque strips, so that each is a plain copy of
// rows into the view, at the pixel size of a cell at each zoom.
class DifferenceMarks {
public:
    // Frames the cell whose top-left corner lies at `corner`, `cellTwips` on a side.
    void paint(host::PictureBox &view, QPointF corner, double cellTwips);

private:
    struct Strips {
        host::Picture across; // the top and bottom edges
        host::Picture down;   // the left and right edges, between those
    };
    const Strips &stripsFor(int cellPixels);

    std::map<int, Strips> m_strips;
};

} // namespace app
