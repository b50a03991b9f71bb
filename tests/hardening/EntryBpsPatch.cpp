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
    patches::appendCrc32(patch, source);
    patches::appendCrc32(patch, target);
    patches::appendCrc32(patch, patches::crc32Of(patch));
    return patch;
}

void requireRefusal(const std::variant<QByteArray, patches::PatchRefusal> &applied,
                    const char *rule)
{
    require(std::holds_alternative<patches::PatchRefusal>(applied) &&
                !std::get<patches::PatchRefusal>(applied).reason.isEmpty(),
            rule);
}

bool sameImage(const QByteArray &a, const QByteArray &b)
{
    return a.size() == b.size() && patches::crc32Of(a) == patches::crc32Of(b);
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
    const auto asGiven = patches::applyPatch(patch, knownBytes(256));
    if (const auto *refusal = std::get_if<patches::PatchRefusal>(&asGiven))
        require(!refusal->reason.isEmpty(), "a refused patch says why");
    if (!patch.startsWith("BPS1"))
        return;

    const QByteArray body = patch.size() >= 4 + kFooterBytes ? patch.chopped(kFooterBytes) : patch;
    const auto header = patches::readBpsHeader(withChecksums(body, 0, 0));
    if (const auto *reason = std::get_if<QString>(&header)) {
        require(!reason->isEmpty(), "a refused header says why");
        return;
    }
    const patches::BpsHeader &recorded = std::get<patches::BpsHeader>(header);
    if (recorded.sourceSize > kMaxFuzzImageBytes || recorded.targetSize > kMaxFuzzImageBytes)
        return;
    const QByteArray source = knownBytes(recorded.sourceSize);
    const auto built = patches::runBpsActions(withChecksums(body, 0, 0), recorded, source);
    const quint32 sourceCrc = patches::crc32Of(source);
    if (const auto *reason = std::get_if<QString>(&built)) {
        const auto applied = patches::applyPatch(withChecksums(body, sourceCrc, 0), source);
        require(std::holds_alternative<patches::PatchRefusal>(applied) &&
                    std::get<patches::PatchRefusal>(applied).reason == *reason,
                "apply refuses the actions with their reason");
        return;
    }
    const QByteArray &target = std::get<QByteArray>(built);
    require(target.size() == recorded.targetSize, "the actions build the recorded size");

    const QByteArray checked = withChecksums(body, sourceCrc, patches::crc32Of(target));
    const auto applied = patches::applyPatch(checked, source);
    require(std::holds_alternative<QByteArray>(applied) && std::get<QByteArray>(applied) == target,
            "applying the patch builds the target");
    if (!sameImage(source, target))
        requireRefusal(patches::applyPatch(checked, target), "a patched image is refused");
    requireRefusal(patches::applyPatch(checked, source + 'x'), "another image is refused");

    const patches::BpsPatch made = patches::makeBpsPatch(source, target);
    const auto again = patches::applyPatch(made.bytes, source);
    require(std::holds_alternative<QByteArray>(again) && std::get<QByteArray>(again) == target,
            "our own BPS patch gives the target back");
}

} // namespace fuzzing
