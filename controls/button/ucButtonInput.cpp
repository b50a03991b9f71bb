// The button's behaviour between the user and its container: mouse, keyboard, access keys,
// focus and hover, and the events it raises.

#include "ucButton.h"

#include "GdiObjects.h"
#include "KnownPointer.h"
#include "WindowFromPoint.h"

#include <QTimer>

#include <array>
#include <cstdint>

namespace controls {

namespace {

// Rows of 0xAA and 0x55, each padded to a 16-bit word: pixels with x + y even and odd
// alternate like a checkerboard.
constexpr std::array<std::uint8_t, 16> kCheckerboardBits = {
    0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0,
};

constexpr int kHoverInterval = 10; // milliseconds

constexpr short kRightButton = 2;
constexpr short kEnter = 13;
constexpr short kEscape = 27;
constexpr short kSpace = 32;

constexpr host::VBool toggled(host::VBool value)
{
    return static_cast<host::VBool>(~value);
}

} // namespace

void ucButton::UserControl_Initialize()
{
    const host::HBITMAP checkerboard = host::CreateBitmap(8, 8, 1, 1, kCheckerboardBits.data());
    PatternBrush = host::CreatePatternBrush(checkerboard);
    host::DeleteObject(checkerboard);
    bindFont(host::StdFont());

    tmrOver = new QTimer(this);
    tmrOver->setObjectName(QStringLiteral("tmrOver"));
    tmrOver->setInterval(kHoverInterval);
    connect(tmrOver, &QTimer::timeout, this, &ucButton::tmrOver_Timer);

    // Focus by tab and by click; every move, held or not, for the hover look.
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
}

void ucButton::UserControl_Terminate()
{
    host::DeleteObject(PatternBrush);
}

bool ucButton::isInside(float X, float Y) const
{
    return X >= 0 && X < static_cast<float>(ScaleWidth()) && Y >= 0 &&
           Y < static_cast<float>(ScaleHeight());
}

void ucButton::UserControl_Show()
{
    Redraw();
}

void ucButton::UserControl_AmbientChanged(const QString &PropertyName)
{
    Q_UNUSED(PropertyName);
    Redraw();
}

void ucButton::UserControl_EnterFocus()
{
    HasFocus = host::kTrue;
    Redraw();
}

void ucButton::UserControl_ExitFocus()
{
    // KeyIsDown stays: a key that went down here must come up here before the next click.
    HasFocus = host::kFalse;
    IsDown = host::kFalse;
    Redraw();
}

void ucButton::UserControl_MouseDown(short &Button, short &Shift, float &X, float &Y)
{
    LastButton = Button;
    LastShift = Shift;
    LastX = X;
    LastY = Y;
    if (Button != kRightButton) {
        IsDown = host::kTrue;
        Redraw();
    }
    emit MouseDown(Button, Shift, X, Y);
}

void ucButton::UserControl_MouseMove(short &Button, short &Shift, float &X, float &Y)
{
    if (isInside(X, Y) && IsOver == host::kFalse) {
        IsOver = host::kTrue;
        tmrOver->start();
        Redraw();
        emit MouseIn(Shift);
    }
    emit MouseMove(Button, Shift, X, Y);
}

void ucButton::UserControl_MouseUp(short &Button, short &Shift, float &X, float &Y)
{
    IsDown = host::kFalse;
    if (Button != kRightButton) {
        if (isInside(X, Y)) {
            if (isCheckKind(m_appearance))
                m_checked = toggled(m_checked);
            emit Click();
        }
        Redraw();
    }
    emit MouseUp(Button, Shift, X, Y);
}

void ucButton::UserControl_DblClick()
{
    // The second press of a double click stands in for a press at the first one's place.
    SetCapture();
    UserControl_MouseDown(LastButton, LastShift, LastX, LastY);
}

void ucButton::UserControl_KeyDown(short &KeyCode, short &Shift)
{
    // Only the first key-down since the last key-up clicks, so a repeating key clicks once.
    if (KeyIsDown == host::kFalse) {
        if (KeyCode == kEnter) {
            emit Click();
        } else if (KeyCode == kSpace) {
            IsDown = host::kTrue;
            if (isCheckKind(m_appearance))
                setChecked(toggled(m_checked));
            Redraw();
            emit Click();
        }
        KeyIsDown = host::kTrue;
    }
    emit KeyDown(KeyCode, Shift);
}

void ucButton::UserControl_KeyPress(short &KeyAscii)
{
    emit KeyPress(KeyAscii);
}

void ucButton::UserControl_KeyUp(short &KeyCode, short &Shift)
{
    if (KeyCode == kSpace) {
        IsDown = host::kFalse;
        Redraw();
    }
    KeyIsDown = host::kFalse;
    emit KeyUp(KeyCode, Shift);
}

void ucButton::UserControl_AccessKeyPress(short &KeyAscii)
{
    if (Enabled() == host::kFalse)
        return;
    if (KeyAscii == kEscape || KeyAscii == kEnter) {
        emit Click();
        return;
    }
    const QString key = AccessKeys();
    if (key.isEmpty())
        return;
    const QChar accessKey = key.front();
    if (KeyAscii == static_cast<short>(accessKey.toLower().unicode()) ||
        KeyAscii == static_cast<short>(accessKey.toUpper().unicode())) {
        if (isCheckKind(m_appearance)) {
            m_checked = toggled(m_checked);
            Redraw();
        }
        emit Click();
    }
}

void ucButton::tmrOver_Timer()
{
    host::POINT pointer;
    host::GetCursorPos(pointer);
    if (host::WindowFromPoint(pointer) == this) {
        // Until the next pointer event the answer stays the same: the timer waits for it.
        const std::uint64_t changes = host::knownPointer().changes;
        if (changes == PointerChangesSeen) {
            tmrOver->stop();
            host::restartAtPointerChange(tmrOver);
        }
        PointerChangesSeen = changes;
        return;
    }
    tmrOver->stop();
    IsOver = host::kFalse;
    Redraw();
    // The shift state of the last press, not of the last move.
    emit MouseOut(LastShift);
    if (IsDown != host::kFalse) {
        // Released-looking while the pointer is away, but still held.
        IsDown = host::kFalse;
        Redraw();
        IsDown = host::kTrue;
    }
}

} // namespace controls
