#pragma once

#include <QByteArray>
#include <QImage>

namespace cli {

// How hard exported pictures are packed (zlib's 0..9). On maps made of repeated tiles,
// level 3 takes no longer than level 1 and its files are a quarter smaller; zlib's
// default, 6, saves another 30 % for two and a half times the work.
constexpr int kPngPackingLevel = 3;

// A PNG file of an opaque picture: 8-bit RGB, not interlaced, with the picture's
// resolution when it has one. The rows go into zlib unfiltered: on a map made of repeated
// tiles, zlib finds the repeats by itself, and trying every filter on every row would
// cost more than the packing does. The picture is read as QImage::Format_RGB32 (converted
// when it is not); a null picture gives no bytes.
QByteArray pngBytes(const QImage &picture, int level = kPngPackingLevel);

} // namespace cli
