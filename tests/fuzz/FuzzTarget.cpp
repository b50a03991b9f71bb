// The libFuzzer shell around one entry function of tests/hardening, chosen at build time
// by TARVOS_FUZZ_ENTRY.

#include "Application.h"
#include "FuzzEntries.h"

#include <cstdio>
#include <cstdlib>

namespace {

const fuzzing::Entry &target()
{
    static const fuzzing::Entry *entry = fuzzing::findEntry(TARVOS_FUZZ_ENTRY);
    if (!entry) {
        std::fprintf(stderr, "no fuzz entry named %s\n", TARVOS_FUZZ_ENTRY);
        std::abort();
    }
    return *entry;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Qt sees only the program's name: the fuzzer's options are none of its business. The
    // application lives until the process ends.
    static int qtArgc = 1;
    static char *qtArgv[] = {(*argc > 0 ? (*argv)[0] : nullptr), nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static auto *application = new host::Application(qtArgc, qtArgv);
    Q_UNUSED(application);
    host::installFontSubstitutions();
    fuzzing::prepare();
    target();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    try {
        target().run(data, size);
    } catch (const fuzzing::Finding &finding) {
        std::fprintf(stderr, "fuzz finding in %s: %s\n", TARVOS_FUZZ_ENTRY, finding.what());
        std::abort();
    }
    return 0;
}
