#pragma once

#include <QtGlobal>

#include <functional>
#include <string>

namespace testing_support {

// What becomes of a fault in a test's own script, such as an answer the question being
// answered does not offer: the test programs' main makes it a failure of the test under
// way; elsewhere (a fuzz target) it ends the program, as any broken rule does.
inline std::function<void(const std::string &)> &scriptFailure()
{
    static std::function<void(const std::string &)> report = [](const std::string &what) {
        qFatal("%s", what.c_str());
    };
    return report;
}

} // namespace testing_support
