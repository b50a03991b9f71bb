#pragma once

#include <QFile>
#include <QString>

#if defined(Q_OS_LINUX)
#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cstring>
#endif

namespace testing_support {

#if defined(Q_OS_LINUX)

// Counts, through the system's file events, how often the files of one folder are opened.
// A draw of a chapter opens the file of each tile code it meets once, so with chapters whose
// cells hold distinct codes, the openings tell how many draws there were.
class TileOpenCount {
public:
    explicit TileOpenCount(const QString &folder) : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        if (m_fd >= 0)
            m_watch = inotify_add_watch(m_fd, QFile::encodeName(folder).constData(), IN_OPEN);
    }
    ~TileOpenCount()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    TileOpenCount(const TileOpenCount &) = delete;
    TileOpenCount &operator=(const TileOpenCount &) = delete;

    bool watching() const { return m_fd >= 0 && m_watch >= 0; }

    // Files opened since the last call; the folder's own opening (its listing) is left out.
    int take()
    {
        int count = 0;
        alignas(inotify_event) std::array<char, 4096> buffer{};
        for (;;) {
            const ssize_t got = ::read(m_fd, buffer.data(), buffer.size());
            if (got <= 0)
                return count;
            for (ssize_t at = 0; at + ssize_t{sizeof(inotify_event)} <= got;) {
                inotify_event event{};
                std::memcpy(&event, buffer.data() + at, sizeof event);
                if ((event.mask & IN_OPEN) && event.len > 0)
                    ++count;
                at += ssize_t{sizeof(inotify_event)} + event.len;
            }
        }
    }

private:
    int m_fd;
    int m_watch = -1;
};
#else
// Other systems report no openings: nothing is watched, and tests that count draws this way
// are left out there.
class TileOpenCount {
public:
    explicit TileOpenCount(const QString &) {}
    bool watching() const { return false; }
    int take() { return 0; }
};
#endif

} // namespace testing_support
