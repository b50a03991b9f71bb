#include "ImageControl.h"

#include <QPainter>

namespace host {

ImageControl::ImageControl(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ImageControl::setPicture(Picture picture)
{
    m_picture = std::move(picture);
    update();
}

void ImageControl::setBorder(bool on)
{
    m_border = on;
    update();
}

void ImageControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int frame = m_border ? 1 : 0;
    if (hasImage())
        painter.drawImage(rect().adjusted(frame, frame, -frame, -frame), m_picture->image());
    if (m_border) {
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

} // namespace host

#include "moc_ImageControl.cpp"
