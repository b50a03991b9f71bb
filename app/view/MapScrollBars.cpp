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
    // A part that does not show is shrunk to nothing rather than hidden: showing a widget
    // again asks the X server where the pointer is, a round trip that cost more than the
    // rest of a chapter's bars.
    for (QWidget *part :
         {static_cast<QWidget *>(m_across), static_cast<QWidget *>(m_down), m_corner})
        part->setGeometry(QRect());
    for (CachedScrollBar *bar : {m_across, m_down}) {
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
    const auto place = [](QWidget *part, bool shown, QRect where) {
        part->setGeometry(shown ? where : QRect(where.topLeft(), QSize()));
    };
    place(m_across, across,
          QRect(inner.left(), inner.bottom() + 1 - bar, inner.width() - (down ? bar : 0), bar));
    place(m_down, down,
          QRect(inner.right() + 1 - bar, inner.top(), bar, inner.height() - (across ? bar : 0)));
    place(m_corner, across && down,
          QRect(inner.right() + 1 - bar, inner.bottom() + 1 - bar, bar, bar));
    const QPoint limit = viewport.maxScroll();
    const QPoint scroll = viewport.scroll();
    const QSizeF unobscured = viewport.unobscuredView();
    for (auto [scrollBar, maximum, value, page] :
         {std::tuple{m_across, limit.x(), scroll.x(), unobscured.width()},
          std::tuple{m_down, limit.y(), scroll.y(), unobscured.height()}}) {
        const QSignalBlocker quiet(scrollBar);
        scrollBar->setRange(0, maximum);
        scrollBar->setPageStep(static_cast<int>(page / viewport.cellTwips()));
        scrollBar->setValue(value);
    }
}

} // namespace app

#include "moc_MapScrollBars.cpp"
