#include "Commands.h"
#include "UserFileWriter.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

// Tiles are decoded and drawn into images only, which needs no display platform: the tool
// runs the same with or without a screen.
int main(int argc, char **argv)
{
    fileio::outliveFileSizeLimit();
    const QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    cli::CommandOutput io{out, err};
    return cli::runTool(QCoreApplication::arguments(), io);
}
