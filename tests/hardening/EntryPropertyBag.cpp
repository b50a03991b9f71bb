#include "FuzzEntries.h"

#include "PropertyBag.h"
#include "RuntimeError.h"

#include <QJsonDocument>

#include <algorithm>

namespace fuzzing {

namespace {

// The runtime's conversions either give a value or raise 13 (type mismatch) or 6
// (overflow); nothing else escapes.
template <typename Conversion> void convert(Conversion conversion, const QVariant &value)
{
    try {
        conversion(value);
    } catch (const host::RuntimeError &error) {
        require(error.number() == host::RuntimeError::TypeMismatch ||
                    error.number() == host::RuntimeError::Overflow,
                "conversions raise only 13 or 6");
    }
}

} // namespace

// A bag from any JSON text: object values decode or raise the error of their kind, every
// value converts or raises 13 or 6, and what the bag writes it reads back the same.
void propertyBag(const std::uint8_t *data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QJsonDocument document = QJsonDocument::fromJson(text);
    if (!document.isObject())
        return;

    host::PropertyBag bag;
    try {
        bag = host::PropertyBag::fromJson(document.object());
    } catch (const host::RuntimeError &error) {
        // 13 for a font without its form, 380 for a font size out of range, 481 for a
        // picture that is none.
        require(error.number() == host::RuntimeError::TypeMismatch ||
                    error.number() == host::RuntimeError::InvalidPropertyValue ||
                    error.number() == host::RuntimeError::InvalidPicture,
                "an object that is not a font or picture raises 13, 380 or 481");
        return;
    }

    for (const QString &key : bag.keys()) {
        const QVariant value = bag.ReadProperty(key);
        require(value.isValid(), "a stored key has a value");
        // Outside ASCII, upper-casing can change a name's length or fold differently.
        const bool ascii =
            std::all_of(key.begin(), key.end(), [](QChar ch) { return ch.unicode() < 0x80; });
        require(!ascii || (bag.contains(key.toUpper()) && bag.contains(key.toLower())),
                "keys match without regard to case");
        convert(&host::toBoolean, value);
        convert(&host::toLong, value);
        convert(&host::toInteger, value);
        convert(&host::toText, value);
        require(host::PropertyBag::sameValue(value, value), "a value equals itself");
    }

    const QJsonObject written = bag.toJson();
    const host::PropertyBag reread = host::PropertyBag::fromJson(written);
    require(reread.toJson() == written, "a bag reads back what it wrote");
}

} // namespace fuzzing
