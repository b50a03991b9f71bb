#include "ImageFile.h"

#include "FileFailureReason.h"
#include "UserFileWriter.h"

namespace cli {

// A patch may shorten the image, so the file takes exactly the patched bytes; the editor's
// save, which keeps what lies beyond, is for map edits of the same length.
std::optional<QString> replaceImageFile(const QString &path, const QByteArray &bytes)
{
    if (const auto failure = core::writeUserFile(path, bytes, core::WriteLength::Exact))
        return saveFailureReason(*failure);
    return std::nullopt;
}

} // namespace cli
