// The session model of map_session (EntryMapSession.cpp) in every build: merge cases × orders
// of undo and redo (after a save that took bytes from the file, what stays of the history
// undoes and redoes to bytes the person's own edits gave, and the save after writes them),
// then 16 random sessions.

#include "FuzzEntries.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Events = std::vector<std::uint8_t>;

struct Session {
    std::string name;
    Events events;
};

void PrintTo(const Session &session, std::ostream *os)
{
    *os << session.name;
}

Events join(std::initializer_list<Events> parts)
{
    Events all;
    for (const Events &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// An event with the pointer over cell (column, row) of chapter 1, and its own bytes.
Events event(std::string_view name, int column = 0, int row = 0, Events own = {})
{
    return join(
        {{fuzzing::mapSessionEvent(name), 0, std::uint8_t(column), std::uint8_t(row)}, own});
}

// One step: cell (pick, 20)'s code, picked with the middle button, filled into the cells
// (from, 1) to (to, 1) with Ctrl+Shift+right.
Events paint(int pick, int from, int to)
{
    return join({event("press", pick, 20, {3, 0}), event("release", pick, 20),
                 event("press", from, 1, {1, 3}), event("move", to, 1), event("release", to, 1)});
}

// Another program writes `code` into cell (column, 1); a save answered `answer`.
Events theirs(int column, int code)
{
    return event("theirs", 0, 0, {0, 0, std::uint8_t(column - 1), 0, std::uint8_t(code)});
}
Events save(std::uint8_t answer)
{
    return event("save", 0, 0, {answer, answer});
}

std::vector<Session> sessions()
{
    constexpr std::uint8_t kKeepMine = 0, kUseFile = 1, kOverwrite = 2;
    const Events longer = event("theirs", 0, 0, {2, 0, 7});
    const std::pair<const char *, Events> merges[] = {
        {"StepOverwrittenByADroppedOne",
         join({paint(20, 3, 3), paint(21, 3, 4), theirs(4, 0xF1), save(kUseFile)})},
        {"StepOverADroppedOne",
         join({paint(20, 3, 4), paint(21, 3, 3), theirs(4, 0xF1), save(kUseFile)})},
        {"UndoneStepsAfterADroppedOne",
         join({paint(20, 4, 4), paint(21, 3, 4), paint(22, 3, 3), event("undo"), event("undo"),
               theirs(4, 0xF1), save(kUseFile)})},
        {"TakenBackByCellAndByChapter",
         join({paint(20, 3, 3), paint(21, 3, 5), event("move", 4, 1), event("takeBack", 4, 1),
               event("takeBackChapter"), paint(22, 5, 5), theirs(4, 0xF1), save(kUseFile)})},
        {"OverwritingALongerFile",
         join({paint(20, 3, 3), paint(21, 3, 4), longer, save(kOverwrite)})},
    };
    std::vector<Session> all;
    for (const auto &[name, merge] : merges)
        for (const std::string order : {"U", "UR", "UUR", "UURR", "UUUURRRR"}) {
            Events events = join({{0, 0}, merge});
            for (const char step : order)
                events = join({events, event(step == 'U' ? "undo" : "redo")});
            all.push_back({name + ("_" + order), join({events, save(kKeepMine)})});
        }
    std::mt19937 random(34);
    for (int n = 0; n < 16; ++n) {
        Events events(900);
        for (std::uint8_t &byte : events)
            byte = static_cast<std::uint8_t>(random());
        all.push_back({"Random" + std::to_string(n), events});
    }
    return all;
}

class MapSession : public ::testing::TestWithParam<Session> {};

} // namespace

TEST_P(MapSession, KeepsEveryRuleAfterEveryEvent)
{
    try {
        fuzzing::mapSession(GetParam().events.data(), GetParam().events.size());
    } catch (const fuzzing::Finding &finding) {
        FAIL() << finding.what();
    }
}

INSTANTIATE_TEST_SUITE_P(MergesAndRandomSessions, MapSession, ::testing::ValuesIn(sessions()),
                         [](const auto &param) { return param.param.name; });
