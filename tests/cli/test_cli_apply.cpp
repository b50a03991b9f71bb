#include "BpsBuilder.h"
#include "BpsPatch.h"
#include "CliFixture.h"
#include "SyntheticImage.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

using namespace cli_testing;

namespace {

// Chapter 1's tiles start at 0x802E, chapter 14's at 0x2402C.
QByteArray edited(QByteArray image)
{
    image[0x802E + 5] = '\xC8';
    image[0x2402C] = '\x01';
    image[0x2402C + 1000] = '\x02';
    return image;
}

quint32 recordedCrc(const QByteArray &patch)
{
    quint32 crc = 0;
    for (int i = 1; i <= 4; ++i)
        crc = crc << 8 | static_cast<quint8>(patch[patch.size() - i]);
    return crc;
}

QString crcOf(const QByteArray &bytes)
{
    return patches::crc32Text(patches::crc32Of(bytes));
}

QString damaged(const QByteArray &patch)
{
    return QStringLiteral("the patch is damaged or cut short: its CRC-32 is %1, it records %2")
        .arg(crcOf(patch.chopped(4)), patches::crc32Text(recordedCrc(patch)));
}

class CliApply : public CliFolder {
protected:
    void SetUp() override
    {
        m_original = testing_support::standardSyntheticImage();
        m_image = writeImage(QStringLiteral("a.nes"), m_original);
    }

    QString makePatch(const QByteArray &edit, const QString &name)
    {
        const QString patch = path(name);
        const CliRun run = runCli({QStringLiteral("patch"), m_image,
                                   writeImage(QStringLiteral("edited.nes"), edit), patch});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        return patch;
    }

    // Refused in place and with --output: one line naming the file, nothing written.
    void expectRefused(const QByteArray &bytes, bool blamesImage, const QString &reason)
    {
        const QString patch = writeImage(QStringLiteral("bad.patch"), bytes);
        const QString out = path(QStringLiteral("out.nes"));
        for (const QStringList &options :
             {QStringList{}, QStringList{QStringLiteral("--output"), out}}) {
            const CliRun run = runCli(QStringList{QStringLiteral("apply")} + options +
                                      QStringList{patch, m_image});
            EXPECT_EQ(run.status, 1);
            EXPECT_EQ(
                run.err,
                QStringLiteral("tarvos-cli: %1: %2\n").arg(blamesImage ? m_image : patch, reason));
            EXPECT_TRUE(run.out.isEmpty());
            EXPECT_EQ(readBytes(m_image), m_original);
            EXPECT_FALSE(QFile::exists(out));
        }
    }

    QByteArray m_original;
    QString m_image;
};

using B = BpsBuilder;

// A patch for `image` that makes `target` bytes by `actions`, with right CRC-32s; the reason
// it is refused names the byte where the actions start.
struct BrokenActions {
    const char *name;
    quint64 target;
    std::function<void(BpsBuilder &)> actions;
    QString reason; // %1: where the actions start
    friend void PrintTo(const BrokenActions &c, std::ostream *out) { *out << c.name; }
};

class CliApplyBrokenActions : public CliApply,
                              public ::testing::WithParamInterface<BrokenActions> {};

} // namespace

TEST_F(CliApply, ABpsPatchMakesTheEditedImage)
{
    const QByteArray edit = edited(m_original);
    const QString bps = makePatch(edit, QStringLiteral("edit.bps"));
    const CliRun run = runCli({QStringLiteral("apply"), bps, m_image});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("%1: 3 bytes changed, %2 bytes, written to %3\n")
                           .arg(bps)
                           .arg(m_original.size())
                           .arg(m_image));
    const CliRun diff =
        runCli({QStringLiteral("diff"), m_image, path(QStringLiteral("edited.nes"))});
    EXPECT_EQ(diff.status, 0);
    EXPECT_EQ(diff.out, QStringLiteral("the images are equal\n"));
}

TEST_F(CliApply, AnIpsPatchMakesTheEditedImageInPlaceOrBeside)
{
    const QByteArray edit = edited(m_original);
    const QString ips = makePatch(edit, QStringLiteral("edit.ips"));
    const QString out = path(QStringLiteral("out.nes"));
    ASSERT_EQ(
        runCli({QStringLiteral("apply"), QStringLiteral("--output"), out, ips, m_image}).status, 0);
    EXPECT_EQ(readBytes(out), edit);
    EXPECT_EQ(readBytes(m_image), m_original);
    ASSERT_EQ(runCli({QStringLiteral("apply"), ips, m_image}).status, 0);
    EXPECT_EQ(readBytes(m_image), edit);
}

