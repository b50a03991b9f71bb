#pragma once

#include "Cell.h"
#include "ChapterMap.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <optional>

namespace core {

// A cartridge image in memory: its bytes (RomData) and the chapter directory read from them
// (Chapters). Whatever finds a chapter's record or a cell's byte in an image asks it, so that
// the record arithmetic is written once; a byte beyond the image is never read or written.
class Cartridge {
public:
    // No image yet: no bytes, and every chapter all zero, as before the first open.
    Cartridge() = default;
    // The image, its directory read with ReadMapDirectory; every chapter all zero where the
    // image is too short for it.
    explicit Cartridge(QByteArray RomData);

    const QByteArray &RomData() const { return m_RomData; }
    // Whether the image is long enough for the whole chapter directory.
    bool hasChapters() const { return m_hasChapters; }
    const ChapterDirectory &Chapters() const { return m_Chapters; }

    // Whether the chapter's whole record, header and tile bytes, lies inside the image.
    bool recordInside(const ChapterMap &entry) const;
    // The bytes of the chapter's record, header and tile bytes, that lie inside the image.
    QByteArrayView recordBytes(const ChapterMap &entry) const;

    // The index of a cell's byte, when the cell lies on the map and its byte inside the image.
    std::optional<qsizetype> cellByte(const ChapterMap &entry, Cell cell) const;
    // The cell's tile code, when it has a byte.
    std::optional<std::uint8_t> codeAt(const ChapterMap &entry, Cell cell) const;
    // Stores a code into the cell's byte; false, storing nothing, where the cell has none.
    bool setCode(const ChapterMap &entry, Cell cell, std::uint8_t code);
    // Stores a code into byte `index`, the byte an edit recorded for its cell; nothing
    // beyond the image.
    void setCellByte(qsizetype index, std::uint8_t code);

private:
    QByteArray m_RomData;
    ChapterDirectory m_Chapters{};
    bool m_hasChapters = false;
};

} // namespace core
