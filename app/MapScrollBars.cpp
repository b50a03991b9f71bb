#include "MapScrollBars.h"

#include "MapViewport.h"

#include <QScrollBar>

#include <tuple>

namespace app {

MapScrollBars::MapScrollBars(QWidget *view, int frame)
    : QObject(view), m_view(view), m_frame(frame), m_across(new QScrollBar(Qt::Horizontal, view)),
      m_down(new QScrollBar(Qt::Vertical, view)), m_corner(new QWidget(view))
{
    // Where both show, the square between them hides the map as a scroll area's corner does.
    m_corner->setAutoFillBackground(true);
    m_corner->hide();
    for (QScrollBar *bar : {m_across, m_down}) {
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
