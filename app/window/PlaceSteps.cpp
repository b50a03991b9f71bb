#include "PlaceSteps.h"

#include "ListBox.h"
#include "MapView.h"

#include <QLabel>

namespace app {

int chosenChapter(const host::ListBox &List1)
{
    const int index = List1.currentRow();
    return index >= 0 && index < core::kChapterCount ? index : -1;
}

core::MapPlace stepStart(const host::ListBox &List1, const MapView &view)
{
    const int index = chosenChapter(List1);
    return core::MapPlace{index + 1,
                          index < 0 ? core::Cell{} : view.framedCell().value_or(core::Cell{})};
}

void goToPlace(host::ListBox &List1, MapView &view, QLabel &lblpos, const core::MapPlace &place)
{
    if (place.chapter - 1 != chosenChapter(List1))
        List1.setCurrentRow(place.chapter - 1);
    view.goToCell(place.cell);
    lblpos.setText(QStringLiteral("%1,%2").arg(place.cell.column).arg(place.cell.row));
}

} // namespace app
