#pragma once

#include <QString>

namespace fileio {

// The process that writes a recovery journal: while it runs, the journal is its own, not a
// journal left by an editor that stopped.
struct JournalOwner {
    qint64 processId = 0;
    QString host;
    // When the process started, as the system counts it (clock ticks since boot on Linux,
    // the creation time on Windows); 0 where the system tells none. A process id reused by a
    // later process is told from the owner by it.
    qint64 processStart = 0;

    static JournalOwner thisProcess();
    // Whether the owner still runs: this host, and a live process of that id that started
    // when the owner did (where the system tells). A journal of another host is taken as
    // left behind: its process cannot be asked.
    bool isRunning() const;
    friend bool operator==(const JournalOwner &, const JournalOwner &) = default;
};

} // namespace fileio
