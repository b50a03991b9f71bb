#pragma once

#include "CellEdit.h"
#include "ChapterMap.h"
#include "FileIdentity.h"
#include "FileOperations.h"
#include "UserFileWriter.h"

#include <QByteArray>
#include <QObject>
#include <QSet>
#include <QString>

#include <optional>
#include <vector>

class QFileSystemWatcher;
class QTimer;
class QUndoStack;
class QWidget;

namespace app {

// The cartridge image the editor works on: its bytes (RomData), the bytes its file held
// when last read or written, its chapter directory, its history of edits and its file on
// the disk. The window shows it and hands it the person's edits; nothing else changes its
// bytes. Saving merges what other programs wrote to the file meanwhile and never writes over
// bytes it has not seen (ImageDocumentSave.cpp).
class ImageDocument : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY(ImageDocument)
public:
    explicit ImageDocument(QObject *parent = nullptr);
    ~ImageDocument() override;

    // What its writes go through (not owned): the real disk unless a test gives others.
    void setFileOperations(core::FileOperations &files) { m_files = &files; }
    // The window its questions and messages are shown over; none for a headless document.
    void setMessageOwner(QWidget *owner) { m_owner = owner; }

    const QByteArray &bytes() const { return m_bytes; }
    // The image's file; before any image was opened, the path it was started with.
    const QString &path() const { return m_path; }
    void setStartPath(const QString &path) { m_path = path; }
    const core::ChapterDirectory &chapters() const { return m_chapters; }
    bool isLoaded() const { return m_loaded; }
    // Whether the bytes differ from those last read from or written to the file.
    bool isModified() const { return m_bytes != m_fileBytes; }
    QUndoStack *undoStack() const { return m_undoStack; }

    // Reads the image at `path`: after a question where an interrupted save left a backup
    // of it, refused with a message when it cannot be read or holds no chapter directory,
    // in which case nothing changes. True when the image is now the one open.
    bool open(const QString &path);
    // Writes the bytes over the file, merged with what another program wrote meanwhile,
    // and says how that went; true when written.
    bool save();

    // Stores new codes in cells of a chapter as one step of the history; nothing where no
    // byte changes. `shown`: the view shows the new codes already.
    void editCells(int chapter, std::vector<CellEdit::Cell> cells, bool shown);
    // Sets the cells' bytes to their codes before or after an edit, for its undo and redo.
    void setCells(int chapter, const std::vector<CellEdit::Cell> &cells, bool after, bool repaint);

signals:
    // Cells whose bytes changed by an undo or redo, for the view to paint again.
    void cellsChanged(int chapter, const std::vector<app::CellEdit::Cell> &cells);
    // Another image, or the file's changes read in: everything shown of it is drawn again.
    void imageReplaced();
    // A save took bytes from the file: what shows the bytes of `previous` is drawn again.
    void imageMerged(const QByteArray &previous);
    // The bytes or the file changed, and with them perhaps whether they differ.
    void changed();

private:
    // What a save writes, and what of it came from the file.
    struct SavePlan {
        QByteArray bytes;
        QSet<qsizetype> keptFromFile; // offsets whose bytes the file's replace RomData's
        bool clearHistory = false;
    };
    // The file as a save finds it.
    struct FileState {
        std::optional<core::FileContent> content; // nothing: it could not be read
        int readError = 0;
    };

    FileState readFile() const;
    std::optional<SavePlan> planSave(const FileState &file);
    std::optional<SavePlan> planMerge(const QByteArray &file);
    // `why` ends in its own punctuation: it stands before "无法与你的修改合并".
    bool askOverwrite(const QString &why);
    std::optional<bool> askKeepMine(const std::vector<qsizetype> &conflicts);
    // Asks what to do with a backup an interrupted save left of the file; false when the
    // person cancels or the backup cannot be put back.
    bool settlePendingBackup(const QString &path);
    void takeSaved(const SavePlan &plan);
    // Removes every step of the history that touches one of `offsets`; how many went.
    int dropStepsTouching(const QSet<qsizetype> &offsets);
    void takeFileBytes(QByteArray bytes, const core::ChapterDirectory &directory);
    void watchFile();
    void readInChangedFile();

    core::FileOperations *m_files;
    QWidget *m_owner = nullptr;
    QByteArray m_bytes;
    QByteArray m_fileBytes;
    // The file's identity when it was last read or written: a notice of a change that left
    // it as it was reads nothing.
    std::optional<core::FileIdentity> m_fileIdentity;
    QString m_path;
    core::ChapterDirectory m_chapters{};
    bool m_loaded = false;
    QUndoStack *m_undoStack;
    QFileSystemWatcher *m_watcher;
    // Lets a burst of changes (a write, then a rename) settle before the file is read.
    QTimer *m_settle;
};

} // namespace app
