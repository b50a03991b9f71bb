#pragma once

#include <QString>

#include <memory>

namespace app {

class frmMap;

// Rounds the display's scale factor to a whole number, down from .5 (1.25 and 1.5 draw at 1,
// 1.75 at 2): the window's tiles, pictures and captions are drawn pixel for pixel, and a
// fractional factor would resample them unevenly. The host sizes text for 96 dots per inch
// times that whole factor, as the layout is (FontDensity.h). The factor the display reports is
// rounded; one set by hand in QT_SCREEN_SCALE_FACTORS is Qt's override and applies as given. Call
// before the application object is made.
void useWholeScaleFactors();

// Registers the common-control window classes. True when the registration raised no error.
bool InitCommonControlsVB();

// Start-up: registers the control classes and shows the main window, not modal, with the
// image named on the command line open, where one is, compared with `reference` where one is
// named. The returned window lives as long as the program runs.
std::unique_ptr<frmMap> Main(const QString &image = QString(),
                             const QString &reference = QString());

} // namespace app
