#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

namespace cli_testing {

struct Record {
    qsizetype offset = 0;
    qsizetype size = 0; // bytes written
    bool rle = false;
};

inline std::uint32_t bigEndian(const QByteArray &bytes, qsizetype at, int count)
{
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

// Applies a patch the way patching tools read it, independently of the writer; nothing when
// the patch is malformed.
inline std::optional<QByteArray> applyIps(const QByteArray &patch, QByteArray image,
                                          std::vector<Record> &records)
{
    if (!patch.startsWith("PATCH"))
        return std::nullopt;
    qsizetype at = 5;
    while (at + 3 <= patch.size()) {
        if (patch.sliced(at, 3) == "EOF")
            return at + 3 == patch.size() ? std::optional(image) : std::nullopt;
        if (at + 5 > patch.size())
            return std::nullopt;
        const qsizetype offset = bigEndian(patch, at, 3);
        const qsizetype size = bigEndian(patch, at + 3, 2);
        at += 5;
        if (size == 0) {
            if (at + 3 > patch.size())
                return std::nullopt;
            const qsizetype count = bigEndian(patch, at, 2);
            if (count == 0 || offset + count > image.size())
                return std::nullopt;
            image.replace(offset, count, QByteArray(count, patch[at + 2]));
            records.push_back({offset, count, true});
            at += 3;
        } else {
            if (at + size > patch.size() || offset + size > image.size())
                return std::nullopt;
            image.replace(offset, size, patch.sliced(at, size));
            records.push_back({offset, size, false});
            at += size;
        }
    }
    return std::nullopt;
}

} // namespace cli_testing
