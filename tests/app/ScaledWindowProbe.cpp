#include "Application.h"
#include "frmMap.h"
#include "modConst.h"

#include <QPixmap>
#include <QTextStream>

// Starts the editor's window as the program does and prints what the display makes of it:
// the window's size in device pixels and its device pixel ratio ("1702 1128 2").
int main(int argc, char **argv)
{
    app::useWholeScaleFactors();
    host::Application application(argc, argv);
    host::installFontSubstitutions();
    const auto window = app::Main();
    const QPixmap drawn = window->grab();
    QTextStream(stdout) << drawn.width() << u' ' << drawn.height() << u' '
                        << window->devicePixelRatioF() << Qt::endl;
    return 0;
}
