#pragma once

#include "MapPlace.h"

class QLabel;

namespace host {
class ListBox;
}

namespace app {

class MapView;

// The steps F8 and F3 take across the chapters, from the cell the view frames to the next
// cell that differs or uses the tile.

// The chapter List1 shows: its row, or -1 where none is chosen.
int chosenChapter(const host::ListBox &List1);
// Where a step starts: the framed cell of the shown chapter, or before every chapter's first.
core::MapPlace stepStart(const host::ListBox &List1, const MapView &view);
// Goes to `place`: its chapter chosen as a click in List1 chooses it (the row's change draws
// it), the cell scrolled into sight and framed, lblpos on it.
void goToPlace(host::ListBox &List1, MapView &view, QLabel &lblpos, const core::MapPlace &place);

} // namespace app
