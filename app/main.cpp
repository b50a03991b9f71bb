#include "Application.h"
#include "frmMap.h"
#include "modConst.h"

int main(int argc, char **argv)
{
    app::useWholeScaleFactors();
    host::Application application(argc, argv);
    host::installFontSubstitutions();
    const auto window = app::Main();
    return application.exec();
}
