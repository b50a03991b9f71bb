#pragma once

#include <QSettings>
#include <QString>

namespace app {

// The folder of the image opened last, by any way, kept in the program's settings (the
// registry on Windows, ~/.config on Linux) for the Open dialog of the next run. Settings
// that cannot be read or written are as if empty: they never stop the program.

// The folder, or empty text before any image was opened or when the folder is gone.
QString lastImageFolder();
void rememberImageFolder(const QString &imagePath);

// The program's settings: TARVOS's, in QSettings' default format, which the program leaves
// native and the tests point at a folder of their own.
QSettings programSettings();

} // namespace app
