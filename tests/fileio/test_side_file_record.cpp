// The record that makes a side file ours reads back as written, from any path, and nothing
// else is taken for one: not a record cut short, nor one that names a file elsewhere.

#include "SideFileRecord.h"

#include <gtest/gtest.h>

using fileio::SideFileRecord;

namespace {

SideFileRecord oddRecord()
{
    const fileio::FileLocation image{QStringLiteral("/home/玩家/roms 100%"),
                                     QStringLiteral("a\nb.nes")};
    const fileio::FileIdentity state{~std::uint64_t{0}, 42, 262160, 1700000000,
                                     999999999,         -1, 0,      true};
    return SideFileRecord::of(SideFileRecord::Purpose::Backup, image, state,
                              QStringLiteral(".a\nb.nes.0123abcd.old"), QByteArray(5000, 'o'));
}

} // namespace

TEST(SideFileRecord, ReadsBackAsWrittenAndNothingElseIsOne)
{
    const SideFileRecord record = oddRecord();
    const QByteArray text = record.encode();
    const auto read = SideFileRecord::decode(text);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->image.path(), record.image.path());
    EXPECT_EQ(read->imageState, record.imageState);
    EXPECT_EQ(read->sideName, record.sideName);
    EXPECT_TRUE(read->matches(QByteArray(5000, 'o')));
    EXPECT_FALSE(read->matches(QByteArray(4999, 'o')));
    EXPECT_FALSE(read->matches(QByteArray(4999, 'o') + 'x'));

    // A power loss may cut a record anywhere while it is written.
    for (qsizetype kept = 0; kept < text.size(); ++kept)
        EXPECT_FALSE(SideFileRecord::decode(text.left(kept))) << kept;
    // A side file lies in its record's folder.
    for (const char *name : {"..", ".", "../a.nes.old", "sub/a.nes.old", ""}) {
        SideFileRecord elsewhere = record;
        elsewhere.sideName = QString::fromUtf8(name);
        EXPECT_FALSE(SideFileRecord::decode(elsewhere.encode())) << name;
    }
    EXPECT_FALSE(SideFileRecord::decode(QByteArray(text).replace("record 1", "record 2")));
}
