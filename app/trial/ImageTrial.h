#pragma once

#include "Dialogs.h"
#include "TryCopies.h"

class QWidget;

namespace app {

class ImageDocument;

// F5: the image as it is in the window, saved or not, tried at once in the person's
// emulator. A copy of it goes to a folder of its own (TryCopies) and the emulator starts on
// that copy, detached; the image's file, its history and whether it holds unsaved edits stay
// as they were. The emulator is asked for the first time, and whenever Shift+F5 asks
// (EmulatorChoice). Messages and dialogs show over `owner`.
class ImageTrial {
public:
    explicit ImageTrial(QWidget *owner, TryCopies copies = TryCopies());
    // The editor ends: copies older than the newest go, where this run made any.
    ~ImageTrial();
    Q_DISABLE_COPY(ImageTrial)

    // Tries the document's image; `chooseEmulator` asks for the emulator first, also while
    // no image is open.
    void run(const ImageDocument &document, bool chooseEmulator);

private:
    void tell(const QString &message, host::MessageIcon icon) const;

    QWidget *m_owner;
    TryCopies m_copies;
    bool m_madeCopies = false;
};

} // namespace app
