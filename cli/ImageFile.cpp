#include "ImageFile.h"

#include "CartridgeFile.h"
#include "CommandFiles.h"
#include "FileFailureReason.h"

#include <QFileInfo>

namespace cli {

// An image of the same length or longer goes through the editor's save, as import's does.
// That save never shortens a file (it keeps whatever lies beyond the bytes it writes), so
// a shorter image goes to a new file beside the one the path leads to, links followed,
// which then takes that file's place.
std::optional<QString> replaceImageFile(const QString &path, const QByteArray &bytes,
                                        qsizetype oldLength)
{
    if (bytes.size() >= oldLength) {
        if (const auto failure = core::writeCartridge(path, bytes))
            return saveFailureReason(*failure);
        return std::nullopt;
    }
    if (!QFileInfo(path).isWritable())
        return QStringLiteral("the file is read-only");
    return writeOutputFile(path, bytes);
}

} // namespace cli
