#include "ReferenceImage.h"

#include "CartridgeFile.h"
#include "FileMessages.h"
#include "ImageDocument.h"
#include "PatchApplication.h"
#include "PatchFormat.h"

#include <QFileInfo>

namespace app {

namespace {

bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo first(a);
    const QFileInfo second(b);
    const QString canonical = first.canonicalFilePath();
    return canonical.isEmpty() ? first.absoluteFilePath() == second.absoluteFilePath()
                               : canonical == second.canonicalFilePath();
}

QString unchangedNote()
{
    return QStringLiteral("\n比较的对象保持不变。");
}

} // namespace

ReferenceImage::ReferenceImage(Kind kind, core::Cartridge image, QString name, QString imagePath)
    : m_kind(kind), m_image(std::move(image)), m_name(std::move(name)),
      m_imagePath(std::move(imagePath))
{
}

ReferenceImage ReferenceImage::savedFileOf(const ImageDocument &document)
{
    return ReferenceImage(Kind::SavedFile, core::Cartridge(document.fileBytes()),
                          QFileInfo(document.path()).fileName(), document.path());
}

bool ReferenceImage::isSavedFileOf(const ImageDocument &document) const
{
    // The document's file bytes are replaced, never changed in place: the reference shares
    // them for as long as they are the same bytes.
    return m_kind == Kind::SavedFile && m_imagePath == document.path() &&
           m_image.RomData().constData() == document.fileBytes().constData() &&
           m_image.RomData().size() == document.fileBytes().size();
}

std::variant<ReferenceImage, QString> ReferenceImage::read(const QString &path,
                                                           const ImageDocument &document)
{
    if (sameFile(path, document.path()))
        return savedFileOf(document);
    auto read = core::readCartridge(path);
    if (const auto *failure = std::get_if<fileio::FileError>(&read))
        return core::readFailureMessage(path, *failure) + unchangedNote();
    const QByteArray &bytes = std::get<QByteArray>(read);
    const QString imageName = QFileInfo(document.path()).fileName();
    if (patches::patchFormatOfContents(bytes)) {
        // The patch is taken as `tarvos-cli apply` takes it, and refused in its words.
        const auto applied = patches::applyPatch(bytes, document.fileBytes());
        if (const auto *refusal = std::get_if<patches::PatchRefusal>(&applied))
            return QStringLiteral("无法用补丁“%1”作比较：\n%2: %3")
                       .arg(core::fileDisplayPath(path),
                            refusal->concernsImage ? document.path() : path, refusal->reason) +
                   unchangedNote();
        return ReferenceImage(Kind::Patched, core::Cartridge(std::get<QByteArray>(applied)),
                              QStringLiteral("%1 + %2").arg(imageName, QFileInfo(path).fileName()),
                              document.path());
    }
    core::Cartridge image(bytes);
    if (!image.hasChapters())
        return QStringLiteral("无法与文件“%1”比较：它既不是装得下25个关卡地图目录的ROM，"
                              "也不是IPS或BPS补丁。")
                   .arg(core::fileDisplayPath(path)) +
               unchangedNote();
    return ReferenceImage(Kind::OtherImage, std::move(image), QFileInfo(path).fileName(),
                          document.path());
}

} // namespace app
