#pragma once

#include "EditorMessage.h"

#include <QString>

class QWidget;

namespace app {

// What the image document asks the person and tells them. The window shows them as the
// editor's message boxes over itself; a document without a window, as boxes with no owner;
// a test answers them itself.
class DocumentQuestions {
public:
    virtual ~DocumentQuestions() = default;
    // Shows `prompt` with `icon` and `buttons`; the answer chosen.
    virtual host::MessageAnswer
    showMessage(const QString &prompt, host::MessageIcon icon,
                host::MessageButtons buttons = host::MessageButtons::Ok) = 0;
};

// The editor's message boxes over a window, or over none.
class EditorMessageBoxes : public DocumentQuestions {
public:
    explicit EditorMessageBoxes(QWidget *owner) : m_owner(owner) {}
    host::MessageAnswer showMessage(const QString &prompt, host::MessageIcon icon,
                                    host::MessageButtons buttons) override
    {
        return showEditorMessage(m_owner, prompt, icon, buttons);
    }

private:
    QWidget *m_owner;
};

} // namespace app
