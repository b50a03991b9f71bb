#pragma once

#include "CommandOutput.h"

#include <QStringList>

namespace cli {

// The whole tool, `arguments` as main() receives them (the program first).
int runTool(const QStringList &arguments, CommandOutput &io);

// The subcommands; arguments[0] is the subcommand's name.
int runInfo(const QStringList &arguments, CommandOutput &io);
int runExport(const QStringList &arguments, CommandOutput &io);
int runImport(const QStringList &arguments, CommandOutput &io);
int runDiff(const QStringList &arguments, CommandOutput &io);
int runPatch(const QStringList &arguments, CommandOutput &io);
int runApply(const QStringList &arguments, CommandOutput &io);
int runRestore(const QStringList &arguments, CommandOutput &io);
int runRecover(const QStringList &arguments, CommandOutput &io);
int runReplace(const QStringList &arguments, CommandOutput &io);

} // namespace cli
