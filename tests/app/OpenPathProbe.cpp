#include "Application.h"
#include "Dialogs.h"
#include "StartRequest.h"
#include "UserFileWriter.h"
#include "frmMap.h"
#include "modConst.h"

#include <QTextStream>

// Starts the editor as the program does, with the image its command line names, but prints
// the text of each message box on a line of its own instead of waiting for a person; ends
// once the window has opened the image or refused it. A test sees so from outside whether
// a path holds the window up.
int main(int argc, char **argv)
{
    fileio::outliveFileSizeLimit();
    const app::StartRequest request = app::readStartRequest(app::programArguments(argc, argv));
    host::Application application(argc, argv);
    QTextStream out(stdout);
    host::setMessageBoxHandler([&out](const host::MessageBoxRequest &box) {
        out << box.prompt.simplified() << Qt::endl;
        return box.buttons == host::MessageButtons::Ok ? host::MessageAnswer::Ok
                                                       : host::MessageAnswer::Cancel;
    });
    const auto window = app::Main(request.image);
    return 0;
}
