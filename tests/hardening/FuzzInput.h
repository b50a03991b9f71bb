#pragma once

#include <QByteArray>

#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace fuzzing {

// Reads a fuzzer's input front to back as bytes, integers and floats. Past the end every
// read gives zeros, so each entry sees a well-defined value for any input length.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_pos >= m_size; }
    std::size_t remaining() const { return atEnd() ? 0 : m_size - m_pos; }

    std::uint8_t byte() { return atEnd() ? 0 : m_data[m_pos++]; }

    // The next bytes, the first the lowest.
    template <typename T> T integer()
    {
        using Unsigned = std::make_unsigned_t<T>;
        Unsigned value = 0;
        for (std::size_t at = 0; at < sizeof(T); ++at)
            value = static_cast<Unsigned>(value | (Unsigned{byte()} << (8 * at)));
        return static_cast<T>(value);
    }

    std::uint16_t u16() { return integer<std::uint16_t>(); }
    std::uint32_t u32() { return integer<std::uint32_t>(); }
    std::int32_t i32() { return integer<std::int32_t>(); }
    // Any bit pattern: NaNs, infinities and denormals included.
    float f32() { return std::bit_cast<float>(u32()); }

    // Up to `count` bytes, fewer at the end.
    QByteArray bytes(std::size_t count)
    {
        const std::size_t n = count < remaining() ? count : remaining();
        QByteArray out(reinterpret_cast<const char *>(m_data + m_pos), static_cast<qsizetype>(n));
        m_pos += n;
        return out;
    }
    QByteArray rest() { return bytes(remaining()); }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

} // namespace fuzzing
