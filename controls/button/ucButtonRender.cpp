#include "ucButton.h"

#include <QPainter>

namespace controls
{

void ucButton::SetFaceColors(host::OleColor color)
{
    // A colour that cannot be translated is used as it is.
    FaceColor = host::OleTranslateColor(color).value_or(color);
    LightColor = ShiftColor(FaceColor, 31);
    HighlightColor = ShiftColor(FaceColor, 63);
    ShadowColor = ShiftColor(FaceColor, -64);
    DarkShadowColor = ShiftColor(FaceColor, -192);
}

host::ColorRef ucButton::ShiftColor(host::ColorRef color, std::int32_t amount)
{
    auto shift = [amount](int channel) {
        const std::int64_t value = std::int64_t{channel} + amount;
        if (amount > 0 && value > 255)
            return 255;
        if (amount < 0 && value < 0)
            return 0;
        return static_cast<int>(value);
    };
    return host::RGB(shift(host::GetRValue(color)), shift(host::GetGValue(color)),
                     shift(host::GetBValue(color)));
}

void ucButton::UserControl_Resize()
{
    Redraw();
}

void ucButton::Redraw()
{
    ++m_redrawCount;
    QImage &image = backingImage();
    if (!image.isNull()) {
        QPainter painter(&image);
        const QRect area = image.rect();
        painter.fillRect(area, QColor::fromRgb(host::toQRgb(FaceColor)));
        // A raised one-pixel edge: lit top and left, shaded bottom and right.
        painter.setPen(QColor::fromRgb(host::toQRgb(HighlightColor)));
        painter.drawLine(area.topLeft(), area.topRight());
        painter.drawLine(area.topLeft(), area.bottomLeft());
        painter.setPen(QColor::fromRgb(host::toQRgb(ShadowColor)));
        painter.drawLine(area.bottomLeft(), area.bottomRight());
        painter.drawLine(area.topRight(), area.bottomRight());
        painter.setFont(QWidget::font());
        painter.setPen(QColor::fromRgb(host::toQRgb(host::translateOrBlack(FontColor()))));
        painter.drawText(area, Qt::AlignCenter | Qt::TextShowMnemonic, m_caption);
    }
    Refresh();
}

} // namespace controls
