#include "Commands.h"

#include <array>

namespace cli {

namespace {

struct Subcommand {
    const char16_t *name;
    int (*run)(const QStringList &, CommandOutput &);
    const char16_t *summary;
};

constexpr std::array kSubcommands{
    Subcommand{u"info", &runInfo, u"the image's 25 chapter maps: place, size, title"},
    Subcommand{u"export", &runExport, u"a chapter map, or all, as PNG, CSV or a Tiled map"},
    Subcommand{u"import", &runImport, u"a CSV or Tiled map back into a chapter's tiles"},
    Subcommand{u"diff", &runDiff, u"the map cells that differ between two images"},
    Subcommand{u"patch", &runPatch, u"a BPS or IPS patch from an original and an edited image"},
    Subcommand{u"apply", &runApply, u"a BPS or IPS patch to an image, checked first"},
    Subcommand{u"restore", &runRestore, u"an image's old bytes from an interrupted write's backup"},
    Subcommand{u"replace", &runReplace, u"tile codes in all chapter maps, or some, by a rule list"},
    Subcommand{u"recover", &runRecover, u"the unsaved edits a stopped editor left in its journal"},
};

QString toolHelp()
{
    QString text = QStringLiteral(
        "Usage: tarvos-cli COMMAND [options] ARGUMENTS\n"
        "Reads and writes the chapter maps of a cartridge image without a window.\n\n"
        "Commands:\n");
    for (const Subcommand &command : kSubcommands)
        text += QStringLiteral("  %1  %2\n")
                    .arg(QString::fromUtf16(command.name), -7)
                    .arg(QString::fromUtf16(command.summary));
    text += QStringLiteral("\n'tarvos-cli COMMAND --help' describes a command.\n"
                           "Exit status: 0 done, 1 an input refused, 2 a usage error, 3 diff "
                           "found differences.\n");
    return text;
}

} // namespace

int runTool(const QStringList &arguments, CommandOutput &io)
{
    if (arguments.size() < 2) {
        io.err << toolHelp();
        return kUsage;
    }
    const QString &first = arguments.at(1);
    if (first == u"--help" || first == u"-h" || first == u"help") {
        io.out << toolHelp();
        return kSuccess;
    }
    if (first == u"--version" || first == u"-v") {
        io.out << QStringLiteral("tarvos-cli " TARVOS_VERSION "\n");
        return kSuccess;
    }
    for (const Subcommand &command : kSubcommands)
        if (first == QStringView(command.name))
            return command.run(arguments.sliced(1), io);
    io.err << QStringLiteral("tarvos-cli: unknown command '%1'\nTry 'tarvos-cli --help'.\n")
                  .arg(first);
    return kUsage;
}

} // namespace cli