TEST_F(CliApply, DryRunSaysWhatWouldChange)
{
    const QString bps = makePatch(edited(m_original) + "more", QStringLiteral("edit.bps"));
    const CliRun run = runCli({QStringLiteral("apply"), QStringLiteral("--dry-run"), bps, m_image});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral(
                           "%1: 3 bytes would change, %2 -> %3 bytes (dry run, nothing written)\n")
                           .arg(bps)
                           .arg(m_original.size())
                           .arg(m_original.size() + 4));
    EXPECT_EQ(readBytes(m_image), m_original);
}

TEST_F(CliApply, TheImageMayShrinkOrGrowInPlaceThroughALink)
{
    const QString link = path(QStringLiteral("link.nes"));
    ASSERT_TRUE(QFile::link(m_image, link));
    const auto applyInPlace = [&](const QByteArray &target) {
        const QString bps = path(QStringLiteral("step.bps"));
        writeBytes(bps, patches::makeBpsPatch(readBytes(link), target).bytes);
        const CliRun run = runCli({QStringLiteral("apply"), bps, link});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(readBytes(link), target);
    };
    applyInPlace(m_original.left(m_original.size() - 300));
    // The shorter image went to the file the link leads to.
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readBytes(m_image), m_original.left(m_original.size() - 300));
    applyInPlace(m_original);
}

TEST_F(CliApply, AnIpsPatchMayCutTheImage)
{
    const QString ips =
        writeImage(QStringLiteral("cut.ips"), QByteArray("PATCH\0\0\0\0\x01ZEOF\0\x03\xE8", 17));
    ASSERT_EQ(runCli({QStringLiteral("apply"), ips, m_image}).status, 0);
    EXPECT_EQ(readBytes(m_image), 'Z' + m_original.sliced(1, 999));
}

TEST_F(CliApply, RefusesTheWrongImageAndDamagedPatches)
{
    const QByteArray edit = edited(m_original);
    const QByteArray good = patches::makeBpsPatch(m_original, edit).bytes;
    QByteArray flipped = good;
    flipped[12] = static_cast<char>(flipped[12] ^ 0x10);
    const QByteArray other = m_original + "x";
    B whole(quint64(m_original.size()), quint64(m_original.size()));
    whole.action(B::SourceRead, quint64(m_original.size()));
    const quint32 wrong = patches::crc32Of(m_original) ^ 1;
    struct Refused {
        QByteArray patch;
        bool blamesImage;
        QString reason;
    };
    for (const Refused &refused : {
             Refused{"BPS", false,
                     QStringLiteral("not an IPS or BPS patch: it starts with neither \"PATCH\" "
                                    "nor \"BPS1\"")},
             Refused{patches::makeBpsPatch(other, edited(other)).bytes, true,
                     QStringLiteral("this patch is for a different image: expected %1 bytes, "
                                    "CRC-32 %2")
                         .arg(other.size())
                         .arg(crcOf(other))},
             Refused{patches::makeBpsPatch(edit, m_original).bytes, true,
                     QStringLiteral("already patched: the image is the patch's target (%1 "
                                    "bytes, CRC-32 %2)")
                         .arg(m_original.size())
                         .arg(crcOf(m_original))},
             Refused{flipped, false, damaged(flipped)},
             Refused{good.chopped(1), false, damaged(good.chopped(1))},
             Refused{whole.finishWith(patches::crc32Of(m_original), wrong), false,
                     QStringLiteral("the result is not the patch's target: %1 bytes, CRC-32 %2; "
                                    "expected %1 bytes, CRC-32 %3")
                         .arg(m_original.size())
                         .arg(crcOf(m_original), patches::crc32Text(wrong))},
             Refused{B(quint64(m_original.size()), 64 * 1024 * 1024 + 1).finishWith(0, 0), false,
                     QStringLiteral("the patch's target is 67108865 bytes, larger than the 64 "
                                    "MiB an image may have")},
             Refused{QByteArray("PATCH\xFF\xFF\xFF\0\x02xyEOF", 15), false,
                     QStringLiteral("the record at byte 5 writes past 16 MiB, beyond an IPS "
                                    "patch's offsets")},
             Refused{QByteArray("PATCH\0\0\x10\0\x05xy", 12), false,
                     QStringLiteral("the record at byte 5 is cut short")},
             Refused{QByteArray("PATCH\0\0\x10\0\x01x", 11), false,
                     QStringLiteral("\"EOF\" is missing at the end: the patch is cut short")},
             Refused{"PATCHEOFxx", false, QStringLiteral("2 bytes follow \"EOF\"")},
             Refused{"PATCHEOF\x7F\xFF\xFF", false,
                     QStringLiteral("the patch cuts the image to 8388607 bytes, past its end at "
                                    "%1")
                         .arg(m_original.size())},
         }) {
        SCOPED_TRACE(refused.reason.toStdString());
        expectRefused(refused.patch, refused.blamesImage, refused.reason);
    }
}

