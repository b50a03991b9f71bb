#pragma once

#include <QFont>
#include <QObject>
#include <QString>

#include <cstdint>
#include <memory>

namespace host
{

// The runtime's standard font object: a face name, a size in points, four style flags and
// a character set. Every setter that changes its attribute raises FontChanged once, naming
// the attribute; setting an attribute to the value it already holds raises nothing.
class StdFont : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(StdFont)
public:
    // A new font object: the application's default face and size, no style, character set 0.
    StdFont();
    ~StdFont() override;

    // The attributes of a Qt font; Qt fonts carry no character set, so it is given.
    static std::shared_ptr<StdFont> fromQFont(const QFont &font, std::int16_t charset = 0);
    std::shared_ptr<StdFont> clone() const;
    QFont toQFont() const;
    // Same name, size, style flags and character set.
    bool sameAttributes(const StdFont &other) const;

    QString Name() const { return m_name; }
    void setName(const QString &name);
    // Points. A size that is not above 0 or beyond the largest a font can have raises
    // RuntimeError 380 and changes nothing.
    double Size() const { return m_size; }
    void setSize(double size);
    bool Bold() const { return m_bold; }
    void setBold(bool bold);
    bool Italic() const { return m_italic; }
    void setItalic(bool italic);
    bool Underline() const { return m_underline; }
    void setUnderline(bool underline);
    bool Strikethrough() const { return m_strikethrough; }
    void setStrikethrough(bool strikethrough);
    std::int16_t Charset() const { return m_charset; }
    void setCharset(std::int16_t charset);

    static constexpr double kMaxSize = 2160.0;

signals:
    void FontChanged(const QString &PropertyName);

private:
    QString m_name;
    double m_size = 0.0;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    bool m_strikethrough = false;
    std::int16_t m_charset = 0;
};

using Font = std::shared_ptr<StdFont>;

} // namespace host
