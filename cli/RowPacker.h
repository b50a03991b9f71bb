#pragma once

#include <QByteArray>
#include <QImage>

namespace cli {

// The zlib stream of a PNG file's pixel data: each row of the picture (Format_RGB32) as
// filter byte 0, then its pixels as RGB.
//
// A map picture is made of tiles 16 pixels wide, so the rows are packed a tile row (16
// pixels) at a time: a tile row seen within deflate's 32 KiB window becomes one
// back-reference, a run of equal tiles one longer back-reference, and only tile rows not
// seen lately are written pixel by pixel (as literals and runs of one colour). Repeated
// tile rows are never converted to RGB: they are compared as pixels, and their share of
// the checksum is kept with them. That costs a few steps per tile row where a general
// packer spends several per byte, and packs a map about as tightly as zlib's fast levels.
// Any picture packs correctly; one not made of such tiles just packs less tightly.
QByteArray packedRows(const QImage &rgb32);

} // namespace cli
