#pragma once

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>

namespace host {

// A picture object of the runtime: a handle (0 for the empty picture), a type and a size
// in HIMETRIC units (hundredths of a millimetre). Bitmaps carry their pixels, icons their
// image with its own transparency.
class StdPicture {
public:
    enum Type : std::int16_t { None = 0, Bitmap = 1, Metafile = 2, Icon = 3, EnhMetafile = 4 };

    StdPicture() = default;
    StdPicture(Type type, QImage image);

    std::uintptr_t Handle() const { return m_handle; }
    std::int16_t pictureType() const { return m_type; }
    std::int32_t Width() const { return m_width; }   // HIMETRIC
    std::int32_t Height() const { return m_height; } // HIMETRIC
    const QImage &image() const { return m_image; }
    bool isEmpty() const { return m_handle == 0; }

    // A picture of a type this host cannot draw, for exercising the callers' refusal.
    static std::shared_ptr<StdPicture> makeOfType(Type type, QImage image);

private:
    std::uintptr_t m_handle = 0;
    std::int16_t m_type = None;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    QImage m_image;
};

using Picture = std::shared_ptr<StdPicture>;

// HIMETRIC to pixels at 96 dots per inch, as the runtime's ScaleX does.
double himetricToPixels(std::int32_t himetric);
std::int32_t pixelsToHimetric(int pixels);

// The runtime's LoadPicture: without a path, the empty picture (handle 0). With a path,
// the bitmap or icon in that file; a file that is missing, unreadable or not a picture
// this host accepts raises RuntimeError 481 (invalid picture) or 53 (file not found).
Picture LoadPicture();
Picture LoadPicture(const QString &path);
// What LoadPicture(path) reads once it has opened the file: the picture in a file already
// open for reading, or RuntimeError 481.
Picture LoadPicture(QFile &file);

} // namespace host
