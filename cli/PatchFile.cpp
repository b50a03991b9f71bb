#include "PatchFile.h"

#include "CommandFiles.h"
#include "PatchFormat.h"

namespace cli {

std::optional<QString> readPatchFile(const QString &path, QByteArray &bytes)
{
    return readInputFile(path, patches::kMaxPatchBytes, QStringLiteral("not a patch"), bytes);
}

} // namespace cli
