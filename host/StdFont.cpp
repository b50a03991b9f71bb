#include "StdFont.h"

#include "FontDensity.h"
#include "RuntimeError.h"

namespace host {

namespace {

double pointSizeOf(const QFont &font)
{
    if (font.pointSizeF() > 0)
        return layoutPointSize(font.pointSizeF());
    // A font sized in pixels: points at 96 dots per inch.
    return font.pixelSize() * 72.0 / 96.0;
}

} // namespace

StdFont::StdFont()
{
    const QFont font;
    m_name = font.family();
    m_size = pointSizeOf(font);
}

StdFont::~StdFont() = default;

std::shared_ptr<StdFont> StdFont::fromQFont(const QFont &font, std::int16_t charset)
{
    auto result = std::make_shared<StdFont>();
    result->m_name = font.family();
    result->m_size = pointSizeOf(font);
    result->m_bold = font.bold();
    result->m_italic = font.italic();
    result->m_underline = font.underline();
    result->m_strikethrough = font.strikeOut();
    result->m_charset = charset;
    return result;
}

std::shared_ptr<StdFont> StdFont::clone() const
{
    auto result = std::make_shared<StdFont>();
    result->m_name = m_name;
    result->m_size = m_size;
    result->m_bold = m_bold;
    result->m_italic = m_italic;
    result->m_underline = m_underline;
    result->m_strikethrough = m_strikethrough;
    result->m_charset = m_charset;
    return result;
}

QFont StdFont::toQFont() const
{
    QFont font(m_name);
    if (m_size > 0)
        font.setPointSizeF(displayPointSize(m_size));
    font.setBold(m_bold);
    font.setItalic(m_italic);
    font.setUnderline(m_underline);
    font.setStrikeOut(m_strikethrough);
    // Controls draw their text as the platform's GDI does for these small interface
    // fonts: whole pixels in the text colour, without smoothing.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

bool StdFont::sameAttributes(const StdFont &other) const
{
    return m_name == other.m_name && m_size == other.m_size && m_bold == other.m_bold &&
           m_italic == other.m_italic && m_underline == other.m_underline &&
           m_strikethrough == other.m_strikethrough && m_charset == other.m_charset;
}

void StdFont::setName(const QString &name)
{
    if (name == m_name)
        return;
    m_name = name;
    emit FontChanged(QStringLiteral("Name"));
}

void StdFont::setSize(double size)
{
    // Written so that a NaN fails the test as well.
    if (!(size > 0.0 && size <= kMaxSize))
        throw RuntimeError::invalidPropertyValue();
    if (size == m_size)
        return;
    m_size = size;
    emit FontChanged(QStringLiteral("Size"));
}

void StdFont::setBold(bool bold)
{
    if (bold == m_bold)
        return;
    m_bold = bold;
    emit FontChanged(QStringLiteral("Bold"));
}

void StdFont::setItalic(bool italic)
{
    if (italic == m_italic)
        return;
    m_italic = italic;
    emit FontChanged(QStringLiteral("Italic"));
}

void StdFont::setUnderline(bool underline)
{
    if (underline == m_underline)
        return;
    m_underline = underline;
    emit FontChanged(QStringLiteral("Underline"));
}

void StdFont::setStrikethrough(bool strikethrough)
{
    if (strikethrough == m_strikethrough)
        return;
    m_strikethrough = strikethrough;
    emit FontChanged(QStringLiteral("Strikethrough"));
}

void StdFont::setCharset(std::int16_t charset)
{
    if (charset == m_charset)
        return;
    m_charset = charset;
    emit FontChanged(QStringLiteral("Charset"));
}

} // namespace host

#include "moc_StdFont.cpp"
