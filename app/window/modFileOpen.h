#pragma once

#include <QString>

class QWidget;

namespace app {

// The Open File dialog: caption "选择文件", the single filter "Nes File(*.nes)", owned by
// the given window. The chosen path with surrounding blanks removed, or empty text when
// the user cancelled.
QString ShowOpenDialog(QWidget *owner);

} // namespace app
