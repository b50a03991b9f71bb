#pragma once

#include "Cartridge.h"
#include "CellEdit.h"
#include "ChangedCell.h"
#include "ChapterMap.h"
#include "DocumentQuestions.h"
#include "FileIdentity.h"
#include "FileOperations.h"
#include "JournalOwner.h"
#include "JournalReading.h"
#include "JournalReplay.h"
#include "UserFileWriter.h"

#include <QByteArray>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QFileSystemWatcher;
class QTimer;
class QUndoStack;

namespace fileio {
class RecoveryJournal;
}

namespace app {

// The cartridge image the editor works on: its bytes (RomData), the bytes its file held
// when last read or written, its chapter directory, its history of edits and its file on
// the disk. The window shows it and its tools push their edits to it; nothing else changes
// its bytes. A tool's stroke under way is one transaction: the document ends it, as its
// release would, before anything else reads or changes the bytes, the file or the history.
// Saving merges what other programs wrote to the file meanwhile and never writes over bytes
// it has not seen (ImageDocumentSave.cpp). Every step that changes bytes is kept in a
// recovery journal until a save, and a journal an editor left is offered back on open
// (ImageDocumentJournal.cpp, ImageDocumentRecovery.cpp).
class ImageDocument : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY(ImageDocument)
public:
    explicit ImageDocument(QObject *parent = nullptr);
    ~ImageDocument() override;

    // What its writes go through (not owned): the real disk unless a test gives others.
    void setFileOperations(fileio::FileOperations &files) { m_files = &files; }
    // Who shows its questions and messages (not owned): the window, or a test; until one is
    // set, message boxes with no owner.
    void setQuestions(DocumentQuestions &questions) { m_questions = &questions; }
    // Who its journals name as their writer: this process unless a test plays an editor
    // that has stopped.
    void setJournalOwner(const fileio::JournalOwner &owner) { m_journalOwner = owner; }

    // The image with its chapter directory; all zero before any image was opened.
    const core::Cartridge &image() const { return m_image; }
    const QByteArray &bytes() const { return m_image.RomData(); }
    // The image's file; before any image was opened, the path it was started with.
    const QString &path() const { return m_path; }
    void setStartPath(const QString &path) { m_path = path; }
    const core::ChapterDirectory &chapters() const { return m_image.Chapters(); }
    bool isLoaded() const { return m_loaded; }
    // Whether the image holds edits its file does not: its bytes differ from the file's
    // first bytes as last read or written. Bytes a file holds beyond the image are the
    // file's, which a save keeps, never an edit.
    bool isModified() const;
    QUndoStack *undoStack() const { return m_undoStack; }
    // The image as a save would leave its file, were the file as last read or written: the
    // bytes, then what the file holds beyond them, which a save keeps.
    // The whole file as last read or written.
    const QByteArray &fileBytes() const { return m_fileBytes; }
    QByteArray bytesAsSaved() const { return bytes() + m_fileBytes.mid(bytes().size()); }

    // Reads the image at `path`: after a question where an interrupted save left a backup
    // of it, refused with a message when it cannot be read or holds no chapter directory,
    // in which case nothing changes. True when the image is now the one open.
    bool open(const QString &path);
    // Writes the bytes over the file, merged with what another program wrote meanwhile,
    // and says how that went; true when written.
    bool save();
    // The person chose not to keep the unsaved edits: their journal is removed. Were they
    // kept after all (the image that was to replace them not opened), the next step begins
    // a journal that holds them again.
    void discardJournal();

    // Stores a tool's edit as one step of the history, which sets its cells' bytes; nothing
    // where it changes no byte.
    void push(std::unique_ptr<CellEdit> edit);
    // Sets the cells' bytes to their codes before or after an edit, for its undo and redo.
    // `chapter` may be core::kSeveralChapters.
    void setCells(int chapter, const std::vector<core::ChangedCell> &cells, bool after);
    // One step back or forward, once the stroke under way has ended.
    void undo();
    void redo();

    // While a tool's button is held: `endAsReleased` ends its stroke as the release would,
    // storing what it shows. Nothing once it has ended.
    void setStrokeUnderWay(std::function<void()> endAsReleased);