TEST_P(CliApplyBrokenActions, AreRefused)
{
    B builder(quint64(m_original.size()), GetParam().target);
    const qsizetype at = builder.size();
    GetParam().actions(builder);
    expectRefused(builder.finishWith(patches::crc32Of(m_original), 0), false,
                  GetParam().reason.contains(u"%1") ? GetParam().reason.arg(at)
                                                    : GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(
    Cli, CliApplyBrokenActions,
    ::testing::Values(
        BrokenActions{"CutShort", 4, [](B &b) { b.action(B::TargetRead, 4).raw("abc"); },
                      QStringLiteral("the action at byte %1 runs into the patch's checksums: the "
                                     "patch is cut short")},
        BrokenActions{"TrailingBytes", 2, [](B &b) { b.targetRead("ab").raw("\x80"); },
                      QStringLiteral("1 trailing byte follows the action that completes the "
                                     "target")},
        BrokenActions{
            "NumberOver64Bits", 2,
            [](B &b) { b.raw(QByteArray("\x00\x7F\x7E\x7E\x7E\x7E\x7E\x7E\x7E\x80", 10)); },
            QStringLiteral("the number at byte %1 does not fit 64 bits")},
        BrokenActions{"SourceReadPastItsEnd", 1 << 20,
                      [](B &b) { b.action(B::SourceRead, 1 << 20); },
                      QStringLiteral("the action at byte %1 reads past the end of the source")},
        BrokenActions{"SourceCopyBeforeItsStart", 1, [](B &b) { b.copy(B::SourceCopy, 1, -1); },
                      QStringLiteral("the action at byte %1 reads before the start of the "
                                     "source")},
        BrokenActions{"TargetCopyOfBytesNotWritten", 2, [](B &b) { b.copy(B::TargetCopy, 2, 0); },
                      QStringLiteral("the action at byte %1 reads target bytes not yet written")},
        BrokenActions{"WritesPastTheTarget", 2, [](B &b) { b.targetRead("abc"); },
                      QStringLiteral("the action at byte %1 writes past the end of the target "
                                     "(2 bytes)")},
        BrokenActions{"EndBeforeTheTarget", 10, [](B &b) { b.targetRead("abcd"); },
                      QStringLiteral("the patch's actions end after 4 of the 10 bytes of its "
                                     "target")}),
    [](const auto &test) { return std::string(test.param.name); });

TEST_F(CliApply, InfoTellsWhatAPatchRecords)
{
    BpsBuilder builder(quint64(m_original.size()), 3, "made by hand, ünïcode");
    const QByteArray bps = builder.targetRead("abc").finish(m_original, "abc");
    const QString file = writeImage(QStringLiteral("hand.bps"), bps);
    const CliRun text = runCli({QStringLiteral("info"), file});
    ASSERT_EQ(text.status, 0) << text.err.toStdString();
    EXPECT_EQ(text.out, QStringLiteral("patch: %1\nformat: BPS\nsource: %2 bytes, CRC-32 %3\n"
                                       "target: 3 bytes, CRC-32 %4\n"
                                       "metadata: made by hand, ünïcode\n")
                            .arg(file)
                            .arg(m_original.size())
                            .arg(crcOf(m_original), crcOf("abc")));
    const CliRun json = runCli({QStringLiteral("info"), QStringLiteral("--json"), file});
    ASSERT_EQ(json.status, 0) << json.err.toStdString();
    const QJsonObject root = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(root[u"targetCrc32"].toString(), crcOf("abc"));
    EXPECT_EQ(root[u"sourceSize"].toInteger(), m_original.size());

    const QString ips = makePatch(edited(m_original), QStringLiteral("edit.ips"));
    EXPECT_EQ(runCli({QStringLiteral("info"), ips}).out,
              QStringLiteral("patch: %1\nformat: IPS\nrecords: 3\n").arg(ips));
}

TEST_F(CliApply, UsageErrors)
{
    const QString other = path(QStringLiteral("edit.txt"));
    EXPECT_EQ(runCli({QStringLiteral("patch"), m_image, m_image, other}).status, 2);
    EXPECT_FALSE(QFile::exists(other));
    EXPECT_EQ(runCli({QStringLiteral("apply"), m_image}).status, 2);
}
