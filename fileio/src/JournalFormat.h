#pragma once

// The bytes of a recovery journal, the same on every platform (little-endian numbers, UTF-8
// texts): a signature, then records. Each record is its payload's length (4 bytes), its kind
// (1 byte), the payload, and the first 8 bytes of the SHA-256 of the three before, so that a
// write cut off at any byte, or bytes changed afterwards, never read as a record.
//
// The first record is the header, the second the owner; each step follows in a record of its
// own.

#include "FileIdentity.h"
#include "JournalOwner.h"
#include "JournalStep.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace fileio::journal {

// The first bytes of every journal of this format.
QByteArray signature();

enum class RecordKind : std::uint8_t {
    Header = 1,
    Owner = 2,
    Step = 3,
};

// What the journal starts from.
struct Header {
    QString imagePath;                      // the image's full path
    std::optional<FileIdentity> imageState; // the image file when the journal began
    qint64 baseLength = 0;                  // the bytes the steps start from
    QByteArray baseSha256;
    qint64 startedAt = 0;  // milliseconds since 1970 (UTC)
    QByteArray baseLayout; // the caller's record of how the base bytes are laid out
};

QByteArray record(RecordKind kind, const QByteArray &payload);

QByteArray encodeHeader(const Header &header);
QByteArray encodeOwner(const JournalOwner &owner);
QByteArray encodeStep(const JournalStep &step);
std::optional<Header> decodeHeader(const QByteArray &payload);
std::optional<JournalOwner> decodeOwner(const QByteArray &payload);
std::optional<JournalStep> decodeStep(const QByteArray &payload);

// The records of a journal's bytes after the signature, up to the last whole one.
struct Scan {
    struct Record {
        RecordKind kind;
        QByteArray payload;
    };
    enum class End {
        Whole,   // every byte belongs to a whole record
        Torn,    // the last record was cut off: a write that never finished
        Damaged, // a record whose checksum is wrong has more bytes after it
    };
    std::vector<Record> records;
    End end = End::Whole;
};
Scan scanRecords(const QByteArray &bytes, qsizetype from);

} // namespace fileio::journal
