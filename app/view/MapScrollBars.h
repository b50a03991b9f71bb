#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace app {

class CachedScrollBar;
class MapViewport;

// The map view's two scroll bars and the square between them, over the right and bottom
// edges of the view's inner area, as a scroll area places them; they take no focus.
class MapScrollBars : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY(MapScrollBars)
public:
    // `view`: the map view, whose children they are; `frame`: its frame's width in pixels.
    MapScrollBars(QWidget *view, int frame);

    // A bar's thickness in pixels.
    int thickness() const;
    // Shows the bars the viewport has, with its scroll range and position.
    void follow(const MapViewport &viewport);

signals:
    // A bar moved: the column and row to show at the view's top-left corner.
    void scrolled(QPoint position);

private:
    QWidget *m_view;
    int m_frame;
    CachedScrollBar *m_across;
    CachedScrollBar *m_down;
    QWidget *m_corner;
};

} // namespace app
