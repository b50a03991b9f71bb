#pragma once

#include <QJsonObject>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <vector>

namespace host {

// A user control's saved design-time state: values by key, keys matched without regard to
// case, a value equal to the default given with it not stored. Keys keep the order in which
// they were written, which is the order a control reads them back.
class PropertyBag {
public:
    QVariant ReadProperty(const QString &name, const QVariant &defaultValue = {}) const;
    void WriteProperty(const QString &name, const QVariant &value, const QVariant &defaultValue = {});

    bool contains(const QString &name) const;
    QStringList keys() const;
    bool isEmpty() const { return m_entries.empty(); }

    // Scalars (numbers, Booleans, text) map to JSON as they are; objects (fonts, pictures)
    // go through the converters registered below, keyed by the QVariant's meta type.
    static PropertyBag fromJson(const QJsonObject &json);
    QJsonObject toJson() const;

    struct ObjectCodec {
        QString tag; // the JSON key that marks an object of this kind: {"font": {...}}
        int metaTypeId;
        std::function<QJsonValue(const QVariant &)> encode;
        std::function<QVariant(const QJsonValue &)> decode;
        std::function<bool(const QVariant &, const QVariant &)> equal;
    };
    static void registerObjectCodec(ObjectCodec codec);

    // Whether two bag values count as equal for leaving out a default.
    static bool sameValue(const QVariant &a, const QVariant &b);

private:
    struct Entry {
        QString name;
        QVariant value;
    };
    const Entry *find(const QString &name) const;
    std::vector<Entry> m_entries;
};

// The runtime's conversions of a bag value to a property's type. A value that cannot be
// converted raises RuntimeError 13 (type mismatch); one out of range raises 6 (overflow).
bool toBoolean(const QVariant &value);
std::int32_t toLong(const QVariant &value);
std::int16_t toInteger(const QVariant &value);
QString toText(const QVariant &value);

// Booleans of the controls are 16-bit: True is -1, False is 0.
using VBool = std::int16_t;
constexpr VBool kTrue = -1;
constexpr VBool kFalse = 0;
constexpr VBool fromBool(bool b) { return b ? kTrue : kFalse; }

} // namespace host
