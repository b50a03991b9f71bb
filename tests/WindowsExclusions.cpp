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
