#include "commands/entry_names.h"

#include <algorithm>

#include "cache/index_text.h"
#include "platform/file.h"

namespace thld {

namespace {

bool IsControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

}  // namespace

bool IsPlainFileName(std::string_view name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return c == '\\' || c == '/' || c == ':' || IsControl(c); });
}

std::string LeftAloneMessage(std::string_view packageName)
{
    std::string shown(packageName);
    std::replace_if(shown.begin(), shown.end(), IsControl, '?');
    return "Left \"" + shown + "\" in the cache: its entry in cache.ini is not a plain file name.";
}

std::optional<std::string> DestinationPath(const std::string& gameFolder, PackageKind kind,
                                           std::string_view value)
{
    const char* folder = nullptr;
    const char* extension = nullptr;
    if (kind == kind::Map) {
        folder = "Maps";
        extension = ".unr";
    } else if (kind == kind::Script) {
        folder = "System";
        extension = ".u";
    } else if (kind == kind::Textures) {
        folder = "Textures";
        extension = ".utx";
    } else {
        return std::nullopt;
    }
    return gameFolder + folder + kPathSeparator + PackageNameOf(value) + extension;
}

}  // namespace thld
