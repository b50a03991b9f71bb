#pragma once

#include <QString>

namespace cli {

// The title the editor's chapter list shows for chapter 1..25, without trailing blanks;
// empty for a number outside the list.
QString chapterTitle(int chapter);

} // namespace cli
