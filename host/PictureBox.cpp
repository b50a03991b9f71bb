#include "PictureBox.h"

#include "RuntimeError.h"
#include "Twips.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cstring>

namespace host {

namespace {

// Whether `target` is `source` times 2, 3 or 4, or halved, on both axes: sizes whose nearest
// pixels are whole rows and columns of the source.
bool nearestScale(QSize source, QSize target)
{
    if (source.isEmpty())
        return false;
    if (target * 2 == source)
        return true;
    const int factor = target.width() / source.width();
    return factor >= 2 && factor <= 4 && target == source * factor;
}

} // namespace

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureBox::setBackColor(OleColor color)
{
    m_backColor = color;
    Cls();
}

const QImage &PictureBox::image() const
{
    fitImage();
    return m_image;
}

void PictureBox::Cls()
{
    fitImage();
    const QRgb background = toQRgb(translateOrBlack(m_backColor));
    if (background != m_inkBackground)
        m_ink = m_image.rect();
    if (m_ink.isEmpty())
        return;
    if (m_ink == m_image.rect()) {
        m_image.fill(background);
    } else {
        const auto first = reinterpret_cast<QRgb *>(m_image.scanLine(m_ink.top())) + m_ink.left();
        std::fill(first, first + m_ink.width(), background);
        const auto bytes = static_cast<std::size_t>(m_ink.width()) * sizeof(QRgb);
        for (int row = m_ink.top() + 1; row <= m_ink.bottom(); ++row)
            std::memcpy(reinterpret_cast<QRgb *>(m_image.scanLine(row)) + m_ink.left(), first,
                        bytes);
    }
    update(m_ink.translated(kFrame, kFrame));
    m_ink = QRect();
    m_inkBackground = background;
}

void PictureBox::PaintPicture(const Picture &picture, double x, double y, double width,
                              double height)
{
    if (!picture || picture->isEmpty() || picture->image().isNull())
        throw RuntimeError::invalidPicture();
    const QRectF target(x / kTwipsPerPixel, y / kTwipsPerPixel, width / kTwipsPerPixel,
                        height / kTwipsPerPixel);
    fitImage();
    // Cells of a large map lie beyond the inner area; drawing them would change no pixel.
    if (!target.intersects(QRectF(m_image.rect())))
        return;
    const QImage &source = picture->image();
    const QRect aligned = target.toRect();
    if (source.format() == QImage::Format_RGB32 && m_image.format() == QImage::Format_RGB32 &&
        QRectF(aligned) == target && aligned.size() == source.size()) {
        // An opaque picture at its own size on whole pixels is a copy of its rows; a painter
        // for each of a map's cells costs more than the copy.
        const QRect visible = aligned & m_image.rect();
        const auto bytes = static_cast<std::size_t>(visible.width()) * sizeof(QRgb);
        for (int row = visible.top(); row <= visible.bottom(); ++row)
            std::memcpy(reinterpret_cast<QRgb *>(m_image.scanLine(row)) + visible.left(),
                        reinterpret_cast<const QRgb *>(source.constScanLine(row - aligned.top())) +
                            (visible.left() - aligned.left()),
                        bytes);
    } else if (source.format() == QImage::Format_RGB32 &&
               m_image.format() == QImage::Format_RGB32 && QRectF(aligned) == target &&
               nearestScale(source.size(), aligned.size())) {
        // A zoomed map's cells: whole multiples, or half, of the picture's size. The pixel
        // each target pixel takes is the one Qt's painter takes without smoothing.
        const QRect visible = aligned & m_image.rect();
        for (int row = visible.top(); row <= visible.bottom(); ++row) {
            const int sourceRow = (row - aligned.top()) * source.height() / aligned.height();
            const auto *from = reinterpret_cast<const QRgb *>(source.constScanLine(sourceRow));
            auto *to = reinterpret_cast<QRgb *>(m_image.scanLine(row));
            for (int column = visible.left(); column <= visible.right(); ++column)
                to[column] = from[(column - aligned.left()) * source.width() / aligned.width()];
        }
    } else {
        QPainter painter(&m_image);
        painter.drawImage(target, source);
    }
    const QRect touched = target.toAlignedRect() & m_image.rect();
    m_ink |= touched;
    update(touched.translated(kFrame, kFrame));
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    // Rectangle by rectangle: through a clip of several rectangles (the map with the
    // scroll bars shown or hidden over it) Qt draws a picture row by row on a pool of
    // threads and waits for them, where one rectangle is a plain copy.
    const QImage &inner = image();
    const QRect innerArea(QPoint(kFrame, kFrame), inner.size());
    for (const QRect &area : event->region()) {
        const QRect shown = area & innerArea;
        if (shown.isEmpty())
            continue;
        painter.setClipRect(shown);
        painter.drawImage(shown.topLeft(), inner, shown.translated(-kFrame, -kFrame));
    }
}

void PictureBox::resizeEvent(QResizeEvent *)
{
    fitImage();
}

void PictureBox::fitImage() const
{
    const QSize inner(std::max(0, width() - 2 * kFrame), std::max(0, height() - 2 * kFrame));
    if (m_image.size() == inner)
        return;
    QImage image(inner, QImage::Format_RGB32);
    image.fill(toQRgb(translateOrBlack(m_backColor)));
    if (!m_image.isNull()) {
        QPainter p(&image);
        p.drawImage(0, 0, m_image);
    }
    m_image = image;
    // What the old image held is not known here to be one colour.
    m_ink = m_image.rect();
}

short mouseButtonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

short mouseButtonsCode(Qt::MouseButtons buttons)
{
    short code = 0;
    if (buttons & Qt::LeftButton)
        code |= 1;
    if (buttons & Qt::RightButton)
        code |= 2;
    if (buttons & Qt::MiddleButton)
        code |= 4;
    return code;
}

short shiftCode(Qt::KeyboardModifiers modifiers)
{
    short code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}

void PictureBox::emitMouse(void (PictureBox::*signal)(short, short, float, float),
                           QMouseEvent *event, short button)
{
    const QPointF inner = event->position() - QPointF(kFrame, kFrame);
    emit(this->*signal)(button, shiftCode(event->modifiers()),
                        static_cast<float>(inner.x() * kTwipsPerPixel),
                        static_cast<float>(inner.y() * kTwipsPerPixel));
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    // Only the left, right and middle buttons are reported; side buttons do nothing.
    if (!mouseButtonCode(event->button()))
        return;
    emitMouse(&PictureBox::MouseDown, event, mouseButtonCode(event->button()));
}

void PictureBox::mouseMoveEvent(QMouseEvent *event)
{
    emitMouse(&PictureBox::MouseMove, event, mouseButtonsCode(event->buttons()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (!mouseButtonCode(event->button()))
        return;
    emitMouse(&PictureBox::MouseUp, event, mouseButtonCode(event->button()));
}

void PictureBox::wheelEvent(QWheelEvent *event)
{
    const QPoint angle = event->angleDelta();
    const QPoint pixels = event->pixelDelta();
    const bool across = angle.y() == 0 && angle.x() != 0;
    const QPointF inner = event->position() - QPointF(kFrame, kFrame);
    emit MouseWheel(across ? angle.x() : angle.y(), across, shiftCode(event->modifiers()),
                    static_cast<float>(inner.x() * kTwipsPerPixel),
                    static_cast<float>(inner.y() * kTwipsPerPixel),
                    across ? pixels.x() : pixels.y());
}

} // namespace host

#include "moc_PictureBox.cpp"
