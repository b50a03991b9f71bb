#pragma once

#include "ButtonEnums.h"

#include "DeviceContext.h"
#include "GdiTypes.h"
#include "OleColor.h"
#include "Picture.h"
#include "PropertyBag.h"
#include "StdFont.h"
#include "UserControl.h"

#include <QString>

#include <cstdint>

class QTimer;

namespace controls {

class ucButtonTestAccess;

// The program's owner-drawn command button: a push or check button, flat or bevelled, with
// a caption and, in the graphical style, a picture per state. Its design-time state loads
// and saves through the property bag; every property that changes the look repaints the
// whole control into its backing image and tells the container the property changed.
//
// Enabled, FontColor, MousePointer, MouseIcon and MaskColor live on the host control
// (UserControl); the button's accessors of the same names add the repaint and the notice.
class ucButton : public host::UserControl {
    Q_OBJECT
    Q_DISABLE_COPY(ucButton)
public:
    explicit ucButton(QWidget *parent = nullptr);
    ~ucButton() override;

    void ResetToDefaultColors();

    ButtonAppearance Appearance() const { return m_appearance; }
    void setAppearance(ButtonAppearance New_Appearance);
    host::OleColor ButtonColor() const { return m_buttonColor; }
    void setButtonColor(host::OleColor New_ButtonColor);
    QString Caption() const { return m_caption; }
    void setCaption(const QString &New_Caption);
    CaptionAlignment CaptionAlign() const { return m_captionAlign; }
    void setCaptionAlign(CaptionAlignment New_CaptionAlign);
    CaptionJustification CaptionJustify() const { return m_captionJustify; }
    void setCaptionJustify(CaptionJustification New_CaptionJustify);
    host::VBool Checked() const { return m_checked; }
    void setChecked(host::VBool New_Checked);
    // The control's own enabled flag, not whether its container is enabled too.
    host::VBool Enabled() const;
    void setEnabled(host::VBool New_Enabled);
    host::VBool FlatOver() const { return m_flatOver; }
    void setFlatOver(host::VBool New_FlatOver);
    // pv_oFont itself: changing one of its attributes repaints and marks "Font" changed.
    host::Font Font() const { return pv_oFont; }
    // Copies name, size, bold, italic, underline and strikethrough into pv_oFont.
    void setFont(const host::StdFont &New_Font);
    host::OleColor FontColor() const { return ForeColor(); }
    void setFontColor(host::OleColor New_FontColor);
    // Outside -32768..32767 raises RuntimeError 6 and changes nothing.
    std::int32_t MousePointer() const { return UserControl::MousePointer(); }
    void setMousePointer(std::int32_t New_MousePointer);
    host::Picture MouseIcon() const { return UserControl::MouseIcon(); }
    void setMouseIcon(host::Picture New_MouseIcon);
    host::OleColor MaskColor() const { return UserControl::MaskColor(); }
    void setMaskColor(host::OleColor New_MaskColor);
    host::Picture Picture() const { return m_picture; }
    void setPicture(host::Picture New_Picture);
    host::Picture PictureDisabled() const { return m_pictureDisabled; }
    void setPictureDisabled(host::Picture New_PictureDisabled);
    host::Picture PictureDown() const { return m_pictureDown; }
    void setPictureDown(host::Picture New_PictureDown);
    host::Picture PictureOver() const { return m_pictureOver; }
    void setPictureOver(host::Picture New_PictureOver);
    // A negative value is stored as 0 (a bag may still load one).
    std::int32_t PictureTab() const { return m_pictureTab; }
    void setPictureTab(std::int32_t New_PictureTab);
    host::VBool ShowFocus() const { return m_showFocus; }
    void setShowFocus(host::VBool New_ShowFocus);
    ButtonStyle Style() const { return m_style; }
    void setStyle(ButtonStyle New_Style);
    host::VBool UseMaskColor() const { return m_useMaskColor; }
    void setUseMaskColor(host::VBool New_UseMaskColor);
    // True raises Click, whatever the control's state; nothing is stored.
    void setValue(host::VBool New_Value);

