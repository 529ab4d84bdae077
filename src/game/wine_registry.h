#pragma once
// A Wine prefix's registry as Wine keeps it: the text files system.reg (HKEY_LOCAL_MACHINE) and
// user.reg (HKEY_CURRENT_USER),
//
//   WINE REGISTRY Version 2
//   [Software\\Wow6432Node\\Unreal Technology\\Installed Apps\\UnrealTournament] 1700000000
//   "Folder"="C:\\UnrealTournament"
//
// with backslashes doubled and \xNNNN escapes for UTF-16 units; and the prefix's drives, each a
// link in <prefix>/dosdevices. Untrusted input: a file without the header is an error, a line that
// is neither a key nor a string value is passed over.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace thld {

class WineRegistry {
public:
    // The value's text (UTF-8) under the key, both matched without regard to case; nothing when the
    // key or the value is missing or the value is not a string.
    std::optional<std::string> Value(std::string_view key, std::string_view name) const;
    // The names of the keys right under `key`, as spelt in the file.
    std::vector<std::string> Subkeys(std::string_view key) const;

    struct Key {
        std::string name;                                          // as in the file, unescaped
        std::vector<std::pair<std::string, std::string>> strings;  // name and text
    };
    std::vector<Key> keys;
};

struct WineRegistryText {
    WineRegistry registry;
    std::string error;  // empty when the text is a Wine registry file
};

WineRegistryText ReadWineRegistryText(std::string_view text);

// The folder that a Windows path in the prefix stands for: <prefix>/dosdevices/<drive>:/... (a
// link, usually to ../drive_c), each part spelt as on disk where only its case differs; "." and
// ".." are resolved within the drive, never above it.
// Nothing for a path without a drive letter.
std::optional<std::string> FolderInWinePrefix(const std::string& prefix, std::string_view windowsPath);

}  // namespace thld
