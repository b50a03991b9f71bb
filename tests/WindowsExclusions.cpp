#include "WindowsExclusions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace {

struct Exclusion {
    const char *tests; // a name pattern: '*' stands for any text
    const char *reason;
};

// Every test the Windows run leaves out, and why. Nothing else is left out there.
constexpr Exclusion kNotOnWindows[] = {
    // Symbolic links: Windows grants making them only to administrators and in developer
    // mode, and MinGW's library cannot make them at all; QFile::link makes shortcut files.
    {"*SaveThroughLinks.ReachTheFileTheLinksName/SymbolicLink", "symbolic links"},
    {"*SaveThroughLinks.ReachTheFileTheLinksName/ChainOfLinksAcrossFolders", "symbolic links"},
    {"*SaveThroughLinks.ReachTheFileTheLinksName/DanglingLink", "symbolic links"},
    {"*SaveThroughLinks.ReachTheFileTheLinksName/DotDotAfterALinkedFolder", "symbolic links"},
    {"SaveFolders.ARemovedFolderOrALoopOfLinksIsRefused", "symbolic links"},
    {"ImageFileTest.AChangeToTheFileALinkNamesIsReadIn", "symbolic links"},
    {"CliApply.TheImageMayShrinkOrGrowInPlaceThroughALink", "symbolic links"},
    {"CliImport.WritesThroughALinkToTheFileItNames", "symbolic links"},
    {"TileFolderCache.KeptListingsStillShowEveryChangeOfTheFolder",
     "symbolic links, and a rename that changes only the case of a name"},
    {"TileFolder.FindsTileFilesWithoutRegardToCase",
     "names that differ only in case name one file on Windows"},
    {"*TileFolderLocation.FirstFolderThatExistsWins/*",
     "the data folders come from the XDG variables only on Linux; Windows has its own"},
    // A file or folder in use stays: Windows removes nothing another program holds open.
    {"MainWindowTest.SaveWritesARemovedFileAnewButNotIntoARemovedFolder",
     "a folder the editor watches is only marked for removal, so it is still there at the save"},
    {"*SaveFaults.*/InPlaceRemovedAfterOpening",
     "no other program can remove a file the writer holds open"},
    {"*SaveFaults.*/InPlaceReplacedByFolder",
     "no other program can replace a file the writer holds open"},
    {"ChapterChoiceTest.*",
     "counts draws by the system's reports of file openings, which Windows does not give"},
};

// GoogleTest's patterns: '*' stands for any text, '?' for one character.
bool matches(std::string_view pattern, std::string_view name)
{
    if (pattern.empty())
        return name.empty();
    if (pattern.front() == '*')
        return matches(pattern.substr(1), name) ||
               (!name.empty() && matches(pattern, name.substr(1)));
    return !name.empty() && (pattern.front() == '?' || pattern.front() == name.front()) &&
           matches(pattern.substr(1), name.substr(1));
}

// Whether the run was asked for the test: the filter's patterns before any '-', separated
// by ':'.
bool asked(std::string_view filter, std::string_view name)
{
    std::string_view positive = filter.substr(0, filter.find('-'));
    if (positive.empty())
        return true;
    while (!positive.empty()) {
        const std::size_t end = positive.find(':');
        if (matches(positive.substr(0, end), name))
            return true;
        positive = end == std::string_view::npos ? std::string_view() : positive.substr(end + 1);
    }
    return false;
}

} // namespace

void leaveOutTestsWindowsCannotRun()
{
    // A listing names every test, so that the run's tools know of the ones left out too.
    if (GTEST_FLAG_GET(list_tests))
        return;
    std::string filter = GTEST_FLAG_GET(filter);
    bool negative = filter.find('-') != std::string::npos;
    const testing::UnitTest &tests = *testing::UnitTest::GetInstance();
    for (int suite = 0; suite < tests.total_test_suite_count(); ++suite) {
        const testing::TestSuite &found = *tests.GetTestSuite(suite);
        for (int test = 0; test < found.total_test_count(); ++test) {
            const testing::TestInfo &info = *found.GetTestInfo(test);
            const std::string name = std::string(info.test_suite_name()) + "." + info.name();
            if (!asked(filter, name))
                continue;
            for (const Exclusion &exclusion : kNotOnWindows) {
                if (!matches(exclusion.tests, name))
                    continue;
                // The run's tools take this line for a skipped test.
                std::printf("[  SKIPPED ] %s: not run on Windows: %s\n", name.c_str(),
                            exclusion.reason);
                filter += negative ? ":" : "-";
                filter += name;
                negative = true;
                break;
            }
        }
    }
    GTEST_FLAG_SET(filter, filter);
}
