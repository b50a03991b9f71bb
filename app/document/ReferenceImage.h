#pragma once

#include "Cartridge.h"

#include <QString>

#include <variant>

namespace app {

class ImageDocument;

// What the marks of changed cells compare the open image with: the file as last read or
// written (at first), another cartridge image such as the untouched original, or the open
// image's file with an IPS or BPS patch applied in memory. Read once, never written.
class ReferenceImage {
public:
    enum class Kind { SavedFile, OtherImage, Patched };

    // The open image's file as last read or written.
    static ReferenceImage savedFileOf(const ImageDocument &document);
    // The image or patch at `path`, told apart by its first bytes; the open image's own file
    // is its saved file. A message that says why, where it cannot be used.
    static std::variant<ReferenceImage, QString> read(const QString &path,
                                                      const ImageDocument &document);

    Kind kind() const { return m_kind; }
    const core::Cartridge &image() const { return m_image; }
    // How the caption names it: a file name, or the image's and the patch's.
    const QString &name() const { return m_name; }
    // The path of the image it was taken for: opening another returns to its saved file.
    const QString &imagePath() const { return m_imagePath; }
    // Whether it is the document's saved file as it still is: a save or a read-in gives the
    // document other file bytes.
    bool isSavedFileOf(const ImageDocument &document) const;

private:
    ReferenceImage(Kind kind, core::Cartridge image, QString name, QString imagePath);

    Kind m_kind = Kind::SavedFile;
    core::Cartridge m_image;
    QString m_name;
    QString m_imagePath;
};

} // namespace app
