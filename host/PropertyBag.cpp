#include "PropertyBag.h"

#include "RuntimeError.h"

#include <QJsonArray>

#include <cmath>
#include <limits>

namespace host {

namespace {

std::vector<PropertyBag::ObjectCodec> &codecs()
{
    static std::vector<PropertyBag::ObjectCodec> registered;
    return registered;
}

const PropertyBag::ObjectCodec *codecForType(int metaTypeId)
{
    for (const auto &codec : codecs())
        if (codec.metaTypeId == metaTypeId)
            return &codec;
    return nullptr;
}

bool isNumber(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

double toWholeNumber(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? -1.0 : 0.0;
    if (isNumber(value))
        return std::nearbyint(value.toDouble());
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        // "&H8000000F&" is a 32-bit hexadecimal literal: its bits are the number.
        if (text.startsWith(QStringLiteral("&H"), Qt::CaseInsensitive)) {
            bool ok = false;
            QString digits = text.mid(2);
            if (digits.endsWith(u'&'))
                digits.chop(1);
            const qulonglong bits = digits.toULongLong(&ok, 16);
            if (ok && bits <= 0xFFFFFFFFull)
                return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(bits)));
            throw RuntimeError::typeMismatch();
        }
        bool ok = false;
        const double d = text.toDouble(&ok);
        if (ok)
            return std::nearbyint(d);
    }
    if (!value.isValid())
        return 0.0;
    throw RuntimeError::typeMismatch();
}

} // namespace

QVariant PropertyBag::ReadProperty(const QString &name, const QVariant &defaultValue) const
{
    const Entry *entry = find(name);
    return entry ? entry->value : defaultValue;
}

void PropertyBag::WriteProperty(const QString &name, const QVariant &value,
                                const QVariant &defaultValue)
{
    std::erase_if(m_entries, [&](const Entry &e) {
        return e.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    if (defaultValue.isValid() && sameValue(value, defaultValue))
        return;
    if (!value.isValid())
        return;
    m_entries.push_back({name, value});
}

bool PropertyBag::contains(const QString &name) const { return find(name) != nullptr; }

QStringList PropertyBag::keys() const
{
    QStringList names;
    for (const auto &e : m_entries)
        names << e.name;
    return names;
}

const PropertyBag::Entry *PropertyBag::find(const QString &name) const
{
    for (const auto &e : m_entries)
        if (e.name.compare(name, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

bool PropertyBag::sameValue(const QVariant &a, const QVariant &b)
{
    if (isNumber(a) && isNumber(b))
        return a.toDouble() == b.toDouble();
    if (a.typeId() == b.typeId())
        if (const auto *codec = codecForType(a.typeId()))
            return codec->equal(a, b);
    return a == b;
}

void PropertyBag::registerObjectCodec(ObjectCodec codec)
{
    for (auto &existing : codecs())
        if (existing.metaTypeId == codec.metaTypeId) {
            existing = std::move(codec);
            return;
        }
    codecs().push_back(std::move(codec));
}

PropertyBag PropertyBag::fromJson(const QJsonObject &json)
{
    PropertyBag bag;
    for (auto it = json.begin(); it != json.end(); ++it) {
        QVariant value;
        const QJsonValue v = it.value();
        if (v.isObject() && v.toObject().size() == 1) {
            const QJsonObject wrapper = v.toObject();
            for (const auto &codec : codecs())
                if (wrapper.contains(codec.tag))
                    value = codec.decode(wrapper.value(codec.tag));
        } else if (v.isDouble()) {
            const double d = v.toDouble();
            if (d == std::floor(d) && std::abs(d) < 9.0e15)
                value = static_cast<qlonglong>(d);
            else
                value = d;
        } else {
            value = v.toVariant();
        }
        if (value.isValid())
            bag.m_entries.push_back({it.key(), value});
    }
    return bag;
}

QJsonObject PropertyBag::toJson() const
{
    QJsonObject json;
    for (const auto &e : m_entries) {
        if (const auto *codec = codecForType(e.value.typeId()))
            json.insert(e.name, QJsonObject{{codec->tag, codec->encode(e.value)}});
        else
            json.insert(e.name, QJsonValue::fromVariant(e.value));
    }
    return json;
}

bool toBoolean(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return toWholeNumber(value) != 0.0;
}

std::int32_t toLong(const QVariant &value)
{
    const double d = toWholeNumber(value);
    if (d < std::numeric_limits<std::int32_t>::min() || d > std::numeric_limits<std::int32_t>::max())
        throw RuntimeError::overflow();
    return static_cast<std::int32_t>(d);
}

std::int16_t toInteger(const QVariant &value)
{
    const double d = toWholeNumber(value);
    if (d < std::numeric_limits<std::int16_t>::min() || d > std::numeric_limits<std::int16_t>::max())
        throw RuntimeError::overflow();
    return static_cast<std::int16_t>(d);
}

QString toText(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (!value.canConvert<QString>())
        throw RuntimeError::typeMismatch();
    return value.toString();
}

} // namespace host
