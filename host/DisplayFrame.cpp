#include "DisplayFrame.h"

#include <QElapsedTimer>

namespace host {

namespace {

constexpr qint64 kFrameMilliseconds = 16;

// Started when a handler begins and at each flush.
QElapsedTimer frameClock;

} // namespace

void beginEventHandler()
{
    frameClock.start();
}

bool takeDisplayFrame()
{
    if (frameClock.isValid() && frameClock.elapsed() < kFrameMilliseconds)
        return false;
    frameClock.start();
    return true;
}

} // namespace host
