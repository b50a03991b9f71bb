#include "StartRequest.h"

#include <QFile>

#include <cstdio>

namespace app {

QStringList programArguments(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    return arguments;
}

void showStartText(const QString &text, bool isError)
{
    std::FILE *stream = isError ? stderr : stdout;
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace app
