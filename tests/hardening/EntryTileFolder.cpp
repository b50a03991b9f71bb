#include "FuzzEntries.h"
#include "FuzzInput.h"

#include "TileFolder.h"
#include "TileNaming.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <algorithm>

namespace fuzzing {

namespace {

enum class Kind { File, Folder, Link, BrokenLink };

#if defined(Q_OS_WIN)
// Windows takes '\\' for a separator too, refuses a few more characters and drops a name's
// trailing dots and spaces; QFile::link makes shortcut files rather than links, so none
// are made there.
constexpr const char *kRefusedCharacters = "/\\:*?\"<>|";
constexpr bool kTrailingDotsDropped = true;
constexpr bool kLinks = false;
#else
constexpr const char *kRefusedCharacters = "/";
constexpr bool kTrailingDotsDropped = false;
constexpr bool kLinks = true;
#endif

// A name the file system takes: no separators, no NUL, not "." or "..", and short
// enough for any file system.
QString usableName(QByteArray raw)
{
    for (const char *refused = kRefusedCharacters; *refused; ++refused)
        raw.replace(*refused, '_');
    raw.replace('\0', '_');
    QString name = QString::fromUtf8(raw);
    while (name.toUtf8().size() > 200)
        name.chop(1);
    if (name.isEmpty() || name == u"." || name == u".." ||
        (kTrailingDotsDropped && (name.endsWith(u'.') || name.endsWith(u' '))))
        return {};
    return name;
}

} // namespace

// A tile folder with fuzzed entries: files (hidden ones too), sub-folders, links to files
// and broken links, under any names. The listing holds exactly the files matching
// "*.bmp" in any case, except hidden ones, in the listing order; every code's path lies
// in the folder, is named after the code, and is the listed file of that name when one
// is there, the exact spelling first.
void tileFolder(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir root;
    const QString path = root.filePath(QStringLiteral("MAP"));
    QDir(path).removeRecursively();
    require(QDir().mkpath(path), "tile folder made");

    FuzzInput in(data, size);
    QSet<QString> files; // what QDir::Files sees: visible files and links to files
    for (int count = 0; !in.atEnd() && count < 24; ++count) {
        const auto kind = static_cast<Kind>(in.byte() % 4);
        const QString name = usableName(in.bytes(in.byte() % 40));
        // Joined by hand, as the tile folder does: QDir::filePath would take a name
        // beginning with ':' for a resource path.
        const QString target = core::TileFolder::filePathIn(path, name);
        if (name.isEmpty() || QFileInfo::exists(target) || QFileInfo(target).isSymLink())
            continue;
        switch (kind) {
        case Kind::File: {
            QFile file(target);
            // A name Windows keeps for a device opens that device, which is no file.
            if (file.open(QIODevice::WriteOnly) && QFileInfo(target).isFile() &&
                !QFileInfo(target).isHidden())
                files.insert(name);
            break;
        }
        case Kind::Folder:
            QDir().mkdir(target);
            break;
        case Kind::Link:
            if (kLinks && QFile::link(root.filePath(QStringLiteral("outside.bmp")), target) &&
                !QFileInfo(target).isHidden())
                files.insert(name);
            break;
        case Kind::BrokenLink:
            if (kLinks)
                QFile::link(root.filePath(QStringLiteral("nowhere")), target);
            break;
        }
    }
    {
        QFile outside(root.filePath(QStringLiteral("outside.bmp")));
        require(outside.open(QIODevice::WriteOnly), "link target made");
    }

    const core::TileFolder folder(path);
    const QStringList &listed = folder.fileNames();
    QStringList expected;
    for (const QString &name : std::as_const(files))
        if (name.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive))
            expected << name;
    std::sort(expected.begin(), expected.end(), &core::TileFolder::listsBefore);
    require(listed == expected, "the listing holds the visible *.bmp files in listing order");

    const QString prefix = path + u'/';
    for (int code = 0; code < 256; ++code) {
        const QString own = core::tileFileName(static_cast<std::uint8_t>(code));
        const QString &tile = folder.tilePath(static_cast<std::uint8_t>(code));
        require(tile.startsWith(prefix) && tile.size() > prefix.size(), "tile path in the folder");
        const QString name = tile.mid(prefix.size());
        require(name.compare(own, Qt::CaseInsensitive) == 0, "tile path named after its code");
        const bool anyListed = std::any_of(listed.begin(), listed.end(), [&](const QString &n) {
            return n.compare(own, Qt::CaseInsensitive) == 0;
        });
        require(!anyListed || listed.contains(name), "a listed spelling is used when there is one");
        require(!listed.contains(own) || name == own, "the exact spelling wins");
    }
}

} // namespace fuzzing
