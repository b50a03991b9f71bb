#pragma once

#include <QByteArray>
#include <QImage>

namespace cli {

// A PNG file of an opaque picture: 8-bit RGB, not interlaced, with the picture's
// resolution when it has one. The rows go unfiltered to packedRows, which finds the
// repeated tiles of a map picture by itself; trying every filter on every row, as
// QImageWriter does, would cost more than the packing. The picture is read as
// QImage::Format_RGB32 (converted when it is not); a null picture gives no bytes.
QByteArray pngBytes(const QImage &picture);

} // namespace cli
