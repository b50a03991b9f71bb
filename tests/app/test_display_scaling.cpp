#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// What the window probe reports: its size in device pixels, its device pixel ratio and
// the pixel heights of three of its fonts.
QStringList startWindow(int percent)
{
    // The offscreen platform is given a screen whose dots per inch say the scale, as
    // Windows and the X server's Xft.dpi report it.
    const QTemporaryDir dir;
    const QString screens = dir.filePath(QStringLiteral("screens.json"));
    QFile config(screens);
    if (!config.open(QIODevice::WriteOnly))
        return {};
    config.write(QStringLiteral(R"({"screens": [{"name": "screen", "x": 0, "y": 0,)"
                                R"( "width": 3840, "height": 2160, "logicalDpi": %1,)"
                                R"( "logicalBaseDpi": 96}]})")
                     .arg(96 * percent / 100)
                     .toUtf8());
    config.close();

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Named from the probe's working folder: the platform's settings are separated by colons,
    // which a Windows path holds after its drive letter.
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"),
                       QStringLiteral("offscreen:configfile=screens.json"));
    for (const auto *name :
         {u"QT_SCALE_FACTOR", u"QT_SCREEN_SCALE_FACTORS", u"QT_SCALE_FACTOR_ROUNDING_POLICY",
          u"QT_ENABLE_HIGHDPI_SCALING", u"QT_DPI_ADJUSTMENT_POLICY", u"QT_FONT_DPI"})
        environment.remove(QString::fromUtf16(name));
    // The window is started in a program of its own, as the scale is settled once, when
    // the application object is made.
    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.setWorkingDirectory(dir.path());
    probe.start(QStringLiteral(TARVOS_SCALED_WINDOW_PROBE), {});
    if (!probe.waitForFinished(60000) || probe.exitCode() != 0)
        return {};
    return QString::fromUtf8(probe.readAllStandardOutput()).simplified().split(u' ');
}

struct ScaleCase {
    int percent;        // the display's scale, as Windows' display settings name it
    int pixelsPerPixel; // the whole factor the window is drawn at
};

class DisplayScaling : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(DisplayScaling, WindowIsAWholeMultipleOfItsDesignSize)
{
    const QStringList unscaled = startWindow(100);
    const QStringList scaled = startWindow(GetParam().percent);
    ASSERT_EQ(unscaled.size(), 6);
    ASSERT_EQ(scaled.size(), 6);
    const int factor = GetParam().pixelsPerPixel;
    EXPECT_EQ(scaled[0].toInt(), 851 * factor);
    EXPECT_EQ(scaled[1].toInt(), 564 * factor);
    EXPECT_EQ(scaled[2], QString::number(factor));
    // Text takes the pixels it takes unscaled, times the same factor, so that captions fit
    // the controls as they do at 100 %.
    EXPECT_EQ(scaled.mid(3), unscaled.mid(3));
}

INSTANTIATE_TEST_SUITE_P(Percent, DisplayScaling,
                         ::testing::Values(ScaleCase{125, 1}, ScaleCase{150, 1}, ScaleCase{175, 2},
                                           ScaleCase{200, 2}),
                         [](const auto &test) { return std::to_string(test.param.percent); });

} // namespace
