#pragma once

#include <QByteArray>

#include <optional>
#include <vector>

namespace core {

// Three images of one length: `base` as last read from or written to the file, `mine` as
// the editor holds it now, `theirs` as the file holds it now. The merge is the file's bytes
// with the editor's own changes (where mine differs from base) put on top, so that a save
// keeps what another program wrote meanwhile. A byte both changed, to different values, is
// a conflict that the caller settles one way for all of them.
class ImageMerge {
public:
    // Nothing when the three differ in length: no byte of one then answers to a byte of the
    // others.
    static std::optional<ImageMerge> of(const QByteArray &base, const QByteArray &mine,
                                        const QByteArray &theirs);

    // Offsets of the conflicting bytes, ascending.
    const std::vector<qsizetype> &conflicts() const { return m_conflicts; }

    // The merged image: each conflicting byte from mine, or from theirs.
    QByteArray result(bool keepMine) const;

private:
    ImageMerge(const QByteArray &base, const QByteArray &mine, const QByteArray &theirs);

    QByteArray m_keepingMine;
    QByteArray m_theirs;
    std::vector<qsizetype> m_conflicts;
};

// How many bytes of two images differ, each byte of the longer one beyond the shorter
// counting as one.
qsizetype differingBytes(const QByteArray &a, const QByteArray &b);

} // namespace core
