#pragma once

#include "Picture.h"

#include <QWidget>

namespace host {

// The runtime's image control: shows its Picture stretched to its box, inside a thin
// single frame when it has a border.
class ImageControl : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY(ImageControl)
public:
    explicit ImageControl(QWidget *parent = nullptr);

    Picture picture() const { return m_picture; }
    void setPicture(Picture picture);
    bool hasImage() const { return m_picture && !m_picture->isEmpty(); }
    void setBorder(bool on);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Picture m_picture;
    bool m_border = false;
};

} // namespace host
