#pragma once

#include "OleColor.h"

#include <QWidget>

namespace host {

// The runtime's rectangle shape: an outline of a given width drawn inside its box, moved
// by its left and top edges in the container's twips. It takes no mouse input.
class Shape : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY(Shape)
public:
    explicit Shape(QWidget *parent = nullptr);

    int Left() const;
    int Top() const;
    void setLeft(int twips);
    void setTop(int twips);
    // The box's width and height, in twips.
    void setSize(int widthTwips, int heightTwips);
    void setBorderWidth(int pixels);
    void setBorderColor(OleColor color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_left = 0;
    int m_top = 0;
    int m_borderWidth = 1;
    OleColor m_borderColor = 0;
};

} // namespace host
