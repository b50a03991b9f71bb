#include "FontDensity.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace host {

namespace {

// Without a screen (no application object yet), text is sized as at 96 dots per inch.
double layoutToDisplay()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen || screen->logicalDotsPerInchY() <= 0)
        return 1.0;
    return 96.0 / screen->logicalDotsPerInchY();
}

} // namespace

double displayPointSize(double layoutPoints)
{
    return layoutPoints * layoutToDisplay();
}

double layoutPointSize(double displayPoints)
{
    const double scale = layoutToDisplay();
    if (scale == 1.0)
        return displayPoints;
    // Kept to a ten-thousandth of a point, as the runtime's sizes are, so that a size
    // converted there and back compares equal to the one it came from.
    return std::round(displayPoints / scale * 10000.0) / 10000.0;
}

} // namespace host