    // The per-channel shift of a 0x00BBGGRR colour used for the face's shades: each channel
    // plus the amount, clamped to 0..255 in the direction of the shift.
    static host::ColorRef ShiftColor(host::ColorRef color, std::int32_t amount);

signals:
    // Raised to the container; handlers may change the arguments. Button: 1 left, 2 right,
    // 4 middle (for moves, the buttons held); Shift: 1 Shift, 2 Ctrl, 4 Alt; X, Y in pixels
    // of the inner area; KeyCode a virtual-key code, KeyAscii a character code.
    void Click();
    void KeyDown(short &KeyCode, short &Shift);
    void KeyPress(short &KeyAscii);
    void KeyUp(short &KeyCode, short &Shift);
    void MouseDown(short &Button, short &Shift, float &X, float &Y);
    void MouseMove(short &Button, short &Shift, float &X, float &Y);
    void MouseUp(short &Button, short &Shift, float &X, float &Y);
    void MouseIn(short &Shift);
    void MouseOut(short &Shift);

protected:
    void InitProperties() override;
    void ReadProperties(const host::PropertyBag &bag) override;
    void WriteProperties(host::PropertyBag &bag) const override;
    void UserControl_Resize() override;

    // The host's input, focus and display notifications.
    void UserControl_Show() override;
    void UserControl_AmbientChanged(const QString &PropertyName) override;
    void UserControl_EnterFocus() override;
    void UserControl_ExitFocus() override;
    void UserControl_AccessKeyPress(short &KeyAscii) override;
    void UserControl_MouseDown(short &Button, short &Shift, float &X, float &Y) override;
    void UserControl_MouseMove(short &Button, short &Shift, float &X, float &Y) override;
    void UserControl_MouseUp(short &Button, short &Shift, float &X, float &Y) override;
    void UserControl_DblClick() override;
    void UserControl_KeyDown(short &KeyCode, short &Shift) override;
    void UserControl_KeyPress(short &KeyAscii) override;
    void UserControl_KeyUp(short &KeyCode, short &Shift) override;

private:
    // Tests read the paint layout and the input state through it (tests/controls/button).
    friend class ucButtonTestAccess;

    // Creation and destruction of the control's own resources.
    void UserControl_Initialize();
    void UserControl_Terminate();
    bool isInside(float X, float Y) const;
    // The hover timer's tick: while the pointer is over the control it asks the host which
    // window is under the pointer, and ends the hover look once that is another window.
    void tmrOver_Timer();

    // The full repaint and its steps.
    void Redraw();
    void SetFaceColors(host::OleColor color);
    void InitCaptionRects();
    void DrawPicture();
    void DrawCaption();
    void DrawBorder();
    void DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                  host::ColorRef color);
    void pv_oFont_FontChanged(const QString &PropertyName);

    // The host control's font is the widget's font; Qt fonts carry no character set, so the
    // host's one is kept beside it.
    void setHostFont(const host::StdFont &font);
    host::Font hostFont() const;
    // Makes a copy of the given font the object pv_oFont, listening to its changes.
    void bindFont(const host::StdFont &font);
    void registerAccessKey();

    ButtonAppearance m_appearance = Flat;
    host::OleColor m_buttonColor = 0;
    QString m_caption;
    CaptionAlignment m_captionAlign = AlignCenter;
    CaptionJustification m_captionJustify = JustifyLeft;
    host::VBool m_checked = host::kFalse;
    host::VBool m_flatOver = host::kFalse;
    host::Picture m_picture;
    host::Picture m_pictureDisabled;
    host::Picture m_pictureDown;
    host::Picture m_pictureOver;
    std::int32_t m_pictureTab = 0;
    host::VBool m_showFocus = host::kFalse;
    ButtonStyle m_style = Standard;
    host::VBool m_useMaskColor = host::kFalse;

    host::Font pv_oFont;
    std::int16_t m_hostFontCharset = 0;

    host::VBool HasFocus = host::kFalse;
    host::VBool IsDown = host::kFalse;
    host::VBool IsOver = host::kFalse;
    short LastButton = 0;
    short LastShift = 0;
    float LastX = 0;
    float LastY = 0;
    host::VBool KeyIsDown = host::kFalse;

    host::ColorRef FaceColor = 0;
    host::ColorRef LightColor = 0;
    host::ColorRef ShadowColor = 0;
    host::ColorRef HighlightColor = 0;
    host::ColorRef DarkShadowColor = 0;
    // The 8 x 8 checkerboard that fills the face of a checked check button.
    host::HBRUSH PatternBrush;

    // Runs only while the pointer is over the control.
    QTimer *tmrOver = nullptr;
    // The host's count of pointer changes at the timer's last tick.
    std::uint64_t PointerChangesSeen = 0;

    // Paint layout: kept by the resize handler (ClientRect, FocusRect) and rebuilt by every
    // paint (the caption rectangles, HasPicture).
    host::RECT ClientRect;
    host::RECT FocusRect;
    host::RECT CaptionRect;
    host::RECT CaptionRectDown;
    host::VBool HasPicture = host::kFalse;
    // The control's device context: draws on its backing image with its font and colours.
    host::DeviceContext m_hDC{&backingImage()};
};

} // namespace controls
