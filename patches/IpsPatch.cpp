#include "IpsPatch.h"

#include <algorithm>

namespace patches {

namespace {

constexpr qsizetype kMaxRecordBytes = 0xFFFF;
constexpr qsizetype kHeaderBytes = 5; // offset and size
constexpr qsizetype kRleBytes = 8;    // offset, zero size, count and the byte

// A stretch of equal bytes shorter than a record header costs less inside a record.
constexpr qsizetype kJoinGap = kHeaderBytes;

class IpsWriter {
public:
    explicit IpsWriter(const QByteArray &edited) : m_edited(edited) { m_patch.bytes = "PATCH"; }

    void plain(qsizetype begin, qsizetype end);
    void rle(qsizetype begin, qsizetype count);
    IpsPatch finish()
    {
        m_patch.bytes += "EOF";
        return std::move(m_patch);
    }

private:
    void header(qsizetype offset, qsizetype size)
    {
        m_patch.bytes += static_cast<char>(offset >> 16 & 0xFF);
        m_patch.bytes += static_cast<char>(offset >> 8 & 0xFF);
        m_patch.bytes += static_cast<char>(offset & 0xFF);
        m_patch.bytes += static_cast<char>(size >> 8 & 0xFF);
        m_patch.bytes += static_cast<char>(size & 0xFF);
        ++m_patch.records;
    }

    const QByteArray &m_edited;
    IpsPatch m_patch;
};

// A record that would start at "EOF" starts one byte earlier instead, writing that byte's
// edited value again.
void IpsWriter::plain(qsizetype begin, qsizetype end)
{
    qsizetype position = begin;
    while (position < end) {
        const qsizetype start = position == kIpsEofOffset ? position - 1 : position;
        const qsizetype size = std::min(kMaxRecordBytes, end - start);
        header(start, size);
        m_patch.bytes += m_edited.sliced(start, size);
        position = start + size;
    }
}

void IpsWriter::rle(qsizetype begin, qsizetype count)
{
    qsizetype position = begin;
    const qsizetype end = begin + count;
    while (position < end) {
        if (position == kIpsEofOffset) {
            plain(position, position + 1);
            ++position;
            continue;
        }
        const qsizetype size = std::min(kMaxRecordBytes, end - position);
        header(position, 0);
        m_patch.bytes += static_cast<char>(size >> 8 & 0xFF);
        m_patch.bytes += static_cast<char>(size & 0xFF);
        m_patch.bytes += m_edited[position];
        position += size;
    }
}

// Writes one stretch of changes [begin, end): each run of one repeated byte becomes an RLE
// record where that saves bytes, counting the header the bytes after it then need.
void writeStretch(IpsWriter &writer, const QByteArray &edited, qsizetype begin, qsizetype end)
{
    qsizetype plainStart = begin;
    qsizetype run = begin;
    while (run < end) {
        qsizetype runEnd = run + 1;
        while (runEnd < end && edited[runEnd] == edited[run])
            ++runEnd;
        const qsizetype length = runEnd - run;
        const bool atStart = run == plainStart;
        const bool atEnd = runEnd == end;
        // Bytes inline cost `length`; an RLE record costs its own size, plus a header for
        // the plain bytes after it, minus the header the plain bytes before it no longer
        // share with those after.
        const qsizetype rleCost =
            kRleBytes + (atEnd ? 0 : kHeaderBytes) - (atStart ? kHeaderBytes : 0);
        if (length > rleCost) {
            writer.plain(plainStart, run);
            writer.rle(run, length);
            plainStart = runEnd;
        }
        run = runEnd;
    }
    writer.plain(plainStart, end);
}

} // namespace

std::variant<IpsPatch, QString> makeIpsPatch(const QByteArray &original, const QByteArray &edited)
{
    if (original.size() != edited.size())
        return QStringLiteral("the images differ in length (%1 and %2 bytes); an IPS patch "
                              "here keeps the length")
            .arg(original.size())
            .arg(edited.size());
    if (original.size() > kMaxIpsImageBytes)
        return QStringLiteral("the image is larger than 16 MiB, beyond an IPS patch's offsets");

    IpsWriter writer(edited);
    qsizetype changed = 0;
    const qsizetype size = original.size();
    qsizetype i = 0;
    while (i < size) {
        if (original[i] == edited[i]) {
            ++i;
            continue;
        }
        const qsizetype begin = i;
        qsizetype end = i;
        // Grow the stretch while the next change is less than a header away.
        while (i < size) {
            if (original[i] != edited[i]) {
                ++changed;
                end = ++i;
            } else if (i - end + 1 >= kJoinGap) {
                break;
            } else {
                ++i;
            }
        }
        writeStretch(writer, edited, begin, end);
        i = end;
    }
    IpsPatch patch = writer.finish();
    patch.changedBytes = changed;
    return patch;
}

} // namespace patches
