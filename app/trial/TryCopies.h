#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace app {

// The copies of the image that F5 hands to an emulator, each in a new folder of its own
// under `root`, named after the moment it was made, so that the image's own file is never
// written and the emulator's saves beside a copy are its own. The three newest folders stay;
// the older ones go when a new one has been handed over and when the editor ends. A folder
// that the system will not let go (on Windows, one whose copy an emulator still has open)
// stays until a later call. Only folders named as this class names them go: anything else
// under `root` is left alone, and a link is never followed.
class TryCopies {
public:
    // Removes a folder with everything in it; false when something stayed.
    using FolderRemoval = std::function<bool(const QString &folder)>;

    static constexpr int kKept = 3;

    // `tarvos/try` in the user's cache folder.
    static QString defaultRoot();

    explicit TryCopies(QString root = defaultRoot(), FolderRemoval removeFolder = {});

    // A copy made, or why none was: its path is empty, and `failure` says why for the person.
    struct Copy {
        QString path;
        QString failure;
    };
    // Writes `bytes` as a file named `fileName` into a new folder; a copy that could not be
    // written whole leaves no folder.
    Copy make(const QString &fileName, const QByteArray &bytes);
    // Removes the folder of a copy that was never handed over.
    void discard(const Copy &copy);
    // Removes the folders but the newest; `fresh`'s (a copy just handed over) stays and
    // counts among them whatever the clock said when it was made.
    void prune(const Copy &fresh = {});

    const QString &root() const { return m_root; }

private:
    QString m_root;
    FolderRemoval m_removeFolder;
};

} // namespace app
