#include "FuzzEntries.h"

#include "BpsPatch.h"
#include "BpsReader.h"
#include "Crc32.h"
#include "PatchApplication.h"

#include <QString>

namespace fuzzing {

namespace {

// Larger images cost the fuzzer time without reaching anything new.
constexpr qint64 kMaxFuzzImageBytes = 1024 * 1024;
constexpr qsizetype kFooterBytes = 12;

QByteArray knownBytes(qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 131 + 7);
    return bytes;
}

// `body` with the given CRC-32s of its images and its own.
QByteArray withChecksums(const QByteArray &body, quint32 source, quint32 target)
{
    QByteArray patch = body;
    cli::appendCrc32(patch, source);
    cli::appendCrc32(patch, target);
    cli::appendCrc32(patch, cli::crc32Of(patch));
    return patch;
}

void requireRefusal(const std::variant<QByteArray, cli::PatchRefusal> &applied, const char *rule)
{
    require(std::holds_alternative<cli::PatchRefusal>(applied) &&
                !std::get<cli::PatchRefusal>(applied).reason.isEmpty(),
            rule);
}

bool sameImage(const QByteArray &a, const QByteArray &b)
{
    return a.size() == b.size() && cli::crc32Of(a) == cli::crc32Of(b);
}

} // namespace

// The BPS reader over any bytes. As given, the patch almost never passes its own CRC-32, so
// the entry also gives its bytes before the last 12 the right checksums, for the source of
// the recorded size, to reach the actions: what they build has the recorded size, applying
// the patch gives exactly that, the result is refused as "already patched", and the tool's
// own writer turns the same source into the same target.
void bpsPatch(const std::uint8_t *data, std::size_t size)
{
    const QByteArray patch(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const auto asGiven = cli::applyPatch(patch, knownBytes(256));
    if (const auto *refusal = std::get_if<cli::PatchRefusal>(&asGiven))
        require(!refusal->reason.isEmpty(), "a refused patch says why");
    if (!patch.startsWith("BPS1"))
        return;

    const QByteArray body = patch.size() >= 4 + kFooterBytes ? patch.chopped(kFooterBytes) : patch;
    const auto header = cli::readBpsHeader(withChecksums(body, 0, 0));
    if (const auto *reason = std::get_if<QString>(&header)) {
        require(!reason->isEmpty(), "a refused header says why");
        return;
    }
    const cli::BpsHeader &recorded = std::get<cli::BpsHeader>(header);
    if (recorded.sourceSize > kMaxFuzzImageBytes || recorded.targetSize > kMaxFuzzImageBytes)
        return;
    const QByteArray source = knownBytes(recorded.sourceSize);
    const auto built = cli::runBpsActions(withChecksums(body, 0, 0), recorded, source);
    const quint32 sourceCrc = cli::crc32Of(source);
    if (const auto *reason = std::get_if<QString>(&built)) {
        const auto applied = cli::applyPatch(withChecksums(body, sourceCrc, 0), source);
        require(std::holds_alternative<cli::PatchRefusal>(applied) &&
                    std::get<cli::PatchRefusal>(applied).reason == *reason,
                "apply refuses the actions with their reason");
        return;
    }
    const QByteArray &target = std::get<QByteArray>(built);
    require(target.size() == recorded.targetSize, "the actions build the recorded size");

    const QByteArray checked = withChecksums(body, sourceCrc, cli::crc32Of(target));
    const auto applied = cli::applyPatch(checked, source);
    require(std::holds_alternative<QByteArray>(applied) && std::get<QByteArray>(applied) == target,
            "applying the patch builds the target");
    if (!sameImage(source, target))
        requireRefusal(cli::applyPatch(checked, target), "a patched image is refused");
    requireRefusal(cli::applyPatch(checked, source + 'x'), "another image is refused");

    const cli::BpsPatch made = cli::makeBpsPatch(source, target);
    const auto again = cli::applyPatch(made.bytes, source);
    require(std::holds_alternative<QByteArray>(again) && std::get<QByteArray>(again) == target,
            "our own BPS patch gives the target back");
}

} // namespace fuzzing
