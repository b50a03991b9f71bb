#pragma once

#include <QImage>
#include <QPalette>
#include <QScrollBar>
#include <QStyle>

#include <vector>

class QStyleOptionSlider;

namespace app {

// A scroll bar that keeps its drawing at rest. The style draws a bar's groove and slider
// with gradient fills, which a long bar's height hands to a pool of threads and waits for:
// a scroll bar shown again at each chapter the map view draws cost more than the cells.
// Away from the pointer and not held, a bar looks the same whenever its size, range,
// position and state are, so each of the last few looks is drawn once and copied after;
// under the pointer or held it shows which part the pointer is on, drawn as QScrollBar
// draws it.
class CachedScrollBar : public QScrollBar {
    Q_OBJECT
    Q_DISABLE_COPY(CachedScrollBar)
public:
    explicit CachedScrollBar(Qt::Orientation orientation, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // What the style's drawing of a bar at rest depends on.
    struct Look {
        QSize size;
        qreal pixelRatio = 1;
        QStyle::State state;
        Qt::LayoutDirection direction = Qt::LeftToRight;
        qint64 palette = 0;
        int minimum = 0;
        int maximum = 0;
        int position = 0;
        int pageStep = 0;
        bool upsideDown = false;
        bool operator==(const Look &) const = default;
    };
    static Look lookOf(const QStyleOptionSlider &option, qreal pixelRatio);
    const QImage &picture(const QStyleOptionSlider &option);

    bool m_held = false;
    // The most recently shown look first.
    std::vector<std::pair<Look, QImage>> m_pictures;
};

} // namespace app
