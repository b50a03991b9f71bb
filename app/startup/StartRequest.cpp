#include "StartRequest.h"

#include <QCommandLineParser>

namespace app {

namespace {

QString usageText()
{
    return QStringLiteral(
        "Usage: tarvos [IMAGE]\n"
        "       tarvos --compare REFERENCE IMAGE\n"
        "Edits the chapter maps of a cartridge image (.nes) in a window. IMAGE, where given,\n"
        "opens at start as if chosen with the Open button.\n\n"
        "Options:\n"
        "  --compare REFERENCE  compare IMAGE with REFERENCE, another image or an IPS or\n"
        "                       BPS patch of IMAGE's file: Ctrl+D marks the cells that\n"
        "                       differ, F8 goes to the next\n"
        "  -h, --help     show this text and end\n"
        "  -v, --version  show the version and end\n\n"
        "tarvos-cli does the same without a window.\n");
}

} // namespace

StartRequest readStartRequest(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    const QCommandLineOption compare(QStringLiteral("compare"), QString(),
                                     QStringLiteral("REFERENCE"));
    parser.addOptions({help, version, compare});
    if (!parser.parse(arguments))
        return {StartRequest::Kind::Refused, {}, {}, parser.errorText()};
    if (parser.isSet(help))
        return {StartRequest::Kind::Help, {}, {}, usageText()};
    if (parser.isSet(version))
        return {StartRequest::Kind::Version, {}, {}, QStringLiteral("tarvos " TARVOS_VERSION "\n")};
    const QStringList images = parser.positionalArguments();
    if (images.size() > 1)
        return {StartRequest::Kind::Refused, {}, {}, QStringLiteral("one image at most")};
    if (parser.isSet(compare) && images.isEmpty())
        return {StartRequest::Kind::Refused, {}, {}, QStringLiteral("--compare needs an IMAGE")};
    return {StartRequest::Kind::Window, images.value(0), parser.value(compare), {}};
}

int answerWithoutWindow(const StartRequest &request)
{
    if (request.kind == StartRequest::Kind::Refused) {
        showStartText(QStringLiteral("tarvos: %1\nTry 'tarvos --help'.\n").arg(request.text), true);
        return 2;
    }
    showStartText(request.text, false);
    return 0;
}

} // namespace app
