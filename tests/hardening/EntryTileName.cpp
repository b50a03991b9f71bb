#include "FuzzEntries.h"
#include "FuzzInput.h"

#include "TileFolder.h"
#include "TileNaming.h"

#include <QStringList>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace fuzzing {

namespace {

std::optional<int> hexValue(QChar ch)
{
    const char16_t u = ch.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return std::nullopt;
}

// The palette's rule: two hexadecimal digits, or one followed by the dot of ".bmp".
std::optional<std::uint8_t> referenceCode(const QString &name)
{
    if (name.size() < 2)
        return std::nullopt;
    const auto high = hexValue(name[0]);
    if (!high)
        return std::nullopt;
    if (name[1] == u'.')
        return static_cast<std::uint8_t>(*high);
    const auto low = hexValue(name[1]);
    if (!low)
        return std::nullopt;
    return static_cast<std::uint8_t>(*high * 16 + *low);
}

QString nameFrom(FuzzInput &in)
{
    // Half the names as UTF-8 (which repairs broken sequences), half as raw UTF-16 code
    // units, lone surrogates included.
    const bool utf16 = in.byte() % 2 == 1;
    const QByteArray raw = in.bytes(in.byte() % 24);
    if (!utf16)
        return QString::fromUtf8(raw);
    std::u16string units(static_cast<std::size_t>(raw.size()) / 2, u'\0');
    std::memcpy(units.data(), raw.constData(), units.size() * sizeof(char16_t));
    return QString::fromStdU16String(units);
}

} // namespace

// Palette codes from arbitrary names, map-view names for every code, and the listing
// order, which std::sort relies on being a strict weak order.
void tileName(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    const std::uint8_t code = in.byte();
    const QString own = core::tileFileName(code);
    require(core::paletteTileCode(own) == code, "a code's own file name gives the code back");
    require(own == own.toUpper().replace(QStringLiteral(".BMP"), QStringLiteral(".bmp")),
            "map-view names are upper-case hexadecimal");

    std::vector<QString> names;
    while (!in.atEnd() && names.size() < 16)
        names.push_back(nameFrom(in));
    for (const QString &name : names)
        require(core::paletteTileCode(name) == referenceCode(name), "palette code rule");

    const auto before = &core::TileFolder::listsBefore;
    for (const QString &a : names) {
        require(!before(a, a), "listing order is irreflexive");
        for (const QString &b : names) {
            require(!(before(a, b) && before(b, a)), "listing order is asymmetric");
            require(before(a, b) || before(b, a) || a == b, "only equal names tie");
            for (const QString &c : names)
                if (before(a, b) && before(b, c))
                    require(before(a, c), "listing order is transitive");
        }
    }
    QStringList sorted(names.begin(), names.end());
    std::sort(sorted.begin(), sorted.end(), before);
    require(std::is_sorted(sorted.begin(), sorted.end(), before), "sorted by the listing order");
}

} // namespace fuzzing
