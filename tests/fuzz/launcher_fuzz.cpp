// The launchers' files on any bytes: Steam's KeyValues, Heroic's JSON, Lutris's YAML (read with
// yaml-cpp) and Wine's registry. The first byte picks the reader. None may crash or hang, a failed
// read gives no value, and the folders a Wine registry names never climb out of their drive.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "game/json_text.h"
#include "game/key_values_text.h"
#include "game/lutris_game.h"
#include "game/wine_registry.h"

namespace thld::fuzz {
namespace {

void Require(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

void CheckOneInput(std::string_view bytes)
{
    if (bytes.empty())
        return;
    const std::string_view text = bytes.substr(1);
    switch (static_cast<unsigned char>(bytes[0]) % 4) {
    case 0: {
        KeyValuesText read = ReadKeyValuesText(text);
        for (const KeyValue& value : read.values)
            Require(!value.keys.empty() && value.keys.size() <= 33, "a value's keys are bounded");
        break;
    }
    case 1: {
        JsonText read = ReadJsonText(text);
        Require(read.error.empty() || read.value.type == JsonValue::Type::Null, "a failed read gives no value");
        break;
    }
    case 2: {
        LutrisGame read = ReadLutrisGame(text);
        Require(read.error.empty() || (!read.exe && !read.prefix && !read.workingDir), "a failed read gives no value");
        break;
    }
    default: {
        WineRegistryText read = ReadWineRegistryText(text);
        for (const WineRegistry::Key& key : read.registry.keys) {
            for (const auto& [name, value] : key.strings) {
                std::optional<std::string> folder = FolderInWinePrefix("/prefix/", value);
                if (!folder)
                    continue;
                Require(folder->rfind("/prefix/dosdevices/", 0) == 0, "a folder in the prefix's drives");
                Require(folder->find("/../") == std::string::npos, "no folder climbs out of its drive");
            }
        }
    }
    }
}

}  // namespace
}  // namespace thld::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    thld::fuzz::CheckOneInput(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
