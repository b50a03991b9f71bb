#include "Application.h"
#include "UserFileWriter.h"
#include "support/DialogScript.h"
#if defined(Q_OS_WIN)
#include "WindowsExclusions.h"
#endif

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// One application object for the whole binary; tests run headless.
int main(int argc, char **argv)
{
    fileio::outliveFileSizeLimit();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The tile folder is looked for in the data folders when none is beside the program;
    // empty ones keep tiles installed on this machine out of the tests, and the program's
    // settings, backups and copies to try out of the person's own.
    const QTemporaryDir noData;
    qputenv("XDG_DATA_HOME", QFile::encodeName(noData.filePath(QStringLiteral("home"))));
    qputenv("XDG_DATA_DIRS", QFile::encodeName(noData.filePath(QStringLiteral("system"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(noData.filePath(QStringLiteral("config"))));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(noData.filePath(QStringLiteral("cache"))));
    // Settings go to a file in that folder, also on Windows (not the person's registry),
    // where Qt's test mode gives the tests data folders of their own.
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       noData.filePath(QStringLiteral("settings")));
#if defined(Q_OS_WIN)
    QStandardPaths::setTestModeEnabled(true);
#endif
    host::Application app(argc, argv);
    host::installFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    testing_support::scriptFailure() = [](const std::string &what) { ADD_FAILURE() << what; };
#if defined(Q_OS_WIN)
    leaveOutTestsWindowsCannotRun();
#endif
    return RUN_ALL_TESTS();
}
