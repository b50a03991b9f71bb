#pragma once

#include "Cartridge.h"
#include "Cell.h"
#include "CellChanges.h"
#include "ChapterMap.h"
#include "MapGrid.h"

#include <QRect>
#include <QString>

#include <optional>
#include <vector>

namespace app {

class ImageDocument;

// What the editing tools work on: the image document, the chapter the view shows, the stamp,
// and the view.
class MapCanvas {
public:
    virtual ~MapCanvas() = default;
    // The image the tools edit; they change it only by pushing their steps to it.
    virtual ImageDocument &document() const = 0;
    // The chapter the view shows: an index of the document's directory.
    virtual int shownChapter() const = 0;
    // What a right-click stores: the chosen tile, or a block captured from a map.
    virtual const core::MapGrid &stamp() const = 0;
    // Makes `stamp` the one right-clicks store; `img` shows its top-left tile.
    virtual void takeStamp(const core::MapGrid &stamp) = 0;
    // The tool's preview changed at `cells`: the view draws them again, from the image's
    // bytes and the preview.
    virtual void previewChanged(const std::vector<core::Cell> &cells) = 0;
    // Frames a rectangle of cells while a drag marks it; an empty one removes the frame.
    virtual void frameCells(QRect cells) = 0;
    // A drag captured the cells of `cells` (on the map) as the stamp.
    virtual void capturedCells(QRect cells) = 0;
};

// One way of turning the pointer's press, moves and release over the map into edits (Tiled's
// tools): the view hands the tool it chose at the press every cell the pointer selects until
// the release, or Escape. While the button is held, the view shows the tool's preview over
// the image's cells; the tool changes the image only by pushing its step to the document.
class MapTool {
public:
    // `canvas` shows chapter `chapter`, which the tool edits from its press to its release.
    MapTool(MapCanvas &canvas, int chapter) : m_canvas(canvas), m_chapter(chapter) {}
    virtual ~MapTool() = default;
    // True where the tool goes on with the pointer's moves until the release.
    virtual bool press(core::Cell cell) = 0;
    virtual void move(core::Cell) {}
    virtual void release(core::Cell) {}
    // Escape: the drag ends with nothing captured or stored.
    virtual void cancel() {}
    // The codes the tool shows over the image's cells until its release; none for a tool
    // that only marks cells.
    virtual const core::CellChanges *preview() const { return nullptr; }

protected:
    // The tool's chapter as the document's directory gives it at this event.
    const core::ChapterMap &chapter() const;
    const core::Cartridge &image() const;
    // Pushes the edit to the document as one step, called `name`; nothing where it changes no
    // byte.
    void store(const core::CellChanges &changes, const QString &name);
    // Drops the preview a drag showed: the view draws its cells from the image again.
    void endPreview(std::optional<core::CellChanges> &preview);

    MapCanvas &m_canvas;

private:
    int m_chapter;
};

} // namespace app
