#include "CachedScrollBar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionSlider>

namespace app {

namespace {

// Enough for the bars of the chapters a person goes back and forth between.
constexpr std::size_t kKeptLooks = 8;

} // namespace

CachedScrollBar::CachedScrollBar(Qt::Orientation orientation, QWidget *parent)
    : QScrollBar(orientation, parent)
{
    // Not opaque: the view under the bar then repaints as one rectangle, which Qt copies
    // as it is; clipped around the bar, its picture would take the slower path through
    // the pool of threads.
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

CachedScrollBar::Look CachedScrollBar::lookOf(const QStyleOptionSlider &option, qreal pixelRatio)
{
    return Look{option.rect.size(),        pixelRatio,       option.state,   option.direction,
                option.palette.cacheKey(), option.minimum,   option.maximum, option.sliderPosition,
                option.pageStep,           option.upsideDown};
}

const QImage &CachedScrollBar::picture(const QStyleOptionSlider &option)
{
    const Look look = lookOf(option, devicePixelRatioF());
    const auto kept = std::find_if(m_pictures.begin(), m_pictures.end(),
                                   [&look](const auto &entry) { return entry.first == look; });
    if (kept != m_pictures.end()) {
        std::rotate(m_pictures.begin(), kept, kept + 1);
        return m_pictures.front().second;
    }
    QImage image(look.size * look.pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(look.pixelRatio);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        style()->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, this);
    }
    if (m_pictures.size() == kKeptLooks)
        m_pictures.pop_back();
    m_pictures.emplace(m_pictures.begin(), look, std::move(image));
    return m_pictures.front().second;
}

void CachedScrollBar::paintEvent(QPaintEvent *event)
{
    if (underMouse() || m_held) {
        QScrollBar::paintEvent(event);
        return;
    }
    // At rest no part is pressed or under the pointer.
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_All;
    option.activeSubControls = QStyle::SC_None;
    QPainter(this).drawImage(QPointF(0, 0), picture(option));
}

void CachedScrollBar::mousePressEvent(QMouseEvent *event)
{
    m_held = true;
    QScrollBar::mousePressEvent(event);
}

void CachedScrollBar::mouseReleaseEvent(QMouseEvent *event)
{
    QScrollBar::mouseReleaseEvent(event);
    m_held = event->buttons() != Qt::NoButton;
    update();
}

} // namespace app

#include "moc_CachedScrollBar.cpp"
