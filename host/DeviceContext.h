#pragma once

#include "GdiObjects.h"
#include "GdiTypes.h"
#include "OleColor.h"
#include "Picture.h"
#include "SolidAreas.h"

#include <QFont>
#include <QImage>

namespace host {

// A device context: the image that drawing goes to and the drawing state the calls of
// Gdi.h read and change. A window's context draws on the window's backing image; a memory
// context (CreateCompatibleDC) draws on the bitmap selected into it.
class DeviceContext {
public:
    // A window's context on surface, which must outlive it. Text is drawn with a
    // transparent background, as the runtime's drawing surfaces draw it.
    explicit DeviceContext(QImage *surface);

    // Where drawing goes now; nullptr when there is nothing to draw on.
    QImage *surface();
    bool isMemory() const { return m_window == nullptr; }

    ColorRef textColor() const { return m_textColor; }
    void setTextColor(ColorRef color) { m_textColor = color; }
    ColorRef bkColor() const { return m_bkColor; }
    void setBkColor(ColorRef color) { m_bkColor = color; }
    int bkMode() const { return m_bkMode; }
    void setBkMode(int mode) { m_bkMode = mode; }

    // The selected font; text is measured and drawn with it.
    const QFont &font() const { return m_font; }
    void setFont(const QFont &font) { m_font = font; }

    POINT position() const { return m_position; }
    void setPosition(POINT position) { m_position = position; }

    HPEN pen() const { return m_pen; }
    void setPen(HPEN pen) { m_pen = pen; }
    HBRUSH brush() const { return m_brush; }
    void setBrush(HBRUSH brush) { m_brush = brush; }

    // A memory context's bitmap: an object of the table, or a bitmap picture held for as
    // long as it is selected (bitmap() is then 0). Drawing into a selected picture changes
    // the context's copy, never the picture.
    HBITMAP bitmap() const { return m_bitmap; }
    void setBitmap(HBITMAP bitmap);
    void setBitmap(const Picture &picture);

    // What the context's own solid fills left on its surface.
    SolidAreas &solidAreas() { return m_solidAreas; }

private:
    friend HDC CreateCompatibleDC(const DeviceContext *reference);
    DeviceContext() = default;
    Q_DISABLE_COPY(DeviceContext)

    QImage *m_window = nullptr;
    HBITMAP m_bitmap = kStockBitmap;
    Picture m_picture;
    QImage m_pictureImage;
    ColorRef m_textColor = RGB(0, 0, 0);
    ColorRef m_bkColor = RGB(255, 255, 255);
    int m_bkMode = OPAQUE;
    QFont m_font;
    POINT m_position;
    HPEN m_pen = kStockPen;
    HBRUSH m_brush = kStockBrush;
    SolidAreas m_solidAreas;
};

} // namespace host
