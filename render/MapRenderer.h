#pragma once

#include "Cartridge.h"
#include "ChapterMap.h"
#include "Picture.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>

namespace render {

// A tile bitmap as the map view and the palette load it: FileCheck, then LoadPicture.
// Null when the file is missing or unreadable, or the picture loader refuses it.
host::Picture loadTilePicture(const QString &path);

// The pixel size of a whole chapter drawn at the map view's scale (240-twip cells, 15
// twips to the pixel), with the empty column 0 and row 0.
QSize chapterImageSize(const core::ChapterMap &entry);

// Draws a chapter without a window: every cell of the walk, in the order and with the
// geometry of the map view, from a white background. Like the view, a cell whose tile
// cannot be loaded shows the missing-tile picture of its code (MissingTile.h), and a cell
// whose byte lies beyond the image stays white. The tile folder is listed and each tile file
// read once per call.
QImage renderChapter(const core::Cartridge &image, const core::ChapterMap &entry,
                     const QString &tileFolder);

// Draws a chapter for export: the map view's cells at its scale (16 pixels), moved up and
// left by one cell so that the view's empty column 0 and row 0 are left out. Each cell
// shows tileImage(code) scaled to the cell; a null image, or a cell whose byte lies beyond
// the image, leaves the cell white, as the view leaves a cell beyond the image. The caller decides
// where tiles come from, so that a run over many chapters can decode each bitmap once.
QImage renderChapterCells(const core::Cartridge &image, const core::ChapterMap &entry,
                          const std::function<QImage(std::uint8_t code)> &tileImage);

} // namespace render