    // Reads in the file where another program changed it, as the watcher does once a change
    // has settled: not while the image holds unsaved edits, which the next save merges.
    void readInChangedFile();

signals:
    // Cells whose bytes a step of the history set, stored, undone or redone, for the view to
    // paint again; a step of several chapters tells each chapter's cells in turn, each byte
    // once.
    void cellsChanged(int chapter, const std::vector<core::ChangedCell> &cells);
    // Another image, or the file's changes read in: everything shown of it is drawn again.
    void imageReplaced();
    // A save took bytes from the file: what shows the bytes of `previous` is drawn again.
    void imageMerged(const core::Cartridge &previous);
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
        std::optional<fileio::FileContent> content; // nothing: it could not be read
        int readError = 0;
    };

    // A step of several chapters: its cells told chapter by chapter.
    void emitChangesByChapter(const std::vector<core::ChangedCell> &cells);
    FileState readFile() const;
    std::optional<SavePlan> planSave(const FileState &file);
    std::optional<SavePlan> planMerge(const QByteArray &file);
    // `why` ends in its own punctuation: it stands before "无法与你的修改合并".
    bool askOverwrite(const QString &why);
    std::optional<bool> askKeepMine(const std::vector<qsizetype> &conflicts);
    // Asks what to do with a backup an interrupted save left of the file; false when the
    // person cancels or the backup cannot be put back.
    bool settlePendingBackup(const QString &path);
    // `fileTail`: what the file holds beyond the bytes written, which the write kept.
    void takeSaved(const SavePlan &plan, const QByteArray &fileTail);
    // How many steps a save took out of the history.
    struct DroppedSteps {
        int touching = 0; // steps that wrote a byte the save took from the file
        int withThem = 0; // steps whose cells one of those wrote over, or would
    };
    // Removes every step of the history that touches one of `offsets`, with the steps that
    // no longer undo or redo truly without them.
    DroppedSteps dropStepsTouching(const QSet<qsizetype> &offsets);
    // What the file holds beyond `written` once it is written over it.
    QByteArray fileTailAfterWriting(const FileState &file, const QByteArray &written);
    void takeFileBytes(core::Cartridge image);
    void watchFile();
    // Ends the stroke under way, if any, as its release would.
    void endStroke();

    // Begins the journal of the bytes just read or written; the last one is removed.
    void startJournal();
    // Before a step changes the bytes: where the journal lacks edits the bytes hold, they
    // go to it first as bytes taken from the file.
    void journalCatchUp();
    // Journals the step of the history at `index` that was just done, undone or redone.
    void journalStep(fileio::JournalStep::Kind kind, int index);
    // Keeps the journal to what the history holds: removed where the bytes are the file's,
    // otherwise synced within a second.
    void settleJournal();
    void syncJournal();
    // The journals an editor left of the image at `path`, whose file holds `fileBytes`:
    // each told or asked about. False when the person cancels the open; `recovered` set when
    // they take one back.
    struct Recovery {
        QString journalFile;
        QByteArray bytes; // where the steps start, before `done` is done again
        std::vector<core::RecoveredStep> done;
        std::vector<core::RecoveredStep> undone;
    };
    bool settleJournals(const QString &path, const QByteArray &fileBytes,
                        std::optional<Recovery> &recovered);
    bool offerJournal(const QString &path, const QByteArray &fileBytes,
                      const fileio::JournalReading &reading, std::optional<Recovery> &recovered);
    void takeRecovery(Recovery recovery);

    fileio::FileOperations *m_files;
    EditorMessageBoxes m_ownerlessBoxes{nullptr};
    DocumentQuestions *m_questions = &m_ownerlessBoxes;
    core::Cartridge m_image;
    // The whole file as last read or written, with what it holds beyond the image.
    QByteArray m_fileBytes;
    // The file's identity when it was last read or written: a notice of a change that left
    // it as it was reads nothing.
    std::optional<fileio::FileIdentity> m_fileIdentity;
    QString m_path;
    bool m_loaded = false;
    QUndoStack *m_undoStack;
    std::function<void()> m_endStroke;
    QFileSystemWatcher *m_watcher;
    // Lets a burst of changes (a write, then a rename) settle before the file is read.
    QTimer *m_settle;

    fileio::JournalOwner m_journalOwner = fileio::JournalOwner::thisProcess();
    std::unique_ptr<fileio::RecoveryJournal> m_journal;
    // Wakes once when the journal owes a sync; idle otherwise.
    QTimer *m_journalSync;
    // The history's steps from this index on are the journal's own, while it mirrors them:
    // once undo goes below it, every step is journaled as a plain change of bytes.
    int m_journalFloor = 0;
    bool m_journalMirrorsHistory = true;
    // The journal was removed while the bytes held edits the person may still keep.
    bool m_journalBehind = false;
    // A failure to write the journal is told once per journal.
    bool m_journalFailureTold = false;
};

} // namespace app
