// A recovery journal reads back up to its last whole record whatever byte a write was cut off
// at, and a file that is not a journal of this image, or was changed, gives no steps.

#include "JournalReading.h"
#include "RecoveryJournal.h"

#include "../support/TestDataFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

using fileio::JournalProblem;
using fileio::JournalStep;

namespace {

// The owner as this process, as a process that has since ended and whose id was given to
// this one, and as a process of another machine.
enum class Owner { Running, IdReused, OtherHost };

fileio::JournalOwner ownerOf(Owner kind)
{
    fileio::JournalOwner owner = fileio::JournalOwner::thisProcess();
    if (kind == Owner::IdReused)
        owner.processStart += 1;
    if (kind == Owner::OtherHost)
        owner.host += QStringLiteral(".elsewhere");
    return owner;
}

JournalStep step(JournalStep::Kind kind, qint64 offset, int count)
{
    JournalStep made{kind, 2, QStringLiteral("填充"), {}, 0};
    for (int i = 0; i < count; ++i)
        made.changes.push_back({offset + i, std::uint8_t(i), std::uint8_t(0xC8)});
    return made;
}

const std::vector<JournalStep> kSteps{step(JournalStep::Kind::Do, 100, 3),
                                      step(JournalStep::Kind::Do, 200, 1728),
                                      step(JournalStep::Kind::Undo, 200, 1728)};

// A whole journal of the three steps, and where each of its records ends: the owner's, then
// each step's.
struct Written {
    QByteArray bytes;
    std::vector<qint64> ends;
};

struct Case {
    const char *what;
    Owner owner;
    // The journal's bytes as found, from the whole journal.
    std::function<QByteArray(const Written &)> found;
    // Found under the name of another image.
    bool otherImage;
    JournalProblem problem;
    std::size_t steps;
    bool torn;
};

QByteArray cut(const Written &w, qint64 end)
{
    return w.bytes.left(end);
}

QByteArray flipped(const Written &w, qint64 at)
{
    QByteArray bytes = w.bytes;
    bytes[at] = static_cast<char>(bytes.at(at) ^ 0x40);
    return bytes;
}

std::vector<Case> cases()
{
    std::vector<Case> all{
        {"whole", Owner::IdReused, [](const Written &w) { return w.bytes; }, false,
         JournalProblem::None, 3, false},
        {"owner running", Owner::Running, [](const Written &w) { return w.bytes; }, false,
         JournalProblem::None, 3, false},
        {"owner of another host", Owner::OtherHost, [](const Written &w) { return w.bytes; }, false,
         JournalProblem::None, 3, false},
        {"cut inside the signature", Owner::IdReused, [](const Written &w) { return cut(w, 7); },
         false, JournalProblem::NotOurs, 0, false},
        {"cut inside the header", Owner::IdReused, [](const Written &w) { return cut(w, 40); },
         false, JournalProblem::NotOurs, 0, false},
        {"cut inside the owner", Owner::IdReused,
         [](const Written &w) { return cut(w, w.ends[0] - 3); }, false, JournalProblem::NotOurs, 0,
         false},
        {"zeros where a step was", Owner::IdReused,
         [](const Written &w) {
             return cut(w, w.ends[1]) + QByteArray(w.ends[2] - w.ends[1], '\0');
         },
         false, JournalProblem::None, 1, true},
        {"wrong checksum before the last step", Owner::IdReused,
         [](const Written &w) { return flipped(w, w.ends[1] + 20); }, false,
         JournalProblem::WrongChecksum, 0, false},
        {"wrong checksum in the header", Owner::IdReused,
         [](const Written &w) { return flipped(w, 40); }, false, JournalProblem::WrongChecksum, 0,
         false},
        {"another image's journal", Owner::IdReused, [](const Written &w) { return w.bytes; }, true,
         JournalProblem::OtherImage, 0, false},
        {"a file of someone else's", Owner::IdReused,
         [](const Written &) { return QByteArray("TARVOS notes\nnothing of ours\n"); }, false,
         JournalProblem::NotOurs, 0, false},
    };
    // Cut at each record's end the journal is whole up to it; inside a step, the steps
    // before it read and the cut one is a torn tail. The last step, written wrong, is too.
    for (std::size_t k = 0; k < 4; ++k)
        all.push_back({"cut at a record's end", Owner::IdReused,
                       [k](const Written &w) { return cut(w, w.ends[k]); }, false,
                       JournalProblem::None, k, false});
    for (std::size_t k = 1; k < 4; ++k)
        for (const qint64 into : {1, 4, 9, 30})
            all.push_back({"cut inside a step", Owner::IdReused,
                           [k, into](const Written &w) { return cut(w, w.ends[k - 1] + into); },
                           false, JournalProblem::None, k - 1, true});
    all.push_back({"last step written wrong", Owner::IdReused,
                   [](const Written &w) { return flipped(w, w.ends[3] - 2); }, false,
                   JournalProblem::None, 2, true});
    return all;
}

qint64 journalSize(const QString &folder, const QString &image, const QByteArray &base,
                   const fileio::JournalOwner &owner, const std::vector<JournalStep> &steps)
{
    auto journal = fileio::RecoveryJournal::start(image, std::nullopt, base, {}, owner, folder);
    for (const JournalStep &made : steps)
        EXPECT_EQ(journal->append(made), 0);
    const qint64 size = QFileInfo(journal->path()).size();
    journal->end();
    return size;
}

// The whole journal, and where its records end, from journals of fewer steps: the first
// step twice tells the owner's end.
Written writeJournal(const QString &folder, const QString &image, const QByteArray &base,
                     const fileio::JournalOwner &owner)
{
    Written w;
    const qint64 one = journalSize(folder, image, base, owner, {kSteps[0]});
    const qint64 twice = journalSize(folder, image, base, owner, {kSteps[0], kSteps[0]});
    w.ends.push_back(one - (twice - one));
    for (std::size_t k = 1; k <= kSteps.size(); ++k)
        w.ends.push_back(journalSize(folder, image, base, owner,
                                     std::vector<JournalStep>(kSteps.begin(), kSteps.begin() + k)));
    auto journal = fileio::RecoveryJournal::start(image, std::nullopt, base, {}, owner, folder);
    for (const JournalStep &made : kSteps)
        EXPECT_EQ(journal->append(made), 0);
    QFile file(journal->path());
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    w.bytes = file.readAll();
    journal->end();
    return w;
}

} // namespace

