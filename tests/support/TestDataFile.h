#pragma once

#include <QString>

namespace testing_support {

// A file of the suite's own test data, by its name there.
inline QString dataFile(const char *name)
{
    return QStringLiteral(TARVOS_TEST_DATA "/") + QLatin1StringView(name);
}

} // namespace testing_support
