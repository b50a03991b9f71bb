#include "Shape.h"

#include "PictureBox.h"
#include "Twips.h"

#include <QPainter>

namespace host {

Shape::Shape(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

int Shape::Left() const
{
    return m_left;
}
int Shape::Top() const
{
    return m_top;
}

// The shape sits in its container's inner area, which starts one frame pixel in.
void Shape::setLeft(int twips)
{
    m_left = twips;
    move(twipsToPixels(twips) + 1, y());
}

void Shape::setTop(int twips)
{
    m_top = twips;
    move(x(), twipsToPixels(twips) + 1);
}

void Shape::setSize(int widthTwips, int heightTwips)
{
    resize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
}

void Shape::setBorderWidth(int pixels)
{
    m_borderWidth = pixels;
    update();
}

void Shape::setBorderColor(OleColor color)
{
    m_borderColor = color;
    update();
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Like any child of a picture box, the shape shows only inside the box's inner area,
    // never over its frame.
    if (qobject_cast<const PictureBox *>(parentWidget()))
        painter.setClipRect(
            QRect(-x() + 1, -y() + 1, parentWidget()->width() - 2, parentWidget()->height() - 2));
    const QColor color = QColor::fromRgb(toQRgb(translateOrBlack(m_borderColor)));
    const int w = m_borderWidth;
    painter.fillRect(0, 0, width(), w, color);
    painter.fillRect(0, height() - w, width(), w, color);
    painter.fillRect(0, 0, w, height(), color);
    painter.fillRect(width() - w, 0, w, height(), color);
}

} // namespace host

#include "moc_Shape.cpp"
