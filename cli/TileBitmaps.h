#pragma once

#include "TileFolder.h"

#include <QImage>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace cli {

// The tile folder for a whole run: the editor's listing and lookup, each bitmap loaded the
// editor's way (FileCheck, then LoadPicture) the first time a code is asked for and kept,
// so that exporting every chapter decodes each bitmap once.
class TileBitmaps {
public:
    explicit TileBitmaps(const QString &folder);
    Q_DISABLE_COPY_MOVE(TileBitmaps)

    const core::TileFolder &folder() const { return m_folder; }

    // The code's bitmap; null when it is missing or not a picture.
    const QImage &bitmap(std::uint8_t code);
    bool has(std::uint8_t code) { return !bitmap(code).isNull(); }

    // What an exported picture shows for the code: its bitmap, or the missing-tile sign.
    QImage cellImage(std::uint8_t code);

private:
    core::TileFolder m_folder;
    std::array<std::optional<QImage>, 256> m_bitmaps;
    std::array<QImage, 256> m_missingSigns;
};

} // namespace cli
