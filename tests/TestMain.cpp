#include "Application.h"
#if defined(Q_OS_WIN)
#include "WindowsExclusions.h"
#endif

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// One application object for the whole binary; tests run headless.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The tile folder is looked for in the data folders when none is beside the program;
    // empty ones keep tiles installed on this machine out of the tests.
    const QTemporaryDir noData;
    qputenv("XDG_DATA_HOME", QFile::encodeName(noData.filePath(QStringLiteral("home"))));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(noData.filePath(QStringLiteral("system"))));
    host::Application app(argc, argv);
    host::installFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
#if defined(Q_OS_WIN)
    leaveOutTestsWindowsCannotRun();
#endif
    return RUN_ALL_TESTS();
}
