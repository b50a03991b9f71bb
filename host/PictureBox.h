#pragma once

#include "OleColor.h"
#include "Picture.h"

#include <QImage>
#include <QWidget>

namespace host {

// The runtime's picture box: a flat one-pixel frame around an inner area measured in twips,
// a persistent image (AutoRedraw) that drawing goes into and that repaints show, Cls,
// PaintPicture, and mouse events in twips of the inner area.
class PictureBox : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY(PictureBox)
public:
    explicit PictureBox(QWidget *parent = nullptr);

    bool AutoRedraw() const { return m_autoRedraw; }
    void setAutoRedraw(bool on) { m_autoRedraw = on; }
    OleColor BackColor() const { return m_backColor; }
    void setBackColor(OleColor color);

    // Clears the whole inner area to the background colour.
    void Cls();
    // Draws a picture with its top-left corner at (x, y), scaled to width x height, all in
    // twips; raises RuntimeError 481 for a picture that holds no image.
    void PaintPicture(const Picture &picture, double x, double y, double width, double height);

    // The inner area: its persistent image, in pixels. It has the box's size from the
    // start, also while the box has never been shown (the window's load draws into it).
    const QImage &image() const;
    int innerLeft() const { return kFrame; }

signals:
    // button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt; x, y in twips.
    void MouseDown(short button, short shift, float x, float y);
    void MouseMove(short button, short shift, float x, float y);
    void MouseUp(short button, short shift, float x, float y);
    // The wheel turned by `delta` eighths of a degree, away from the person positive
    // (Qt's angle delta); `across` for a horizontal wheel; `pixels` the same turn in pixels
    // where the device counts so (a touchpad on some platforms), else 0. Not one of the
    // runtime's events: the editor's map view scrolls and zooms with it.
    void MouseWheel(int delta, bool across, short shift, float x, float y, int pixels);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    static constexpr int kFrame = 1;
    void emitMouse(void (PictureBox::*signal)(short, short, float, float), QMouseEvent *event,
                   short button);
    // A hidden widget gets its resize event only when first shown, so the image follows
    // the widget's size on every use instead.
    void fitImage() const;

    mutable QImage m_image;
    // Outside this part of the image every pixel holds m_inkBackground, so a Cls need clear
    // and show again only this part: after a small map, the rest of a large view stays as
    // it is.
    mutable QRect m_ink;
    mutable QRgb m_inkBackground = 0;
    OleColor m_backColor = RGB(255, 255, 255);
    bool m_autoRedraw = false;
};

// The runtime's codes of the mouse buttons and of the shift keys held.
enum MouseButtonCode : short { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum ShiftCode : short { kShiftKey = 1, kCtrlKey = 2, kAltKey = 4 };

short mouseButtonCode(Qt::MouseButton button);
short mouseButtonsCode(Qt::MouseButtons buttons);
short shiftCode(Qt::KeyboardModifiers modifiers);

} // namespace host
