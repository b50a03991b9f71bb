#include "SideFileRecord.h"

#include <QCryptographicHash>
#include <QDir>
#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>

namespace fileio {

namespace {

const QByteArray kFormatLine = QByteArrayLiteral("tarvos side file record 1");
const QByteArray kEndLine = QByteArrayLiteral("end");
// Far more than a record of the longest path takes; a larger file is no record of ours.
constexpr qint64 kMaxRecordBytes = 64 * 1024;
// Characters that a path keeps as they are in a record, so that a person reads it.
const QByteArray kPlainPathCharacters = QByteArrayLiteral("/:");

QByteArray purposeName(SideFileRecord::Purpose purpose)
{
    switch (purpose) {
    case SideFileRecord::Purpose::Temporary:
        break;
    case SideFileRecord::Purpose::Backup:
        return QByteArrayLiteral("backup");
    }
    return QByteArrayLiteral("temporary");
}

std::optional<SideFileRecord::Purpose> purposeNamed(const QByteArray &name)
{
    for (const auto purpose : {SideFileRecord::Purpose::Temporary, SideFileRecord::Purpose::Backup})
        if (name == purposeName(purpose))
            return purpose;
    return std::nullopt;
}

QByteArray stateText(const std::optional<FileIdentity> &state)
{
    if (!state)
        return QByteArrayLiteral("none");
    return QByteArray::number(state->device) + ' ' + QByteArray::number(state->inode) + ' ' +
           QByteArray::number(state->size) + ' ' + QByteArray::number(state->modifiedSeconds) +
           ' ' + QByteArray::number(state->modifiedNanoseconds) + ' ' +
           QByteArray::number(state->changedSeconds) + ' ' +
           QByteArray::number(state->changedNanoseconds);
}

// The state `text` holds: nothing in it where it says "none", nothing at all where it is
// not a state.
std::optional<std::optional<FileIdentity>> stateOf(const QByteArray &text)
{
    if (text == "none")
        return std::optional<FileIdentity>();
    const QList<QByteArray> fields = text.split(' ');
    if (fields.size() != 7)
        return std::nullopt;
    bool whole = true;
    auto unsignedField = [&](int i) {
        bool ok = false;
        const std::uint64_t value = fields[i].toULongLong(&ok);
        whole = whole && ok;
        return value;
    };
    auto signedField = [&](int i) {
        bool ok = false;
        const std::int64_t value = fields[i].toLongLong(&ok);
        whole = whole && ok;
        return value;
    };
    const FileIdentity state{unsignedField(0), unsignedField(1), signedField(2), signedField(3),
                             signedField(4),   signedField(5),   signedField(6), true};
    if (!whole)
        return std::nullopt;
    return std::optional<FileIdentity>(state);
}

QByteArray pathText(const QString &path)
{
    return path.toUtf8().toPercentEncoding(kPlainPathCharacters);
}

QString pathOf(const QByteArray &text)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(text));
}

// The path's folder and name as FileLocation::path() joined them.
FileLocation locationOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return {path.left(slash), path.mid(slash + 1)};
}

// A side file lies in its record's folder: its name is one name, never a way elsewhere.
bool isPlainName(const QString &name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(QLatin1Char('/')) &&
           !name.contains(QLatin1Char('\\'));
}

QString recordName()
{
    return QStringLiteral(".tarvos-%1.record").arg(randomNameTag());
}

bool isRecordName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^\\.tarvos-[0-9a-f]{8}\\.record$"));
    return pattern.match(name).hasMatch();
}

} // namespace

SideFileRecord SideFileRecord::of(Purpose purpose, const FileLocation &image,
                                  const std::optional<FileIdentity> &imageState,
                                  const QString &sideName, const QByteArray &bytes)
{
    return {purpose,  image,        imageState,
            sideName, bytes.size(), QCryptographicHash::hash(bytes, QCryptographicHash::Sha256)};
}

