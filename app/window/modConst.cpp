#include "modConst.h"

#include "DifferenceReview.h"
#include "frmMap.h"

#include <QGuiApplication>

namespace app {

void useWholeScaleFactors()
{
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::RoundPreferFloor);
}

// The standard controls here come from the widget toolkit, which needs no registration;
// the call stays as the one place start-up would register window classes.
bool InitCommonControlsVB()
{
    return true;
}

std::unique_ptr<frmMap> Main(const QString &image, const QString &reference)
{
    InitCommonControlsVB();
    auto window = std::make_unique<frmMap>();
    window->show();
    if (!image.isEmpty())
        window->openImage(image, true);
    if (!reference.isEmpty() && window->document().isLoaded())
        window->differenceReview().compareWith(reference);
    return window;
}

} // namespace app