TEST(RecoveryJournal, ReadsUpToItsLastWholeRecordAndNothingElseIsOne)
{
    for (const Case &c : cases()) {
        SCOPED_TRACE(c.what);
        const QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("recovery"));
        const QString image = dir.filePath(QStringLiteral("地图 1.nes"));
        const QString other = dir.filePath(QStringLiteral("other.nes"));
        const QByteArray base(4096, 'b');
        const Written w = writeJournal(folder, image, base, ownerOf(c.owner));
        const QString read = c.otherImage ? other : image;
        QFile found(QDir(folder).filePath(fileio::journalFileName(fileio::journalImagePath(read))));
        ASSERT_TRUE(found.open(QIODevice::WriteOnly));
        found.write(c.found(w));
        found.close();

        const auto readings = fileio::readJournals(read, folder);
        ASSERT_EQ(readings.size(), 1u);
        const fileio::JournalReading &reading = readings.front();
        EXPECT_EQ(reading.problem, c.problem);
        ASSERT_EQ(reading.contents.has_value(), c.problem == JournalProblem::None);
        if (!reading.contents)
            continue;
        const fileio::JournalContents &contents = *reading.contents;
        EXPECT_EQ(contents.imagePath, fileio::journalImagePath(image));
        EXPECT_TRUE(contents.startsFrom(base));
        EXPECT_FALSE(contents.startsFrom(QByteArray(4096, 'c')));
        EXPECT_EQ(contents.ownerRunning, c.owner == Owner::Running);
        EXPECT_EQ(contents.tornTail, c.torn);
        ASSERT_EQ(contents.steps.size(), c.steps);
        for (std::size_t i = 0; i < c.steps; ++i) {
            JournalStep expected = kSteps[i];
            expected.madeAt = contents.steps[i].madeAt;
            EXPECT_EQ(contents.steps[i], expected);
        }
    }
}

