#include "Cartridge.h"

#include <algorithm>

namespace core {

Cartridge::Cartridge(QByteArray RomData) : m_RomData(std::move(RomData))
{
    if (const auto chapters = ReadMapDirectory(m_RomData)) {
        m_Chapters = *chapters;
        m_hasChapters = true;
    }
}

bool Cartridge::recordInside(const ChapterMap &entry) const
{
    return entry.recordWithin(m_RomData.size());
}

QByteArrayView Cartridge::recordBytes(const ChapterMap &entry) const
{
    const qint64 first = std::max<qint64>(0, entry.recordOffset());
    const qint64 end = std::min<qint64>(m_RomData.size(), entry.recordEnd());
    if (first >= end)
        return {};
    return QByteArrayView(m_RomData).sliced(first, end - first);
}

std::optional<qsizetype> Cartridge::cellByte(const ChapterMap &entry, Cell cell) const
{
    const auto offset = entry.cellOffset(cell);
    if (!offset || *offset < 0 || *offset >= m_RomData.size())
        return std::nullopt;
    return static_cast<qsizetype>(*offset);
}

std::optional<std::uint8_t> Cartridge::codeAt(const ChapterMap &entry, Cell cell) const
{
    if (const auto index = cellByte(entry, cell))
        return static_cast<std::uint8_t>(m_RomData[*index]);
    return std::nullopt;
}

bool Cartridge::setCode(const ChapterMap &entry, Cell cell, std::uint8_t code)
{
    const auto index = cellByte(entry, cell);
    if (!index)
        return false;
    m_RomData[*index] = static_cast<char>(code);
    return true;
}

void Cartridge::setCellByte(qsizetype index, std::uint8_t code)
{
    if (index >= 0 && index < m_RomData.size())
        m_RomData[index] = static_cast<char>(code);
}

} // namespace core
