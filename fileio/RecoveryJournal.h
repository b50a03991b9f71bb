#pragma once

#include "FileIdentity.h"
#include "JournalOwner.h"
#include "JournalStep.h"
#include "NativeFile.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <memory>
#include <optional>

namespace fileio {

// The recovery journal of an image: every step of its history that changes bytes, appended
// as it is made, so that edits not saved outlive an editor that stops without saving (killed,
// a power cut, a session that ends without waiting). It lies in the user's data folder
// (recoveryFolder()), never beside the image and never in it; JournalReading.h reads it back.
//
// How the image document uses it: when it opens (or reads in) an image, it calls start()
// with the file's path, its identity and the bytes read, which writes nothing yet. Each step
// that changes bytes (an edit stored, an undo, a redo, bytes a save took from the file) it
// hands to append() before it handles the next event: the first one creates the journal.
// After each append() it (re)arms one single-shot QTimer for syncDueAt() and, when it fires,
// calls syncIfDue(): the journal then reaches the disk at most once a second and within a
// second of the last step, and a resting editor has no timer running. It calls end() when a
// save succeeded, when the person chose not to save, and when undo brought the image back
// to the file's bytes; after a save it calls start() again with the bytes written, and a
// step after end() without one begins a new journal from the same bytes. Destroying the
// journal without end() leaves it on the disk for the next start, as a crash would.
class RecoveryJournal {
    Q_DISABLE_COPY_MOVE(RecoveryJournal)
public:
    using Clock = std::chrono::steady_clock;
    // The least time between two syncs, and the most a step waits for one.
    static constexpr std::chrono::milliseconds kSyncInterval{1000};

    // The journal of the image at `imagePath` (found in full, links followed), whose file is
    // in `state` and holds `baseBytes`, which the steps start from. `baseLayout` is the
    // caller's own record of how those bytes are laid out, kept so that a later reader can
    // tell whether the file's layout changed since (this library does not read it). `owner`
    // and `folder` are this process and the user's recovery folder, unless a test gives
    // others.
    static std::unique_ptr<RecoveryJournal>
    start(const QString &imagePath, const std::optional<FileIdentity> &state,
          const QByteArray &baseBytes, const QByteArray &baseLayout,
          const JournalOwner &owner = JournalOwner::thisProcess(), const QString &folder = {});
    ~RecoveryJournal();

    // Appends a step (its time set to now), creating the journal with the first one; not
    // synced. 0, or the error with the journal left as it was before the step.
    int append(JournalStep step, Clock::time_point now = Clock::now());
    // When a sync is owed: nothing while every step is on the disk.
    std::optional<Clock::time_point> syncDueAt() const;
    // Syncs when one is owed by `now`; 0, or the error.
    int syncIfDue(Clock::time_point now = Clock::now());
    // Syncs what was appended, due or not.
    int syncNow(Clock::time_point now = Clock::now());
    // Removes the journal: its steps are in the file, or no longer wanted.
    void end();

    // The journal's file; empty before the first step.
    QString path() const { return m_path; }
    int stepCount() const { return m_steps; }

private:
    RecoveryJournal(QString folder, QString imagePath, QByteArray start);
    int create(const QByteArray &first);

    QString m_folder;
    QString m_imagePath;
    QByteArray m_start; // the signature, the header and the owner record
    QString m_path;
    NativeFile m_file;
    qint64 m_end = 0; // where the next record goes: after the last whole one
    int m_steps = 0;
    bool m_folderSynced = false;
    std::optional<Clock::time_point> m_firstUnsynced;
    std::optional<Clock::time_point> m_lastSync;
};

// Where the journals live: "tarvos/recovery" in the user's data folder, beside the shared
// backups (FileOperations::backupFolder), on the disk.
QString recoveryFolder();
// The image's full path as its journal names it: links followed, so that every name of a
// file finds the one journal.
QString journalImagePath(const QString &imagePath);
// The names a journal of that image may have, the usual one first: from a hash of its full
// path, so that one image has one journal, and another name where a file not ours, or a
// journal that did not read, holds that one.
QString journalFileName(const QString &fullImagePath, int alternative = 0);
// Tells a journal's name by its hash of the image's path.
bool isJournalFileNameOf(const QString &name, const QString &fullImagePath);

} // namespace fileio
