#pragma once

#include "ChapterLayout.h"
#include "ChapterMap.h"

#include <QString>
#include <QStringList>

namespace app {

// How the editor's questions name the bytes where edits and another program's changes meet.

// A byte as a cell of its chapter, or by its offset where it is no cell.
QString placeText(const core::ChapterDirectory &chapters, qsizetype offset);
// At most a question's worth of lines, then how many there are in all.
QString listed(const QStringList &lines);
// A chapter map that lies otherwise in one image than in another, in a line.
QString layoutChangeText(const core::LayoutDifference &difference);
// The places of `offsets`, listed.
QString listedPlaces(const core::ChapterDirectory &chapters, const std::vector<qsizetype> &offsets);

} // namespace app
