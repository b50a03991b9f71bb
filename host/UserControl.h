#pragma once

#include "OleColor.h"
#include "Picture.h"
#include "PropertyBag.h"

#include <QFont>
#include <QImage>
#include <QWidget>

#include <cstdint>
#include <vector>

class QKeySequence;
class QShortcut;

namespace host {

// What the container tells a user control about itself.
struct Ambient {
    QString displayName;              // the instance name, e.g. "ucButton1"
    QFont font;                       // the container's font
    OleColor backColor = kButtonFace; // the container's background colour
};

// Window style words and the frame flags a control changes through them.
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr std::int32_t WS_BORDER = 0x00800000;
constexpr std::int32_t WS_THICKFRAME = 0x00040000;
constexpr std::int32_t WS_EX_WINDOWEDGE = 0x00000100;
constexpr std::int32_t WS_EX_CLIENTEDGE = 0x00000200;
constexpr std::int32_t WS_EX_STATICEDGE = 0x00020000;
constexpr std::uint32_t SWP_NOSIZE = 0x1;
constexpr std::uint32_t SWP_NOMOVE = 0x2;
constexpr std::uint32_t SWP_NOZORDER = 0x4;
constexpr std::uint32_t SWP_FRAMECHANGED = 0x20;
constexpr std::uint32_t SWP_NOOWNERZORDER = 0x200;

// The runtime's user control: a child window with a non-client edge chosen by its style
// words, a client area in pixels backed by a persistent image (the control's device
// context), the host-held properties (enabled state, foreground and mask colours, pointer,
// font, access keys), the extender's position in the container's twips, and the three
// persistence hooks. Painting into backingImage() and calling Refresh() shows the pixels
// without returning to the event loop, a display frame or more after the handler began or
// after the last flush; a Refresh sooner than that shows with the next flush or when the
// event loop runs again (DisplayFrame.h).
class UserControl : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY(UserControl)
public:
    explicit UserControl(QWidget *parent = nullptr);
    ~UserControl() override;

    // The container's side of the persistence hooks.
    void createNew(const Ambient &ambient);
    void load(const PropertyBag &bag, const Ambient &ambient);
    PropertyBag save();

    const Ambient &ambient() const { return m_ambient; }
    // Tells the control which ambient properties changed ("DisplayName", "Font", "BackColor").
    void setAmbient(const Ambient &ambient);

    // Extender: place and size in the container's twips.
    int extenderLeft() const;
    int extenderTop() const;
    int extenderWidth() const;
    int extenderHeight() const;
    void extenderMove(int left, int top, int width, int height);

    // Window style words; SetWindowPos with SWP_FRAMECHANGED recomputes the edge.
    std::int32_t GetWindowLongA(int index) const;
    std::int32_t SetWindowLongA(int index, std::int32_t value);
    void SetWindowPos(std::uint32_t flags);
    int edgeWidth() const { return m_edge; }

    // The inner (client) area in pixels.
    int ScaleWidth() const { return m_backing.width(); }
    int ScaleHeight() const { return m_backing.height(); }

    // The control's device context: the persistent image of its client area.
    QImage &backingImage() { return m_backing; }
    const QImage &backingImage() const { return m_backing; }
    // Copies the backing image to the screen: now, or within a display frame. A container
    // that stands in for the host, as a test does, may watch the control's requests by
    // overriding it.
    virtual void Refresh();

    // Host-held properties.
    OleColor ForeColor() const { return m_foreColor; }
    void setForeColor(OleColor color) { m_foreColor = color; }
    OleColor MaskColor() const { return m_maskColor; }
    void setMaskColor(OleColor color) { m_maskColor = color; }
    // The pointer shown over the control: a standard shape by number (MousePointer.h), or
    // MouseIcon's picture for 99.
    std::int16_t MousePointer() const { return m_mousePointer; }
    void setMousePointer(std::int16_t pointer);
    Picture MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(Picture icon);
    QString AccessKeys() const { return m_accessKeys; }
    // Alt with one of these keys, anywhere in the control's window, reaches the control as
    // an access-key press; with Shift too a letter is reported in upper case.
    void setAccessKeys(const QString &keys);

    // Mouse moves and the release come to this control wherever the pointer is, until every
    // mouse button is up. The host takes the capture by itself at an ordinary press.
    void SetCapture();

signals:
    // The changed-property notice: the container saves the control again.
    void propertyChanged(const QString &name);

protected:
    void PropertyChanged(const QString &name) { emit propertyChanged(name); }

    // The persistence hooks, as the control implements them.
    virtual void InitProperties() {}
    virtual void ReadProperties(const PropertyBag &bag) { Q_UNUSED(bag); }
    virtual void WriteProperties(PropertyBag &bag) const { Q_UNUSED(bag); }

    // The control's paint notification: draw the client area into backingImage().
    // Controls that keep their image between paints leave it as it is.
    virtual void UserControl_Paint() {}
    // The control's resize notification, after the backing image has the new size.
    virtual void UserControl_Resize() {}

    // Display, focus and input notifications. A disabled control gets no mouse, keyboard or
    // access-key notification. Button: 1 left, 2 right, 4 middle (for moves, the buttons
    // held); Shift: 1 Shift, 2 Ctrl, 4 Alt; X, Y in pixels of the inner area; KeyCode a
    // virtual-key code; KeyAscii a character code. The second press of a left double click
    // comes as UserControl_DblClick instead of UserControl_MouseDown. Key repeats come as
    // further key-downs without key-ups between them.
    virtual void UserControl_Show() {}
    virtual void UserControl_AmbientChanged(const QString & /*PropertyName*/) {}
    virtual void UserControl_EnterFocus() {}
    virtual void UserControl_ExitFocus() {}
    virtual void UserControl_AccessKeyPress(short & /*KeyAscii*/) {}
    virtual void UserControl_MouseDown(short & /*Button*/, short & /*Shift*/, float & /*X*/,
                                       float & /*Y*/)
    {
    }
    virtual void UserControl_MouseMove(short & /*Button*/, short & /*Shift*/, float & /*X*/,
                                       float & /*Y*/)
    {
    }
    virtual void UserControl_MouseUp(short & /*Button*/, short & /*Shift*/, float & /*X*/,
                                     float & /*Y*/)
    {
    }
    virtual void UserControl_DblClick() {}
    virtual void UserControl_KeyDown(short & /*KeyCode*/, short & /*Shift*/) {}
    virtual void UserControl_KeyPress(short & /*KeyAscii*/) {}
    virtual void UserControl_KeyUp(short & /*KeyCode*/, short & /*Shift*/) {}

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void resizeBacking();
    bool backingMatchesWidget() const;
    void applyPointer();
    void drawEdge(QPainter &painter) const;
    void notifyMouse(void (UserControl::*hook)(short &, short &, float &, float &),
                     const QMouseEvent *event, short button);
    void addAccessKeyShortcut(const QKeySequence &keys, QChar reported);

    Ambient m_ambient;
    QImage m_backing;
    std::int32_t m_style = 0;
    std::int32_t m_exStyle = 0;
    int m_edge = 0;
    bool m_inRefresh = false;
    bool m_refreshPending = false; // a Refresh left to the next paint: the image is current
    OleColor m_foreColor = kButtonText;
    OleColor m_maskColor = kButtonFace;
    std::int16_t m_mousePointer = 0;
    Picture m_mouseIcon;
    QString m_accessKeys;
    std::vector<QShortcut *> m_accessKeyShortcuts; // children of the control
    bool m_hasCapture = false;
};

} // namespace host
