#include "MapScrollBars.h"

#include "CachedScrollBar.h"
#include "MapViewport.h"

#include <QPainter>

#include <tuple>

namespace app {

namespace {

// The square between two bars, in the window's colour. Not opaque, for the same reason as
// the bars.
class ScrollCorner : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(rect(), palette().window()); }
};

} // namespace

MapScrollBars::MapScrollBars(QWidget *view, int frame)
    : QObject(view), m_view(view), m_frame(frame),
      m_across(new CachedScrollBar(Qt::Horizontal, view)),
      m_down(new CachedScrollBar(Qt::Vertical, view)), m_corner(new ScrollCorner(view))
{
    // Where both show, the square between them hides the map as a scroll area's corner does.
    m_corner->hide();
    for (CachedScrollBar *bar : {m_across, m_down}) {
        bar->hide();
        bar->setFocusPolicy(Qt::NoFocus);
        connect(bar, &QScrollBar::valueChanged, this,
                [this] { emit scrolled(QPoint(m_across->value(), m_down->value())); });
    }
}

int MapScrollBars::thickness() const
{
    return m_down->sizeHint().width();
}

void MapScrollBars::follow(const MapViewport &viewport)
{
    const int bar = thickness();
    const QRect inner = m_view->rect().adjusted(m_frame, m_frame, -m_frame, -m_frame);
    const bool across = viewport.showsAcross();
    const bool down = viewport.showsDown();
    m_across->setGeometry(inner.left(), inner.bottom() + 1 - bar, inner.width() - (down ? bar : 0),
                          bar);
    m_down->setGeometry(inner.right() + 1 - bar, inner.top(), bar,
                        inner.height() - (across ? bar : 0));
    m_corner->setGeometry(inner.right() + 1 - bar, inner.bottom() + 1 - bar, bar, bar);
    m_corner->setVisible(across && down);
    const QPoint limit = viewport.maxScroll();
    const QPoint scroll = viewport.scroll();
    const QSizeF unobscured = viewport.unobscuredView();
    for (auto [scrollBar, shown, maximum, value, page] :
         {std::tuple{m_across, across, limit.x(), scroll.x(), unobscured.width()},
          std::tuple{m_down, down, limit.y(), scroll.y(), unobscured.height()}}) {
        const QSignalBlocker quiet(scrollBar);
        scrollBar->setRange(0, maximum);
        scrollBar->setPageStep(static_cast<int>(page / viewport.cellTwips()));
        scrollBar->setValue(value);
        scrollBar->setVisible(shown);
    }
}

} // namespace app

#include "moc_MapScrollBars.cpp"
