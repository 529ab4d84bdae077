#include "commands/entry_names.h"

#include <algorithm>

#include "cache/index_text.h"
#include "game/installation.h"
#include "platform/code_page.h"
#include "platform/file.h"

namespace thld {

namespace {

bool IsControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

// Windows takes CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9 for devices, whatever extension
// or trailing blanks follow them.
bool IsDeviceName(std::string_view name)
{
    std::string base = UpperAsciiText(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL")
        return true;
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) && base[3] >= '1' && base[3] <= '9';
}

}  // namespace

bool IsPlainFileName(std::string_view name)
{
    if (name.empty() || name == "." || name == ".." || IsDeviceName(name))
        return false;
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return c == '\\' || c == '/' || c == ':' || IsControl(c); });
}

std::string LeftAloneMessage(std::string_view packageName, LeftReason reason)
{
    std::string shown(packageName);
    std::replace_if(shown.begin(), shown.end(), IsControl, '?');
    const char* why = "its entry in cache.ini is not a plain file name.";
    switch (reason) {
    case LeftReason::NotPlainName:
        break;
    case LeftReason::CachedFileIsLink:
        why = "its cached file is a link to another file.";
        break;
    case LeftReason::DestinationIsLink:
        why = "the file it would replace is a link to another file.";
        break;
    case LeftReason::LinkNotDeletable:
        why = "its cached file is a link that can't be deleted here without the file it leads to.";
        break;
    }
    return "Left \"" + shown + "\" in the cache: " + why;
}

std::optional<Destination> DestinationOf(const std::string& gameFolder, PackageKind kind, std::string_view value)
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
    Destination destination;
    destination.folder = GameSubfolder(gameFolder, folder);
    destination.path = destination.folder + PackageNameOf(value) + extension;
    return destination;
}

}  // namespace thld
