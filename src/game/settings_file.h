#pragma once
// The program's own per-user settings on systems without a registry: a small text file of
// [section] headers and name=value lines, such as
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Unreal Technology\Installed Apps\UnrealTournament]
//   Folder=/home/player/ut
//
// Reading it never fails loudly (a missing or unreadable file holds nothing, and WhyUnreadable says
// why); writing replaces the file in one step, so that it is always whole. A value, a name or a
// section holding a line break is never written: it could not be read back the same.

#include <optional>
#include <string>
#include <string_view>

namespace thld {

inline constexpr const char* kSettingsFileName = "tallyhold.ini";

class SettingsFile {
public:
    // `path` is the file's full path; its folder is made when a value is written.
    explicit SettingsFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    // Why the file is there but can't be read, in words that follow its path ("is a FIFO, not a
    // regular file", "can't be read: access was denied", "holds what is no text"); nothing where it
    // can be read or is not there at all.
    std::optional<std::string> WhyUnreadable() const;
    // Whether the text can be kept as a value, a name or a section: it holds no line break.
    static bool CanHold(std::string_view text);
    // The value of `name` in `section` (both compared exactly); nothing when there is none.
    std::optional<std::string> Get(std::string_view section, std::string_view name) const;
    // Sets the value, keeping every other line as it was; false when the file can't be written, or
    // when any of the three can't be held (CanHold).
    bool Set(std::string_view section, std::string_view name, std::string_view value) const;

private:
    std::string path_;
};

}  // namespace thld
