#include "BpsNumber.h"

#include <limits>

namespace patches {

void appendBpsNumber(QByteArray &out, quint64 value)
{
    for (;;) {
        const auto low = static_cast<char>(value & 0x7F);
        value >>= 7;
        if (value == 0) {
            out += static_cast<char>(0x80 | low);
            return;
        }
        out += low;
        --value;
    }
}

int bpsNumberSize(quint64 value)
{
    int size = 1;
    while ((value >>= 7) != 0) {
        --value;
        ++size;
    }
    return size;
}

std::variant<quint64, BpsNumberFault> readBpsNumber(const QByteArray &bytes, qsizetype &at,
                                                    qsizetype end)
{
    quint64 value = 0;
    quint64 shift = 1;
    for (;;) {
        if (at >= end)
            return BpsNumberFault::Truncated;
        const auto byte = static_cast<quint8>(bytes[at++]);
        quint64 part = 0;
        if (__builtin_mul_overflow(quint64{byte & 0x7Fu}, shift, &part) ||
            __builtin_add_overflow(value, part, &value))
            return BpsNumberFault::TooLarge;
        if (byte & 0x80)
            return value;
        // Another byte adds at least the next shift: past 64 bits, nothing can fit.
        if (shift > std::numeric_limits<quint64>::max() >> 7)
            return BpsNumberFault::TooLarge;
        shift <<= 7;
        if (__builtin_add_overflow(value, shift, &value))
            return BpsNumberFault::TooLarge;
    }
}

QString bpsNumberFault(BpsNumberFault fault, qsizetype at)
{
    return fault == BpsNumberFault::Truncated
               ? QStringLiteral("the patch is cut short: the number at byte %1 runs into its "
                                "checksums")
                     .arg(at)
               : QStringLiteral("the number at byte %1 does not fit 64 bits").arg(at);
}

} // namespace patches
