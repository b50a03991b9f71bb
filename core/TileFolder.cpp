#include "TileFolder.h"

#include "TileNaming.h"

#include <QDir>

#include <algorithm>

namespace core {

namespace {

int compareUpperCased(const QString &a, const QString &b)
{
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t x = a[i].toUpper().unicode();
        const char16_t y = b[i].toUpper().unicode();
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

TileFolder::TileFolder(const QString &path) : m_path(path)
{
    // Without QDir::Hidden, QDir leaves out names starting with "."; without
    // QDir::System, sockets, devices and broken links.
    const QDir folder(path);
    m_fileNames = folder.entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Unsorted);
    std::sort(m_fileNames.begin(), m_fileNames.end(), &TileFolder::listsBefore);

    std::array<bool, 256> exact{};
    for (const QString &name : std::as_const(m_fileNames)) {
        const auto code = paletteTileCode(name);
        if (!code)
            continue;
        const QString canonical = tileFileName(*code);
        if (name.compare(canonical, Qt::CaseInsensitive) != 0)
            continue;
        const auto slot = static_cast<std::size_t>(*code);
        const bool isExact = name == canonical;
        if (m_tilePaths[slot].isEmpty() || (isExact && !exact[slot])) {
            m_tilePaths[slot] = filePath(name);
            exact[slot] = isExact;
        }
    }
    for (std::size_t code = 0; code < m_tilePaths.size(); ++code)
        if (m_tilePaths[code].isEmpty())
            m_tilePaths[code] = filePath(tileFileName(static_cast<std::uint8_t>(code)));
}

QString TileFolder::filePathIn(const QString &folder, const QString &fileName)
{
    if (folder.isEmpty() || folder.endsWith(u'/'))
        return folder + fileName;
    return folder + u'/' + fileName;
}

bool TileFolder::listsBefore(const QString &a, const QString &b)
{
    const int upper = compareUpperCased(a, b);
    return upper != 0 ? upper < 0 : a < b;
}

} // namespace core
