#include "DisplayFrame.h"

#include <QElapsedTimer>

namespace host {

namespace {

constexpr qint64 kFrameMilliseconds = 16;

QElapsedTimer lastFlush;
bool handlerFlushed = false;

} // namespace

void beginEventHandler()
{
    handlerFlushed = false;
}

bool takeDisplayFrame()
{
    if (handlerFlushed && lastFlush.isValid() && lastFlush.elapsed() < kFrameMilliseconds)
        return false;
    handlerFlushed = true;
    lastFlush.start();
    return true;
}

} // namespace host
