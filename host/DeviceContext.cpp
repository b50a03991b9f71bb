#include "DeviceContext.h"

namespace host
{

DeviceContext::DeviceContext(QImage *surface) : m_window(surface), m_bkMode(TRANSPARENT) {}

QImage *DeviceContext::surface()
{
    if (m_window)
        return m_window;
    if (m_picture)
        return &m_pictureImage;
    GdiBitmap *bitmap = findBitmap(m_bitmap);
    return bitmap ? &bitmap->image : nullptr;
}

void DeviceContext::setBitmap(HBITMAP bitmap)
{
    m_bitmap = bitmap;
    m_picture.reset();
    m_pictureImage = QImage();
}

void DeviceContext::setBitmap(const Picture &picture)
{
    m_bitmap = {};
    m_picture = picture;
    m_pictureImage = picture->image().convertToFormat(QImage::Format_RGB32);
}

} // namespace host
