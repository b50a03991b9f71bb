#include "PropertyBagCodecs.h"

#include "Picture.h"
#include "PropertyBag.h"
#include "RuntimeError.h"
#include "StdFont.h"

#include <QBuffer>
#include <QJsonObject>

#include <limits>

namespace host
{

namespace
{

QJsonValue encodeFont(const QVariant &value)
{
    const Font font = value.value<Font>();
    if (!font)
        return QJsonValue();
    return QJsonObject{
        {QStringLiteral("name"), font->Name()},
        {QStringLiteral("size"), font->Size()},
        {QStringLiteral("bold"), font->Bold()},
        {QStringLiteral("italic"), font->Italic()},
        {QStringLiteral("underline"), font->Underline()},
        {QStringLiteral("strikethrough"), font->Strikethrough()},
        {QStringLiteral("charset"), font->Charset()},
    };
}

QVariant decodeFont(const QJsonValue &json)
{
    const QJsonObject object = json.toObject();
    const QJsonValue name = object.value(u"name");
    const QJsonValue size = object.value(u"size");
    if (!json.isObject() || !name.isString() || !size.isDouble())
        throw RuntimeError::typeMismatch();
    auto flag = [&](QStringView key) {
        const QJsonValue v = object.value(key);
        if (v.isUndefined())
            return false;
        if (!v.isBool())
            throw RuntimeError::typeMismatch();
        return v.toBool();
    };
    // A character set is a whole 16-bit number; toInt gives the fallback for anything else.
    constexpr int kNotWhole = std::numeric_limits<int>::min();
    const QJsonValue charsetValue = object.value(u"charset");
    const int charset = charsetValue.isUndefined() ? 0 : charsetValue.toInt(kNotWhole);
    if (charset < std::numeric_limits<std::int16_t>::min() ||
        charset > std::numeric_limits<std::int16_t>::max())
        throw RuntimeError::typeMismatch();

    auto font = std::make_shared<StdFont>();
    font->setName(name.toString());
    font->setSize(size.toDouble());
    font->setBold(flag(u"bold"));
    font->setItalic(flag(u"italic"));
    font->setUnderline(flag(u"underline"));
    font->setStrikethrough(flag(u"strikethrough"));
    font->setCharset(static_cast<std::int16_t>(charset));
    return QVariant::fromValue(font);
}

bool equalFonts(const QVariant &a, const QVariant &b)
{
    const Font x = a.value<Font>();
    const Font y = b.value<Font>();
    if (!x || !y)
        return x == y;
    return x->sameAttributes(*y);
}

QJsonValue encodePicture(const QVariant &value)
{
    const Picture picture = value.value<Picture>();
    if (!picture)
        return QJsonValue();
    QJsonObject object{{QStringLiteral("type"), picture->pictureType()}};
    if (!picture->isEmpty()) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        picture->image().save(&buffer, "PNG");
        object.insert(QStringLiteral("png"), QString::fromLatin1(png.toBase64()));
    }
    return object;
}

QVariant decodePicture(const QJsonValue &json)
{
    const QJsonObject object = json.toObject();
    const QJsonValue type = object.value(u"type");
    const QJsonValue png = object.value(u"png");
    if (!json.isObject() || !type.isDouble())
        throw RuntimeError::invalidPicture();
    const int kind = type.toInt(-1);
    if (kind == StdPicture::None && png.isUndefined())
        return QVariant::fromValue(LoadPicture());
    if (kind < StdPicture::Bitmap || kind > StdPicture::EnhMetafile || !png.isString())
        throw RuntimeError::invalidPicture();

    const QByteArray bytes =
        QByteArray::fromBase64(png.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    QImage image = QImage::fromData(bytes, "PNG");
    if (image.isNull())
        throw RuntimeError::invalidPicture();
    // Bitmaps are opaque; icons and metafiles keep their transparency.
    image = image.convertToFormat(kind == StdPicture::Bitmap ? QImage::Format_RGB32
                                                             : QImage::Format_ARGB32);
    return QVariant::fromValue(
        StdPicture::makeOfType(static_cast<StdPicture::Type>(kind), std::move(image)));
}

bool equalPictures(const QVariant &a, const QVariant &b)
{
    const Picture x = a.value<Picture>();
    const Picture y = b.value<Picture>();
    if (!x || !y || x == y)
        return x == y;
    return x->pictureType() == y->pictureType() && x->isEmpty() == y->isEmpty() &&
           x->image().convertToFormat(QImage::Format_ARGB32) ==
               y->image().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

void registerPropertyBagCodecs()
{
    PropertyBag::registerObjectCodec(
        {QStringLiteral("font"), qMetaTypeId<Font>(), encodeFont, decodeFont, equalFonts});
    PropertyBag::registerObjectCodec({QStringLiteral("picture"), qMetaTypeId<Picture>(),
                                      encodePicture, decodePicture, equalPictures});
}

} // namespace host
