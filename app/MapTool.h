#pragma once

#include "CellChanges.h"
#include "Stamp.h"

#include <QPoint>
#include <QRect>

namespace app {

// What the editing tools work on: the shown chapter of the image, the stamp, and the view.
class MapCanvas {
public:
    virtual ~MapCanvas() = default;
    virtual const core::ChapterMap &shownMap() const = 0;
    virtual const QByteArray &imageBytes() const = 0;
    virtual const Stamp &stamp() const = 0;
    // Makes `stamp` the one right-clicks store; `img` shows its top-left tile.
    virtual void takeStamp(const Stamp &stamp) = 0;
    // Shows the cells with the edit's codes, nothing stored yet.
    virtual void showChanges(const CellChanges &changes) = 0;
    // Stores the edit as one step of the history; it shows already.
    virtual void storeChanges(const CellChanges &changes) = 0;
    // Shows the cells with the image's own codes again.
    virtual void showImage(const CellChanges &changes) = 0;
    // Frames a rectangle of cells while a drag marks it; an empty one removes the frame.
    virtual void frameCells(QRect cells) = 0;
};

// One way of turning the pointer's press, moves and release over the map into edits (Tiled's
// tools): the view hands the tool it chose at the press every cell the pointer selects until
// the release, or Escape.
class MapTool {
public:
    explicit MapTool(MapCanvas &canvas) : m_canvas(canvas) {}
    virtual ~MapTool() = default;
    // True where the tool goes on with the pointer's moves until the release.
    virtual bool press(QPoint cell) = 0;
    virtual void move(QPoint) {}
    virtual void release(QPoint) {}
    // Escape: the drag ends with nothing captured or stored.
    virtual void cancel() {}

protected:
    MapCanvas &m_canvas;
};

} // namespace app
