#pragma once

#include <QByteArray>
#include <QImage>

namespace host {

// The largest picture file LoadPicture reads, and the largest bitmap side it accepts.
constexpr qsizetype kMaxPictureFileBytes = 64 * 1024 * 1024;
constexpr int kMaxBitmapSide = 16384;

// Decodes a Windows bitmap file after checking its headers against the bytes present:
// a truncated, oversized or inconsistent file gives a null image, never pixels made up
// from memory the file does not cover.
QImage decodeBitmap(const QByteArray &bytes);

} // namespace host
