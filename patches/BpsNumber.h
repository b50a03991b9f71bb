#pragma once

#include <QByteArray>
#include <QString>

#include <variant>

namespace patches {

// BPS's variable-length numbers: seven bits a byte, lowest first, the last byte marked by
// its top bit. Every byte but the last also adds one, so each number has one spelling only.
void appendBpsNumber(QByteArray &out, quint64 value);

// How many bytes appendBpsNumber writes for `value`.
int bpsNumberSize(quint64 value);

enum class BpsNumberFault {
    Truncated, // the bytes end before the number's last byte
    TooLarge,  // the number does not fit 64 bits
};

// The number that starts at `at` among bytes [at, end), `end` at most bytes.size(); `at`
// moves past what was read.
std::variant<quint64, BpsNumberFault> readBpsNumber(const QByteArray &bytes, qsizetype &at,
                                                    qsizetype end);

// Why the number at byte `at` of a patch was refused, for the user.
QString bpsNumberFault(BpsNumberFault fault, qsizetype at);

} // namespace patches
