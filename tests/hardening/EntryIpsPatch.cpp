#include "FuzzEntries.h"

#include "IpsApply.h"
#include "IpsPatch.h"
#include "IpsReader.h"
#include "PatchApplication.h"

#include <QString>

namespace fuzzing {

namespace {

// The image a patch meets: 4 KiB whose bytes are known.
QByteArray fuzzImage()
{
    QByteArray image(4096, '\0');
    for (qsizetype i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>(i * 7 + 3);
    return image;
}

} // namespace

// The IPS reader over any bytes: every record it reads lies inside the patch and inside
// 16 MiB; the tool's apply refuses what the reader refuses and otherwise writes exactly the
// records, as an independent reading of the format does where that one applies; and the
// tool's own writer gives back any image of the same length.
void ipsPatch(const std::uint8_t *data, std::size_t size)
{
    const QByteArray patch(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QByteArray image = fuzzImage();
    const auto read = patches::readIpsPatch(patch);
    const auto applied = patches::applyPatch(patch, image);
    if (const auto *reason = std::get_if<QString>(&read)) {
        require(!reason->isEmpty(), "a refused patch says why");
        require(std::holds_alternative<patches::PatchRefusal>(applied),
                "apply refuses what the reader refuses");
        return;
    }
    const patches::IpsContents &contents = std::get<patches::IpsContents>(read);
    for (const patches::IpsRecord &record : contents.records) {
        require(record.size >= 1 && record.offset >= 0 &&
                    record.offset + record.size <= patches::kMaxIpsImageBytes,
                "a record lies inside 16 MiB");
        require(record.rle || (record.dataAt >= 0 && record.dataAt + record.size <= patch.size()),
                "a record's bytes lie inside the patch");
    }
    if (const auto *refusal = std::get_if<patches::PatchRefusal>(&applied)) {
        require(!refusal->reason.isEmpty() && contents.truncatedLength.has_value(),
                "only a cut past the image's end is refused once the patch is read");
        return;
    }
    const QByteArray &result = std::get<QByteArray>(applied);
    std::vector<cli_testing::Record> records;
    if (const auto expected = cli_testing::applyIps(patch, image, records))
        require(*expected == result, "the records are written as the format says");
    if (result.size() == image.size()) {
        const auto made = patches::makeIpsPatch(image, result);
        require(std::holds_alternative<patches::IpsPatch>(made), "our writer takes the image");
        const auto again = patches::applyPatch(std::get<patches::IpsPatch>(made).bytes, image);
        require(std::holds_alternative<QByteArray>(again) && std::get<QByteArray>(again) == result,
                "our own IPS patch gives the image back");
    }
}

} // namespace fuzzing
