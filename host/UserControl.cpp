#include "UserControl.h"

#include "DisplayFrame.h"
#include "MousePointer.h"
#include "Twips.h"

#include <QPainter>
#include <QResizeEvent>

namespace host {

namespace {

// A handler that keeps resizing its control gets this many runs per notification.
constexpr int kResizePasses = 4;

} // namespace

UserControl::UserControl(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resizeBacking();
}

UserControl::~UserControl() = default;

void UserControl::createNew(const Ambient &ambient)
{
    m_ambient = ambient;
    InitProperties();
}

void UserControl::load(const PropertyBag &bag, const Ambient &ambient)
{
    m_ambient = ambient;
    ReadProperties(bag);
}

PropertyBag UserControl::save()
{
    PropertyBag bag;
    WriteProperties(bag);
    return bag;
}

int UserControl::extenderLeft() const
{
    return pixelsToTwips(x());
}
int UserControl::extenderTop() const
{
    return pixelsToTwips(y());
}
int UserControl::extenderWidth() const
{
    return pixelsToTwips(width());
}
int UserControl::extenderHeight() const
{
    return pixelsToTwips(height());
}

void UserControl::extenderMove(int left, int top, int width, int height)
{
    setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                twipsToPixels(height));
}

std::int32_t UserControl::GetWindowLongA(int index) const
{
    if (index == GWL_STYLE)
        return m_style;
    if (index == GWL_EXSTYLE)
        return m_exStyle;
    return 0;
}

std::int32_t UserControl::SetWindowLongA(int index, std::int32_t value)
{
    const std::int32_t previous = GetWindowLongA(index);
    if (index == GWL_STYLE)
        m_style = value;
    else if (index == GWL_EXSTYLE)
        m_exStyle = value;
    return previous;
}

void UserControl::SetWindowPos(std::uint32_t flags)
{
    if (!(flags & SWP_FRAMECHANGED))
        return;
    // The edge widths Windows gives these styles: a client edge is two pixels, a static
    // edge, a plain border and a window edge one each.
    int edge = 0;
    if (m_exStyle & WS_EX_CLIENTEDGE)
        edge += 2;
    if (m_exStyle & WS_EX_STATICEDGE)
        edge += 1;
    if (m_exStyle & WS_EX_WINDOWEDGE)
        edge += 1;
    if (m_style & WS_BORDER)
        edge += 1;
    if (m_style & WS_THICKFRAME)
        edge += 3;
    if (edge != m_edge) {
        m_edge = edge;
        resizeBacking();
        UserControl_Resize();
    }
    update();
}

void UserControl::setMousePointer(std::int16_t pointer)
{
    m_mousePointer = pointer;
    applyPointer();
}

void UserControl::setMouseIcon(Picture icon)
{
    m_mouseIcon = std::move(icon);
    applyPointer();
}

void UserControl::applyPointer()
{
    if (const auto cursor = cursorForPointer(m_mousePointer, m_mouseIcon))
        setCursor(*cursor);
    else
        unsetCursor();
}

void UserControl::Refresh()
{
    // Within a display frame of the last flush the image waits for the next one, or for
    // the return to the event loop; its pixels are already painted.
    if (!takeDisplayFrame()) {
        m_refreshPending = true;
        update();
        return;
    }
    m_inRefresh = true;
    repaint();
    m_inRefresh = false;
}

void UserControl::paintEvent(QPaintEvent *)
{
    if (!m_inRefresh && !m_refreshPending)
        UserControl_Paint();
    m_refreshPending = false;
    QPainter painter(this);
    drawEdge(painter);
    painter.drawImage(m_edge, m_edge, m_backing);
}

void UserControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // A control may resize itself in its handler. Shown, that brings a nested notification;
    // while it is still hidden Qt only marks the new size pending and then drops it, as the
    // pending notice being delivered is this one. The handler runs again for such a size,
    // so that the surface always matches the widget.
    for (int pass = 0; pass < kResizePasses; ++pass) {
        resizeBacking();
        UserControl_Resize();
        if (backingMatchesWidget())
            break;
    }
}

bool UserControl::backingMatchesWidget() const
{
    return m_backing.width() == std::max(0, width() - 2 * m_edge) &&
           m_backing.height() == std::max(0, height() - 2 * m_edge);
}

void UserControl::resizeBacking()
{
    const int w = std::max(0, width() - 2 * m_edge);
    const int h = std::max(0, height() - 2 * m_edge);
    if (m_backing.width() == w && m_backing.height() == h && !m_backing.isNull())
        return;
    QImage image(std::max(w, 0), std::max(h, 0), QImage::Format_RGB32);
    image.fill(Qt::white);
    if (!m_backing.isNull()) {
        QPainter p(&image);
        p.drawImage(0, 0, m_backing);
    }
    m_backing = image;
}

void UserControl::drawEdge(QPainter &painter) const
{
    if (m_edge == 0)
        return;
    const QColor shadow = QColor::fromRgb(toQRgb(GetSysColor(COLOR_BTNSHADOW)));
    const QColor highlight = QColor::fromRgb(toQRgb(GetSysColor(COLOR_BTNHIGHLIGHT)));
    const QColor darkShadow = QColor::fromRgb(toQRgb(GetSysColor(COLOR_3DDKSHADOW)));
    const QColor light = QColor::fromRgb(toQRgb(GetSysColor(COLOR_3DLIGHT)));
    const QColor frame = QColor::fromRgb(toQRgb(GetSysColor(COLOR_WINDOWFRAME)));

    // One ring of the edge, from the outside in: top and left in one colour, bottom and
    // right in the other.
    auto ring = [&](int inset, const QColor &topLeft, const QColor &bottomRight) {
        const int l = inset, t = inset, r = width() - 1 - inset, b = height() - 1 - inset;
        painter.fillRect(QRect(QPoint(l, t), QPoint(r, t)), topLeft);
        painter.fillRect(QRect(QPoint(l, t), QPoint(l, b)), topLeft);
        painter.fillRect(QRect(QPoint(l, b), QPoint(r, b)), bottomRight);
        painter.fillRect(QRect(QPoint(r, t), QPoint(r, b)), bottomRight);
    };
    int inset = 0;
    if (m_style & WS_BORDER)
        ring(inset++, frame, frame);
    if (m_exStyle & WS_EX_WINDOWEDGE)
        ring(inset++, light, darkShadow);
    if (m_exStyle & WS_EX_CLIENTEDGE) {
        ring(inset++, shadow, highlight);
        ring(inset++, darkShadow, light);
    }
    if (m_exStyle & WS_EX_STATICEDGE)
        ring(inset++, shadow, highlight);
    while (inset < m_edge)
        ring(inset++, light, shadow);
}

} // namespace host

#include "moc_UserControl.cpp"
