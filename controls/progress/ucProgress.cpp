#include "ucProgress.h"

#include "Gdi.h"
#include "PictureBox.h"
#include "Rounding.h"
#include "RuntimeError.h"

#include <QMouseEvent>

#include <algorithm>
#include <limits>

namespace controls {

namespace {

constexpr std::int32_t kDefaultBorderStyle = 2;
constexpr std::int32_t kDefaultOrientation = 0;
constexpr host::OleColor kDefaultBackColor = host::kButtonFace;
constexpr host::OleColor kDefaultForeColor = host::kHighlight;
constexpr std::int32_t kDefaultMax = 100;
constexpr int kNewWidth = 129;
constexpr int kNewHeight = 21;

constexpr std::int32_t kFrameStyles = host::WS_BORDER | host::WS_THICKFRAME;
constexpr std::uint32_t kFrameChanged = host::SWP_NOSIZE | host::SWP_NOMOVE | host::SWP_NOZORDER |
                                        host::SWP_FRAMECHANGED | host::SWP_NOOWNERZORDER;

// Colours are stored as 32-bit integers: a system colour is a negative number.
QVariant colorValue(host::OleColor color)
{
    return static_cast<std::int32_t>(color);
}
host::OleColor toColor(const QVariant &value)
{
    return static_cast<host::OleColor>(host::toLong(value));
}

std::int32_t clampToLong(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace

ucProgress::ucProgress(QWidget *parent) : UserControl(parent), m_hDC(&backingImage())
{
    resize(kNewWidth, kNewHeight);
}

ucProgress::~ucProgress()
{
    if (m_FillBrush)
        host::DeleteObject(m_FillBrush);
    if (m_BackBrush)
        host::DeleteObject(m_BackBrush);
}

void ucProgress::setBorderStyle(std::int32_t New_BorderStyle)
{
    m_BorderStyle = New_BorderStyle;
    ApplyBorderStyle();
    recalcAndPaint();
}

void ucProgress::setOrientation(std::int32_t New_Orientation)
{
    m_Orientation = New_Orientation;
    extenderMove(extenderLeft(), extenderTop(), extenderHeight(), extenderWidth());
    recalcAndPaint();
}

void ucProgress::setBackColor(host::OleColor New_BackColor)
{
    m_BackColor = New_BackColor;
    MakeBackBrush();
    paintNow();
}

void ucProgress::setForeColor(host::OleColor New_ForeColor)
{
    m_ForeColor = New_ForeColor;
    MakeFillBrush();
    paintNow();
}

host::VBool ucProgress::Enabled() const
{
    return host::fromBool(!testAttribute(Qt::WA_ForceDisabled));
}

void ucProgress::setEnabled(host::VBool New_Enabled)
{
    QWidget::setEnabled(New_Enabled != 0);
}

void ucProgress::setMax(std::int32_t New_Max)
{
    if (New_Max < 1)
        throw host::RuntimeError::invalidPropertyValue();
    m_Max = New_Max;
}

void ucProgress::setValue(std::int32_t New_Value)
{
    m_Value = New_Value;
    CalcFillLength();
    if (m_FillLength != m_PaintedLength) {
        m_PaintedLength = m_FillLength;
        CalcRects();
        paintNow();
    }
}

void ucProgress::InitProperties()
{
    m_BorderStyle = kDefaultBorderStyle;
    m_Orientation = kDefaultOrientation;
    m_BackColor = kDefaultBackColor;
    m_ForeColor = kDefaultForeColor;
    m_Max = kDefaultMax;
    setUp();
}

void ucProgress::ReadProperties(const host::PropertyBag &bag)
{
    m_BorderStyle =
        host::toLong(bag.ReadProperty(QStringLiteral("BorderStyle"), kDefaultBorderStyle));
    m_Orientation =
        host::toLong(bag.ReadProperty(QStringLiteral("Orientation"), kDefaultOrientation));
    m_BackColor =
        toColor(bag.ReadProperty(QStringLiteral("BackColor"), colorValue(kDefaultBackColor)));
    m_ForeColor =
        toColor(bag.ReadProperty(QStringLiteral("ForeColor"), colorValue(kDefaultForeColor)));
    m_Max = host::toLong(bag.ReadProperty(QStringLiteral("Max"), kDefaultMax));
    QWidget::setEnabled(host::toBoolean(bag.ReadProperty(QStringLiteral("Enabled"), true)));
    setUp();
}

void ucProgress::WriteProperties(host::PropertyBag &bag) const
{
    bag.WriteProperty(QStringLiteral("BorderStyle"), m_BorderStyle, kDefaultBorderStyle);
    bag.WriteProperty(QStringLiteral("Orientation"), m_Orientation, kDefaultOrientation);
    bag.WriteProperty(QStringLiteral("BackColor"), colorValue(m_BackColor),
                      colorValue(kDefaultBackColor));
    bag.WriteProperty(QStringLiteral("ForeColor"), colorValue(m_ForeColor),
                      colorValue(kDefaultForeColor));
    bag.WriteProperty(QStringLiteral("Max"), m_Max, kDefaultMax);
    bag.WriteProperty(QStringLiteral("Enabled"), Enabled() != host::kFalse, true);
}

// The two rectangles cover the whole inner area, so nothing else needs drawing.
void ucProgress::UserControl_Paint()
{
    host::FillRect(m_hDC, m_FillArea, m_FillBrush);
    host::FillRect(m_hDC, m_BackArea, m_BackBrush);
}

void ucProgress::UserControl_Resize()
{
    recalcAndPaint();
}

void ucProgress::CalcFillLength()
{
    std::int32_t extent = 0;
    if (m_Orientation == 0)
        extent = ScaleWidth();
    else if (m_Orientation == 1)
        extent = ScaleHeight();
    else
        return;
    // A product beyond 32 bits or a Max of 0 (possible only from stored properties) leaves
    // the bar at its last length.
    const auto product = host::tryRoundHalfEven(static_cast<double>(extent) * m_Value);
    if (!product)
        return;
    if (const auto length = host::tryDivide(*product, m_Max))
        m_FillLength = *length;
}

void ucProgress::CalcRects()
{
    const std::int32_t w = ScaleWidth();
    const std::int32_t h = ScaleHeight();
    const std::int32_t l = m_FillLength;
    if (m_Orientation == 0) {
        host::SetRect(m_FillArea, 0, 0, l, h);
        host::SetRect(m_BackArea, l, 0, w, h);
    } else if (m_Orientation == 1) {
        // A large negative length puts the filled part's top far below the bar; clamping
        // keeps it there instead of overflowing.
        const std::int32_t edge = clampToLong(std::int64_t{h} - l);
        host::SetRect(m_FillArea, 0, edge, w, h);
        host::SetRect(m_BackArea, 0, 0, w, edge);
    }
}

void ucProgress::MakeFillBrush()
{
    if (m_FillBrush) {
        host::DeleteObject(m_FillBrush);
        m_FillBrush = {};
    }
    m_FillBrush = host::CreateSolidBrush(host::translateOrBlack(m_ForeColor));
}

void ucProgress::MakeBackBrush()
{
    if (m_BackBrush) {
        host::DeleteObject(m_BackBrush);
        m_BackBrush = {};
    }
    m_BackBrush = host::CreateSolidBrush(host::translateOrBlack(m_BackColor));
}

void ucProgress::ApplyBorderStyle()
{
    using namespace host;
    switch (m_BorderStyle) {
    case 0:
        ChangeWindowStyle(GWL_STYLE, 0, kFrameStyles);
        ChangeWindowStyle(GWL_EXSTYLE, 0, WS_EX_STATICEDGE | WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE);
        break;
    case 1:
        ChangeWindowStyle(GWL_STYLE, 0, kFrameStyles);
        ChangeWindowStyle(GWL_EXSTYLE, WS_EX_STATICEDGE, WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE);
        break;
    case 2:
        ChangeWindowStyle(GWL_STYLE, 0, kFrameStyles);
        ChangeWindowStyle(GWL_EXSTYLE, WS_EX_CLIENTEDGE, WS_EX_STATICEDGE | WS_EX_WINDOWEDGE);
        break;
    default:
        break;
    }
}

void ucProgress::ChangeWindowStyle(std::int32_t index, std::int32_t setBits, std::int32_t clearBits)
{
    const std::int32_t old = GetWindowLongA(index);
    SetWindowLongA(index, setBits | (old & ~clearBits));
    SetWindowPos(kFrameChanged);
}

// Made when the control is set up, new or loaded; the first paint follows when it is shown.
void ucProgress::setUp()
{
    ApplyBorderStyle();
    CalcRects();
    MakeFillBrush();
    MakeBackBrush();
}

void ucProgress::paintNow()
{
    UserControl_Paint();
    Refresh();
}

// Resize, border and orientation changes paint a freshly computed length. Recording it as
// the painted one keeps a later Value that lands on the length painted before the change
// from being skipped while the screen shows another.
void ucProgress::recalcAndPaint()
{
    CalcFillLength();
    m_PaintedLength = m_FillLength;
    CalcRects();
    paintNow();
}

void ucProgress::raiseMouse(void (ucProgress::*signal)(short &, short &, float &, float &),
                            const QMouseEvent *mouse, short button)
{
    short shift = host::shiftCode(mouse->modifiers());
    const QPointF inner = mouse->position() - QPointF(edgeWidth(), edgeWidth());
    float x = static_cast<float>(inner.x());
    float y = static_cast<float>(inner.y());
    emit(this->*signal)(button, shift, x, y);
}

void ucProgress::mousePressEvent(QMouseEvent *event)
{
    // Only the left, right and middle buttons are reported; side buttons do nothing.
    if (!host::mouseButtonCode(event->button()))
        return;
    raiseMouse(&ucProgress::MouseDown, event, host::mouseButtonCode(event->button()));
}

void ucProgress::mouseMoveEvent(QMouseEvent *event)
{
    raiseMouse(&ucProgress::MouseMove, event, host::mouseButtonsCode(event->buttons()));
}

void ucProgress::mouseReleaseEvent(QMouseEvent *event)
{
    if (!host::mouseButtonCode(event->button()))
        return;
    raiseMouse(&ucProgress::MouseUp, event, host::mouseButtonCode(event->button()));
    if (rect().contains(event->position().toPoint()))
        emit Click();
}

} // namespace controls

#include "moc_ucProgress.cpp"
