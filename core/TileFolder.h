#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace core {

// One look at the tile folder: the bitmap files it holds, in the order the platform's
// directory listing gives them, and which of them draws each tile code. Taken once and
// kept; files added or removed afterwards are seen by the next TileFolder.
class TileFolder {
public:
    // A missing folder, or one without bitmap files, lists nothing.
    explicit TileFolder(const QString &path);

    const QString &path() const { return m_path; }

    // Every normal file matching "*.bmp" (the pattern matched without regard to case;
    // hidden files, folders and other non-files left out), names compared without
    // regard to case, code unit by code unit, as the platform lists them.
    const QStringList &fileNames() const { return m_fileNames; }

    QString filePath(const QString &fileName) const { return filePathIn(m_path, fileName); }
    // A listed name inside a folder. Joined by hand: QDir::filePath takes a name that
    // begins with ':' for a resource path, and such names are allowed here.
    static QString filePathIn(const QString &folder, const QString &fileName);

    // The bitmap of a tile code: the listed file named tileFileName(code), matched
    // without regard to case ("c8.bmp" draws 200); an exact match wins over others.
    // With none listed, the path of the exact name, which then fails FileCheck unless
    // the file has appeared since the listing.
    const QString &tilePath(std::uint8_t code) const
    {
        return m_tilePaths[static_cast<std::size_t>(code)];
    }

    // The listing order: names upper-cased unit by unit and compared by code units;
    // names equal that way are ordered by their own code units.
    static bool listsBefore(const QString &a, const QString &b);

private:
    QString m_path;
    QStringList m_fileNames;
    std::array<QString, 256> m_tilePaths;
};

} // namespace core
