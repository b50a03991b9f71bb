#include "FuzzEntries.h"

#include "PropertyBagCodecs.h"

#include <array>

namespace fuzzing {

namespace {

constexpr std::array kEntries{
    Entry{"chapter_directory", &chapterDirectory},
    Entry{"map_edit", &mapEdit},
    Entry{"bitmap", &bitmap},
    Entry{"tile_name", &tileName},
    Entry{"tile_folder", &tileFolder},
    Entry{"property_bag", &propertyBag},
    Entry{"form_layout", &formLayout},
    Entry{"control_bag", &controlBag},
    Entry{"map_import_csv", &mapImportCsv},
    Entry{"map_import_tmx", &mapImportTmx},
    Entry{"map_import_json", &mapImportJson},
    Entry{"ips_patch", &ipsPatch},
    Entry{"bps_patch", &bpsPatch},
    Entry{"png_write", &pngWrite},
    Entry{"map_session", &mapSession},
};

} // namespace

std::span<const Entry> entries()
{
    return kEntries;
}

const Entry *findEntry(const std::string &name)
{
    for (const Entry &entry : kEntries)
        if (name == entry.name)
            return &entry;
    return nullptr;
}

void prepare()
{
    host::registerPropertyBagCodecs();
}

} // namespace fuzzing
