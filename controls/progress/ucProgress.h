#pragma once

#include "DeviceContext.h"
#include "GdiTypes.h"
#include "UserControl.h"

#include <cstdint>

namespace controls {

class ucProgressTestAccess;

// A bar that shows Value between 0 and Max: the filled part in ForeColor from the left (or
// from the bottom when vertical), the rest in BackColor, drawn as two solid rectangles. A
// Value change that moves the bar by a whole pixel paints at once, inside the setter, so
// the bar keeps up with long work that does not return to the event loop.
class ucProgress : public host::UserControl {
    Q_OBJECT
    Q_DISABLE_COPY(ucProgress)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(int Orientation READ Orientation WRITE setOrientation)
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(short Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(int Max READ Max WRITE setMax)
    // The user property is the control's default one: assigning to the control assigns Value.
    Q_PROPERTY(int Value READ Value WRITE setValue USER true)
public:
    explicit ucProgress(QWidget *parent = nullptr);
    ~ucProgress() override;

    // 0 no edge, 1 thin sunken edge, 2 sunken 3D edge; other values change no edge.
    std::int32_t BorderStyle() const { return m_BorderStyle; }
    void setBorderStyle(std::int32_t New_BorderStyle);
    // 0 fills from the left, 1 from the bottom. Every assignment exchanges the control's
    // width and height, also one that keeps the value.
    std::int32_t Orientation() const { return m_Orientation; }
    void setOrientation(std::int32_t New_Orientation);
    host::OleColor BackColor() const { return m_BackColor; }
    void setBackColor(host::OleColor New_BackColor);
    // The filled part's colour; it is the bar's own and not the host-held text colour.
    host::OleColor ForeColor() const { return m_ForeColor; }
    void setForeColor(host::OleColor New_ForeColor);
    // The control's own enabled state, not the one it inherits from its container.
    host::VBool Enabled() const;
    void setEnabled(host::VBool New_Enabled);
    // Raises RuntimeError 380 below 1. A new Max shows with the next Value change or resize.
    std::int32_t Max() const { return m_Max; }
    void setMax(std::int32_t New_Max);
    // Not limited to 0..Max: above it the bar is full, below 0 empty.
    std::int32_t Value() const { return m_Value; }
    void setValue(std::int32_t New_Value);

signals:
    // Raised straight from the control's own events; handlers may change the arguments.
    // Button: 1 left, 2 right, 4 middle; Shift: 1 Shift, 2 Ctrl, 4 Alt; x, y in pixels of
    // the inner area.
    void Click();
    void MouseDown(short &Button, short &Shift, float &x, float &y);
    void MouseMove(short &Button, short &Shift, float &x, float &y);
    void MouseUp(short &Button, short &Shift, float &x, float &y);

protected:
    void InitProperties() override;
    void ReadProperties(const host::PropertyBag &bag) override;
    void WriteProperties(host::PropertyBag &bag) const override;
    void UserControl_Paint() override;
    void UserControl_Resize() override;

    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // Tests read the areas, lengths and brushes through it (tests/controls/progress).
    friend class ucProgressTestAccess;

    void CalcFillLength();
    void CalcRects();
    void MakeFillBrush();
    void MakeBackBrush();
    void ApplyBorderStyle();
    void ChangeWindowStyle(std::int32_t index, std::int32_t setBits, std::int32_t clearBits);

    void setUp();
    void paintNow();
    void recalcAndPaint();
    void raiseMouse(void (ucProgress::*signal)(short &, short &, float &, float &),
                    const QMouseEvent *mouse, short button);

    std::int32_t m_Orientation = 0;
    std::int32_t m_BorderStyle = 0;
    host::OleColor m_BackColor = 0;
    host::OleColor m_ForeColor = 0;
    std::int32_t m_Max = 0;
    std::int32_t m_Value = 0;
    host::RECT m_FillArea;
    host::RECT m_BackArea;
    std::int32_t m_FillLength = 0;
    std::int32_t m_PaintedLength = 0;
    host::HBRUSH m_FillBrush;
    host::HBRUSH m_BackBrush;
    // The control's device context: draws on its backing image.
    host::DeviceContext m_hDC;
};

} // namespace controls
