#include "Commands.h"

#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char **argv)
{
    // The tool never shows a window; it runs the same with or without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    cli::CommandOutput io{out, err};
    return cli::runTool(QCoreApplication::arguments(), io);
}
