#include "JournalFormat.h"

#include <QCryptographicHash>
#include <QtEndian>

#include <algorithm>

namespace fileio::journal {

namespace {

constexpr qsizetype kLengthBytes = 4;
constexpr qsizetype kKindBytes = 1;
constexpr qsizetype kChecksumBytes = 8;
// One change: offset, code before, code after.
constexpr qsizetype kChangeBytes = 8 + 1 + 1;

// Numbers and texts appended in the journal's byte order.
class Writer {
public:
    explicit Writer(qsizetype expected) { m_bytes.reserve(expected); }
    template <typename T> void number(T value)
    {
        char little[sizeof(T)];
        qToLittleEndian(value, little);
        m_bytes.append(little, sizeof(T));
    }
    void bytes(const QByteArray &data)
    {
        number(static_cast<quint32>(data.size()));
        m_bytes.append(data);
    }
    void text(const QString &value) { bytes(value.toUtf8()); }
    QByteArray take() { return std::move(m_bytes); }

private:
    QByteArray m_bytes;
};

// The same read back, every read checked against the payload's end.
class Reader {
public:
    explicit Reader(const QByteArray &bytes) : m_bytes(bytes) {}
    template <typename T> bool number(T &value)
    {
        if (left() < qsizetype{sizeof(T)})
            return false;
        value = qFromLittleEndian<T>(m_bytes.constData() + m_at);
        m_at += sizeof(T);
        return true;
    }
    bool bytes(QByteArray &data)
    {
        quint32 size = 0;
        if (!number(size) || left() < qsizetype{size})
            return false;
        data = m_bytes.mid(m_at, size);
        m_at += size;
        return true;
    }
    bool text(QString &value)
    {
        QByteArray utf8;
        if (!bytes(utf8))
            return false;
        value = QString::fromUtf8(utf8);
        return true;
    }
    qsizetype left() const { return m_bytes.size() - m_at; }
    bool atEnd() const { return left() == 0; }

private:
    const QByteArray &m_bytes;
    qsizetype m_at = 0;
};

QByteArray checksum(QByteArrayView framed)
{
    return QCryptographicHash::hash(framed, QCryptographicHash::Sha256).left(kChecksumBytes);
}

} // namespace

QByteArray signature()
{
    return QByteArrayLiteral("TARVOS recovery journal 1\n");
}

QByteArray record(RecordKind kind, const QByteArray &payload)
{
    Writer framed(kLengthBytes + kKindBytes + payload.size() + kChecksumBytes);
    framed.number(static_cast<quint32>(payload.size()));
    framed.number(static_cast<quint8>(kind));
    QByteArray bytes = framed.take();
    bytes.append(payload);
    bytes.append(checksum(bytes));
    return bytes;
}

QByteArray encodeHeader(const Header &header)
{
    Writer out(256);
    out.text(header.imagePath);
    const FileIdentity state = header.imageState.value_or(FileIdentity{});
    out.number(static_cast<quint8>(header.imageState.has_value()));
    out.number(state.device);
    out.number(state.inode);
    out.number(state.size);
    out.number(state.modifiedSeconds);
    out.number(state.modifiedNanoseconds);
    out.number(state.changedSeconds);
    out.number(state.changedNanoseconds);
    out.number(static_cast<quint8>(state.regularFile));
    out.number(header.baseLength);
    out.bytes(header.baseSha256);
    out.number(header.startedAt);
    out.bytes(header.baseLayout);
    return out.take();
}

std::optional<Header> decodeHeader(const QByteArray &payload)
{
    Reader in(payload);
    Header header;
    FileIdentity state;
    quint8 hasState = 0;
    quint8 regular = 0;
    if (!in.text(header.imagePath) || !in.number(hasState) || !in.number(state.device) ||
        !in.number(state.inode) || !in.number(state.size) || !in.number(state.modifiedSeconds) ||
        !in.number(state.modifiedNanoseconds) || !in.number(state.changedSeconds) ||
        !in.number(state.changedNanoseconds) || !in.number(regular) ||
        !in.number(header.baseLength) || !in.bytes(header.baseSha256) ||
        !in.number(header.startedAt) || hasState > 1 || regular > 1)
        return std::nullopt;
    // A header without a layout, as the first journals were written, tells none.
    if (!in.atEnd() && !in.bytes(header.baseLayout))
        return std::nullopt;
    if (!in.atEnd())
        return std::nullopt;
    state.regularFile = regular == 1;
    if (hasState == 1)
        header.imageState = state;
    return header;
}

QByteArray encodeOwner(const JournalOwner &owner)
{
    Writer out(64);
    out.number(owner.processId);
    out.text(owner.host);
    out.number(owner.processStart);
    return out.take();
}

std::optional<JournalOwner> decodeOwner(const QByteArray &payload)
{
    Reader in(payload);
    JournalOwner owner;
    if (!in.number(owner.processId) || !in.text(owner.host) || !in.number(owner.processStart) ||
        !in.atEnd())
        return std::nullopt;
    return owner;
}

QByteArray encodeStep(const JournalStep &step)
{
    const QByteArray name = step.name.toUtf8();
    Writer out(32 + name.size() + qsizetype(step.changes.size()) * kChangeBytes);
    out.number(static_cast<quint8>(step.kind));
    out.number(step.chapter);
    out.number(step.madeAt);
    out.bytes(name);
    out.number(static_cast<quint32>(step.changes.size()));
    for (const JournalChange &change : step.changes) {
        out.number(change.offset);
        out.number(change.before);
        out.number(change.after);
    }
    return out.take();
}

std::optional<JournalStep> decodeStep(const QByteArray &payload)
{
    Reader in(payload);
    JournalStep step;
    quint8 kind = 0;
    quint32 count = 0;
    if (!in.number(kind) || kind < quint8(JournalStep::Kind::Do) ||
        kind > quint8(JournalStep::Kind::Merge) || !in.number(step.chapter) ||
        !in.number(step.madeAt) || !in.text(step.name) || !in.number(count) ||
        in.left() != qsizetype{count} * kChangeBytes)
        return std::nullopt;
    step.kind = static_cast<JournalStep::Kind>(kind);
    step.changes.resize(count);
    for (JournalChange &change : step.changes)
        if (!in.number(change.offset) || !in.number(change.before) || !in.number(change.after) ||
            change.offset < 0)
            return std::nullopt;
    return step;
}

Scan scanRecords(const QByteArray &bytes, qsizetype from)
{
    Scan scan;
    qsizetype at = from;
    while (at < bytes.size()) {
        // A cut-off write that the system filled out with zeros (after a power loss).
        if (std::all_of(bytes.cbegin() + at, bytes.cend(), [](char b) { return b == 0; })) {
            scan.end = Scan::End::Torn;
            break;
        }
        const qsizetype left = bytes.size() - at;
        constexpr qsizetype kFrame = kLengthBytes + kKindBytes + kChecksumBytes;
        if (left < kFrame) {
            scan.end = Scan::End::Torn;
            break;
        }
        const auto length = qsizetype{qFromLittleEndian<quint32>(bytes.constData() + at)};
        if (length > left - kFrame) {
            scan.end = Scan::End::Torn;
            break;
        }
        const qsizetype framed = kLengthBytes + kKindBytes + length;
        const QByteArrayView whole(bytes.constData() + at, framed);
        if (checksum(whole) != QByteArrayView(bytes.constData() + at + framed, kChecksumBytes)) {
            // A cut-off write ends the file; bytes after a bad record are no such tail.
            scan.end =
                at + framed + kChecksumBytes == bytes.size() ? Scan::End::Torn : Scan::End::Damaged;
            break;
        }
        const auto kind = static_cast<RecordKind>(bytes.at(at + kLengthBytes));
        scan.records.push_back({kind, bytes.mid(at + kLengthBytes + kKindBytes, length)});
        at += framed + kChecksumBytes;
    }
    return scan;
}

} // namespace fileio::journal