// Syncs come at most once a second and within a second of a step, and never while the
// journal holds nothing unsynced.
TEST(RecoveryJournal, SyncsAtMostOnceASecondAndWithinOneOfAStep)
{
    using namespace std::chrono_literals;
    const QTemporaryDir dir;
    auto journal = fileio::RecoveryJournal::start(
        dir.filePath(QStringLiteral("a.nes")), std::nullopt, QByteArray(64, 'b'), {},
        fileio::JournalOwner::thisProcess(), dir.filePath(QStringLiteral("recovery")));
    const auto t0 = fileio::RecoveryJournal::Clock::time_point{} + 100s;
    EXPECT_FALSE(journal->syncDueAt());
    ASSERT_EQ(journal->append(kSteps[0], t0), 0);
    EXPECT_EQ(journal->syncDueAt(), t0);
    ASSERT_EQ(journal->syncIfDue(t0), 0);
    EXPECT_FALSE(journal->syncDueAt());
    ASSERT_EQ(journal->append(kSteps[0], t0 + 200ms), 0);
    ASSERT_EQ(journal->append(kSteps[0], t0 + 900ms), 0);
    EXPECT_EQ(journal->syncDueAt(), t0 + 1s);
    ASSERT_EQ(journal->append(kSteps[0], t0 + 5s), 0);
    EXPECT_EQ(journal->syncDueAt(), t0 + 1s);
    ASSERT_EQ(journal->syncIfDue(t0 + 5s), 0);
    EXPECT_FALSE(journal->syncDueAt());
    EXPECT_EQ(journal->stepCount(), 4);
    const QString path = journal->path();
    journal->end();
    EXPECT_FALSE(QFileInfo::exists(path));
}

// A journal written by the editor on Linux reads the same on every system: its records, its
// step names and its Linux path as written; the Windows suite runs this too.
TEST(RecoveryJournal, WrittenOnLinuxReadsTheSameEverywhere)
{
    QByteArray base;
    for (int i = 0; i < 64; ++i)
        base += char(i);
    const fileio::JournalReading reading =
        fileio::readJournalFile(testing_support::dataFile("linux.journal"));
    ASSERT_EQ(reading.problem, fileio::JournalProblem::None);
    ASSERT_TRUE(reading.contents);
    const fileio::JournalContents &journal = *reading.contents;
    EXPECT_EQ(journal.imagePath, QStringLiteral("/home/person/maps/sample.nes"));
    EXPECT_EQ(journal.owner, (fileio::JournalOwner{12345, QStringLiteral("linux-host"), 987654}));
    EXPECT_FALSE(journal.ownerRunning);
    EXPECT_FALSE(journal.tornTail);
    EXPECT_TRUE(journal.startsFrom(base));
    using Kind = fileio::JournalStep::Kind;
    const std::vector<fileio::JournalChange> fill{{10, 10, 0x41}, {11, 11, 0x42}};
    const std::pair<Kind, QString> expected[] = {{Kind::Do, QStringLiteral("填充")},
                                                 {Kind::Undo, QStringLiteral("填充")},
                                                 {Kind::Redo, QStringLiteral("填充")},
                                                 {Kind::Do, QStringLiteral("单格")}};
    ASSERT_EQ(journal.steps.size(), std::size(expected));
    for (std::size_t i = 0; i < journal.steps.size(); ++i) {
        EXPECT_EQ(journal.steps[i].kind, expected[i].first) << i;
        EXPECT_EQ(journal.steps[i].name, expected[i].second) << i;
    }
    EXPECT_EQ(journal.steps[2].changes, fill);
    EXPECT_EQ(journal.steps[3].changes, (std::vector<fileio::JournalChange>{{20, 20, 0x7F}}));
    EXPECT_EQ(journal.steps[3].chapter, 2);
}
