#include "Application.h"
#include "StartRequest.h"
#include "UserFileWriter.h"
#include "frmMap.h"
#include "modConst.h"

int main(int argc, char **argv)
{
    fileio::outliveFileSizeLimit();
    // --help and --version are answered before a display is needed.
    const app::StartRequest request = app::readStartRequest(app::programArguments(argc, argv));
    if (request.kind != app::StartRequest::Kind::Window)
        return app::answerWithoutWindow(request);
    app::useWholeScaleFactors();
    host::Application application(argc, argv);
    host::installFontSubstitutions();
    const auto window = app::Main(request.image, request.reference);
    return application.exec();
}
