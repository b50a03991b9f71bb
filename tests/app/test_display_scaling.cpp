#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ScaleCase {
    int percent;        // the display's scale, as Windows' display settings name it
    int pixelsPerPixel; // the whole factor the window is drawn at
};

class DisplayScaling : public ::testing::TestWithParam<ScaleCase> {};

// The window is started in a program of its own, as the scale factor is settled once,
// when the application object is made. The offscreen platform is given a screen whose
// dots per inch say the scale, as Windows and the X server's Xft.dpi report it.
TEST_P(DisplayScaling, WindowIsAWholeMultipleOfItsDesignSize)
{
    const QTemporaryDir dir;
    const QString screens = dir.filePath(QStringLiteral("screens.json"));
    QFile config(screens);
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral(R"({"screens": [{"name": "screen", "x": 0, "y": 0,)"
                                R"( "width": 3840, "height": 2160, "logicalDpi": %1,)"
                                R"( "logicalBaseDpi": 96}]})")
                     .arg(96 * GetParam().percent / 100)
                     .toUtf8());
    config.close();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"),
                       QStringLiteral("offscreen:configfile=") + screens);
    for (const auto *name : {u"QT_SCALE_FACTOR", u"QT_SCREEN_SCALE_FACTORS",
                             u"QT_SCALE_FACTOR_ROUNDING_POLICY", u"QT_ENABLE_HIGHDPI_SCALING"})
        environment.remove(QString::fromUtf16(name));
    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.start(QStringLiteral(TARVOS_SCALED_WINDOW_PROBE), {});
    ASSERT_TRUE(probe.waitForFinished(60000));
    ASSERT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();

    const QStringList fields =
        QString::fromUtf8(probe.readAllStandardOutput()).simplified().split(u' ');
    ASSERT_EQ(fields.size(), 3);
    const int factor = GetParam().pixelsPerPixel;
    EXPECT_EQ(fields[0].toInt(), 851 * factor);
    EXPECT_EQ(fields[1].toInt(), 564 * factor);
    EXPECT_EQ(fields[2], QString::number(factor));
}

INSTANTIATE_TEST_SUITE_P(Percent, DisplayScaling,
                         ::testing::Values(ScaleCase{100, 1}, ScaleCase{125, 1}, ScaleCase{150, 1},
                                           ScaleCase{175, 2}, ScaleCase{200, 2}),
                         [](const auto &test) { return std::to_string(test.param.percent); });

} // namespace
