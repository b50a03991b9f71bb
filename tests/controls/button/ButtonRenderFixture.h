#pragma once

#include "ucButtonTestAccess.h"

#include "Gdi.h"
#include "PropertyBagCodecs.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <set>
#include <utility>

namespace host {

inline void PrintTo(const RECT &r, std::ostream *os)
{
    *os << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ')';
}

} // namespace host

namespace button_render {

using Pixel = std::pair<int, int>;
using PixelSet = std::set<Pixel>;

constexpr host::ColorRef kFace = host::RGB(212, 208, 200);
constexpr host::ColorRef kLight = host::RGB(243, 239, 231);
constexpr host::ColorRef kHighlight = host::RGB(255, 255, 255);
constexpr host::ColorRef kShadow = host::RGB(148, 144, 136);
constexpr host::ColorRef kDarkShadow = host::RGB(20, 16, 8);
constexpr host::ColorRef kCaptionColor = host::RGB(0, 0, 128);

// A fixed face, drawn without smoothing, so that caption pixels are exactly the text colours
// and do not depend on the machine's fonts. It is the Song face the window's buttons get, in
// which a 12-pixel font has the 12-pixel lines the window's layout was made for.
inline QFont testFont(int pixelSize)
{
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(
            QStringLiteral("/usr/share/fonts/truetype/arphic/uming.ttc"));
        return QFontDatabase::applicationFontFamilies(id).value(0,
                                                                QStringLiteral("AR PL UMing CN"));
    }();
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// The test face at the smallest size whose lines are this many pixels high, or a null
// family when there is none.
inline QFont testFontWithLineHeight(int lineHeight)
{
    QImage probe(1, 1, QImage::Format_RGB32);
    for (int size = 4; size < 4 * lineHeight; ++size) {
        const QFont font = testFont(size);
        if (QFontMetrics(font, &probe).height() == lineHeight)
            return font;
    }
    return QFont(QString());
}

inline int lineHeightOf(const QFont &font)
{
    QImage probe(1, 1, QImage::Format_RGB32);
    return QFontMetrics(font, &probe).height();
}

inline host::ColorRef colorAt(const QImage &image, int x, int y)
{
    return host::fromQRgb(image.pixel(x, y));
}

inline PixelSet pixelsOf(const QImage &image, host::ColorRef color)
{
    PixelSet pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (colorAt(image, x, y) == color)
                pixels.emplace(x, y);
    return pixels;
}

// Pixels from (x1, y1) to (x2, y2), both included, along a row or a column.
inline PixelSet run(int x1, int y1, int x2, int y2)
{
    PixelSet pixels;
    for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
        for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x)
            pixels.emplace(x, y);
    return pixels;
}

inline PixelSet operator+(PixelSet a, const PixelSet &b)
{
    a.insert(b.begin(), b.end());
    return a;
}

// The smallest rectangle holding every pixel of the area that is not the given colour.
inline QRect inkBounds(const QImage &image, host::ColorRef background, const QRect &area)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (colorAt(image, x, y) != background)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// A button on no container, of the given inner size, with a plain RGB face, no caption and
// the test font; every state change goes through the host's notifications, as the user's
// input would.
class ButtonRenderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { host::registerPropertyBagCodecs(); }

    void makeButton(int width, int height, controls::ButtonAppearance appearance = controls::Flat)
    {
        makeHiddenButton(width, height, appearance);
        button->show();
    }

    // The same button, not yet shown.
    void makeHiddenButton(int width, int height,
                          controls::ButtonAppearance appearance = controls::Flat)
    {
        button = std::make_unique<WatchedButton>();
        button->resize(width, height);
        host::Ambient ambient;
        ambient.displayName = QStringLiteral("ucButton1");
        button->createNew(ambient);
        static_cast<QWidget &>(*button).setFont(testFont(12));
        button->setCaption(QString());
        button->setButtonColor(kFace);
        button->setFontColor(kCaptionColor);
        button->setShowFocus(host::kFalse);
        button->setAppearance(appearance);
    }

    const QImage &image() const { return button->backingImage(); }
    host::ColorRef at(int x, int y) const { return colorAt(image(), x, y); }

    void setFont(const QFont &font)
    {
        static_cast<QWidget &>(*button).setFont(font);
        button->setCaption(button->Caption());
    }

    void press(Qt::MouseButton which = Qt::LeftButton) { mouse(QEvent::MouseButtonPress, which); }
    void release(Qt::MouseButton which = Qt::LeftButton)
    {
        mouse(QEvent::MouseButtonRelease, which);
    }
    void hover() { mouse(QEvent::MouseMove, Qt::NoButton); }
    void focusIn() { focus(QEvent::FocusIn); }
    void focusOut() { focus(QEvent::FocusOut); }

    std::unique_ptr<WatchedButton> button;

private:
    void mouse(QEvent::Type type, Qt::MouseButton which)
    {
        const QPointF inside(2, 2);
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonPress ? Qt::MouseButtons(which) : Qt::MouseButtons();
        QMouseEvent event(type, inside, button->mapToGlobal(inside), which, held, Qt::NoModifier);
        QCoreApplication::sendEvent(button.get(), &event);
    }
    void focus(QEvent::Type type)
    {
        QFocusEvent event(type, Qt::TabFocusReason);
        QCoreApplication::sendEvent(button.get(), &event);
    }
};

} // namespace button_render
