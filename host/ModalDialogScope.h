#pragma once

#include <QPointer>
#include <QWidget>

namespace host {

class HeldDialogKeys;

// The time a modal dialog of ours is open, from before it shows until it has closed. The
// window that was active before it is active again afterwards, with the focus on the
// control that had it, also where no window manager hands the activation back (a bare X
// server, the offscreen platform): its keys work again at once. Keys that went down in the
// dialog and are still held as it closes reach no window of ours, neither their repeats
// nor their release, so an Enter or Escape held a little too long clicks or cancels nothing
// behind the dialog.
class ModalDialogScope {
public:
    ModalDialogScope();
    ~ModalDialogScope();
    Q_DISABLE_COPY(ModalDialogScope)

private:
    QPointer<QWidget> m_active;
    // Owned by the application: it outlives the dialog until the held keys come up.
    QPointer<HeldDialogKeys> m_keys;
};

} // namespace host
