#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

// The entry functions of the fuzz targets. libFuzzer calls them through tests/fuzz, and
// test_fuzz_corpus replays every committed corpus file through them in the ordinary
// build, so the corpus is checked with any compiler. Each reads one input of outside data
// the way the program does and checks what must hold for every input; a broken rule is
// thrown as a Finding. Refusals the program makes on purpose (RuntimeError, nullopt, null
// images) are expected and checked, never thrown on.
namespace fuzzing {

class Finding : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

inline void require(bool holds, const char *rule)
{
    if (!holds)
        throw Finding(rule);
}

using EntryFunction = void (*)(const std::uint8_t *data, std::size_t size);

struct Entry {
    const char *name; // also the corpus folder, tests/fuzz/corpus/<name>/
    EntryFunction run;
};

// Every entry, by name.
std::span<const Entry> entries();
const Entry *findEntry(const std::string &name);

// Once per process, after the application object exists: the property-bag object forms.
void prepare();

// The cartridge image, its chapter directory and cell addressing.
void chapterDirectory(const std::uint8_t *data, std::size_t size);
// The map view's right-click: pointer to cell to the one byte it writes.
void mapEdit(const std::uint8_t *data, std::size_t size);
// Bitmap decoding, and LoadPicture through a file.
void bitmap(const std::uint8_t *data, std::size_t size);
// Tile names: palette codes, map-view names, the listing order.
void tileName(const std::uint8_t *data, std::size_t size);
// The tile-folder listing and lookup over a real folder of fuzzed entries.
void tileFolder(const std::uint8_t *data, std::size_t size);
// Property bags from JSON and the runtime's conversions of their values.
void propertyBag(const std::uint8_t *data, std::size_t size);
// Stored window layouts, read and built into controls.
void formLayout(const std::uint8_t *data, std::size_t size);
// A property bag loaded into the button and the progress bar and saved again.
void controlBag(const std::uint8_t *data, std::size_t size);
// The command-line tool's map importers: CSV, Tiled XML and Tiled JSON.
void mapImportCsv(const std::uint8_t *data, std::size_t size);
void mapImportTmx(const std::uint8_t *data, std::size_t size);
void mapImportJson(const std::uint8_t *data, std::size_t size);
// The command-line tool's patch readers, and apply on top of them.
void ipsPatch(const std::uint8_t *data, std::size_t size);
void bpsPatch(const std::uint8_t *data, std::size_t size);
// PNG writing of any picture, read back by zlib.
void pngWrite(const std::uint8_t *data, std::size_t size);
// A person's session in the editor window: the view, the history and the file after every
// event (EntryMapSession.cpp); the first byte of each event names it.
void mapSession(const std::uint8_t *data, std::size_t size);
std::uint8_t mapSessionEvent(std::string_view name);

} // namespace fuzzing