QByteArray SideFileRecord::encode() const
{
    return kFormatLine + "\npurpose " + purposeName(purpose) + "\nimage " + pathText(image.path()) +
           "\nimage-state " + stateText(imageState) + "\nside " + pathText(sideName) + "\nlength " +
           QByteArray::number(length) + "\nsha256 " + sha256.toHex() + '\n' + kEndLine + '\n';
}

std::optional<SideFileRecord> SideFileRecord::decode(const QByteArray &text)
{
    QList<QByteArray> lines = text.split('\n');
    // The text ends with a line break, after which split finds one empty line.
    if (lines.size() < 3 || lines.takeFirst() != kFormatLine || lines.takeLast() != "" ||
        lines.takeLast() != kEndLine)
        return std::nullopt;
    QHash<QByteArray, QByteArray> values;
    for (const QByteArray &line : lines) {
        const qsizetype space = line.indexOf(' ');
        if (space <= 0 || values.contains(line.left(space)))
            return std::nullopt;
        values.insert(line.left(space), line.mid(space + 1));
    }
    const auto purpose = purposeNamed(values.value("purpose"));
    const auto state = stateOf(values.value("image-state"));
    bool lengthRead = false;
    SideFileRecord record;
    record.length = values.value("length").toLongLong(&lengthRead);
    record.sha256 = QByteArray::fromHex(values.value("sha256"));
    record.image = locationOf(pathOf(values.value("image")));
    record.sideName = pathOf(values.value("side"));
    if (values.size() != 6 || !purpose || !state || !lengthRead || record.length < 0 ||
        record.sha256.size() != QCryptographicHash::hashLength(QCryptographicHash::Sha256) ||
        record.image.name.isEmpty() || !isPlainName(record.sideName))
        return std::nullopt;
    record.purpose = *purpose;
    record.imageState = *state;
    return record;
}

bool SideFileRecord::matches(const QByteArray &bytes) const
{
    return bytes.size() == length &&
           QCryptographicHash::hash(bytes, QCryptographicHash::Sha256) == sha256;
}

bool SideFileRecord::madeFor(const FileIdentity &state) const
{
    return !imageState || (imageState->device == state.device && imageState->inode == state.inode);
}

QString randomNameTag()
{
    return QStringLiteral("%1").arg(QRandomGenerator::global()->generate(), 8, 16,
                                    QLatin1Char('0'));
}

std::variant<FileLocation, int> writeRecord(FileOperations &files, const QString &folder,
                                            const SideFileRecord &record)
{
    const QByteArray text = record.encode();
    int error = EEXIST;
    for (int attempt = 0; attempt < kMaxNameTries && error == EEXIST; ++attempt) {
        const FileLocation place{folder, recordName()};
        const std::unique_ptr<WriteHandle> file =
            files.create(place, NewFileAccess::Private, record.image, error);
        if (!file)
            continue;
        qint64 written = 0;
        error = file->write(0, text, written);
        if (error == 0 && written != text.size())
            error = ENOSPC;
        if (error == 0)
            error = file->sync();
        const int closed = file->close();
        if (error == 0)
            error = closed;
        if (error != 0) {
            files.remove(place);
            return error;
        }
        // Its name on the disk before the side file's: where the folder cannot be synced, a
        // power loss may leave a side file without its record, which is then only ever left
        // alone, as a user's file is.
        files.syncFolder(folder);
        return place;
    }
    return error;
}

std::vector<StoredRecord> recordsIn(FileOperations &files, const QString &folder)
{
    std::vector<StoredRecord> records;
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString &name : names) {
        if (!isRecordName(name))
            continue;
        const FileLocation place{folder, name};
        const auto found = files.status(place);
        const auto *status = std::get_if<PathStatus>(&found);
        if (!status || status->kind != PathStatus::Kind::File || status->id.size > kMaxRecordBytes)
            continue;
        const auto text = files.readFrom(place, 0);
        const auto *bytes = std::get_if<QByteArray>(&text);
        if (!bytes)
            continue;
        if (auto record = SideFileRecord::decode(*bytes))
            records.push_back({place, std::move(*record), status->id.modifiedSeconds});
    }
    return records;
}

} // namespace fileio
