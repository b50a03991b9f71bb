#pragma once

#include "Dialogs.h"

#include <QString>

namespace app {

// The title of the editor's message boxes about its image and file.
inline QString editorTitle()
{
    return QStringLiteral("地图编辑器");
}

inline host::MessageAnswer
showEditorMessage(QWidget *owner, const QString &prompt, host::MessageIcon icon,
                  host::MessageButtons buttons = host::MessageButtons::Ok)
{
    return host::MsgBox({owner, prompt, editorTitle(), icon, buttons});
}

} // namespace app
