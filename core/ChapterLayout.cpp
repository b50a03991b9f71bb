#include "ChapterLayout.h"

#include <QDataStream>
#include <QIODevice>

namespace core {

namespace {

// How an image's chapter maps lie: its length and its directory, where it has one.
struct Layout {
    qint64 length = 0;
    std::optional<ChapterDirectory> chapters;
};

Layout layoutOf(const Cartridge &image)
{
    return {image.RomData().size(),
            image.hasChapters() ? std::optional(image.Chapters()) : std::nullopt};
}

std::vector<LayoutDifference> differences(const Layout &before, const Layout &after)
{
    if (!before.chapters || !after.chapters) {
        if (!before.chapters && !after.chapters)
            return {};
        return {LayoutDifference{LayoutDifference::Kind::NoDirectory, 0, {}, {}}};
    }
    std::vector<LayoutDifference> found;
    for (int k = 0; k < kChapterCount; ++k) {
        const ChapterMap &was = (*before.chapters)[static_cast<std::size_t>(k)];
        const ChapterMap &is = (*after.chapters)[static_cast<std::size_t>(k)];
        const bool wasInside = was.recordWithin(before.length);
        const bool isInside = is.recordWithin(after.length);
        LayoutDifference::Kind kind;
        if (was.Width != is.Width || was.Height != is.Height)
            kind = LayoutDifference::Kind::Resized;
        else if (was.DataOffset != is.DataOffset)
            kind = LayoutDifference::Kind::Moved;
        else if (wasInside != isInside)
            kind = isInside ? LayoutDifference::Kind::Added : LayoutDifference::Kind::Gone;
        else
            continue;
        found.push_back(LayoutDifference{kind, k + 1, was, is});
    }
    return found;
}

} // namespace

QByteArray layoutRecord(const Cartridge &image)
{
    const Layout layout = layoutOf(image);
    QByteArray record;
    QDataStream out(&record, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << layout.length << quint8(layout.chapters ? 1 : 0);
    if (layout.chapters)
        for (const ChapterMap &entry : *layout.chapters)
            out << entry.DataOffset << entry.Width << entry.Height;
    return record;
}

std::optional<std::vector<LayoutDifference>> layoutDifferences(const QByteArray &before,
                                                               const Cartridge &after)
{
    QDataStream in(before);
    in.setByteOrder(QDataStream::LittleEndian);
    Layout recorded;
    quint8 hasChapters = 0;
    in >> recorded.length >> hasChapters;
    if (hasChapters == 1) {
        ChapterDirectory chapters{};
        for (ChapterMap &entry : chapters)
            in >> entry.DataOffset >> entry.Width >> entry.Height;
        recorded.chapters = chapters;
    }
    if (in.status() != QDataStream::Ok || !in.atEnd() || hasChapters > 1)
        return std::nullopt;
    return differences(recorded, layoutOf(after));
}

std::vector<LayoutDifference> layoutDifferences(const Cartridge &before, const Cartridge &after)
{
    return differences(layoutOf(before), layoutOf(after));
}

} // namespace core
