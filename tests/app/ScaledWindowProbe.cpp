#include "Application.h"
#include "frmMap.h"
#include "modConst.h"

#include <QFontInfo>
#include <QPixmap>
#include <QTextStream>

// Starts the editor's window as the program does and prints what the display makes of it:
// the window's size in device pixels, its device pixel ratio, and the pixel heights of the
// default interface font (the chapter list's), of a label's own font and of a command
// button's font ("1702 1128 2 12 16 12").
int main(int argc, char **argv)
{
    app::useWholeScaleFactors();
    host::Application application(argc, argv);
    host::installFontSubstitutions();
    const auto window = app::Main();
    const QPixmap drawn = window->grab();
    const auto pixels = [&](const char16_t *control) {
        return QFontInfo(window->control(QString::fromUtf16(control))->font()).pixelSize();
    };
    QTextStream(stdout) << drawn.width() << u' ' << drawn.height() << u' '
                        << window->devicePixelRatioF() << u' ' << pixels(u"List1") << u' '
                        << pixels(u"Label2") << u' ' << pixels(u"ucButton2") << Qt::endl;
    return 0;
}
