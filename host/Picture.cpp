#include "Picture.h"

#include "BitmapFile.h"
#include "RuntimeError.h"

#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cmath>

namespace host {

namespace {

std::uintptr_t nextHandle()
{
    static std::atomic<std::uintptr_t> counter{0x1000};
    return counter.fetch_add(4);
}

} // namespace

StdPicture::StdPicture(Type type, QImage image)
    : m_handle(nextHandle()), m_type(type), m_width(pixelsToHimetric(image.width())),
      m_height(pixelsToHimetric(image.height())), m_image(std::move(image))
{
}

Picture StdPicture::makeOfType(Type type, QImage image)
{
    return std::make_shared<StdPicture>(type, std::move(image));
}

double himetricToPixels(std::int32_t himetric) { return himetric * 96.0 / 2540.0; }

std::int32_t pixelsToHimetric(int pixels)
{
    return static_cast<std::int32_t>(std::lround(pixels * 2540.0 / 96.0));
}

Picture LoadPicture() { return std::make_shared<StdPicture>(); }

Picture LoadPicture(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile())
        throw RuntimeError(RuntimeError::FileNotFound, QStringLiteral("File not found: %1").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(RuntimeError::PathFileAccess,
                           QStringLiteral("Path/File access error: %1").arg(path));
    return LoadPicture(file);
}

Picture LoadPicture(QFile &file)
{
    // Tile bitmaps are tiny; anything past the largest bitmap we accept is not a picture.
    // The file's own size bounds the read: a buffer of the largest size for every tile
    // would cost more than the tile itself.
    const qint64 size = file.size();
    if (size > kMaxPictureFileBytes)
        throw RuntimeError::invalidPicture();
    const QByteArray bytes = file.read(size);

    if (bytes.startsWith("BM")) {
        QImage image = decodeBitmap(bytes);
        if (image.isNull())
            throw RuntimeError::invalidPicture();
        return std::make_shared<StdPicture>(StdPicture::Bitmap, std::move(image));
    }
    if (bytes.size() >= 6 && bytes[0] == 0 && bytes[1] == 0 && bytes[2] == 1 && bytes[3] == 0) {
        QImage image = QImage::fromData(bytes, "ICO");
        if (image.isNull())
            throw RuntimeError::invalidPicture();
        return std::make_shared<StdPicture>(StdPicture::Icon,
                                            image.convertToFormat(QImage::Format_ARGB32));
    }
    throw RuntimeError::invalidPicture();
}

} // namespace host
