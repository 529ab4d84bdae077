#pragma once
// The game's registry entry, set as a test needs it and put back as it was afterwards.

#include <optional>
#include <string>

namespace thld::uitest {

class GameEntryOverride {
public:
    GameEntryOverride();   // remembers the entry in both views of the registry
    ~GameEntryOverride();  // and writes it back
    GameEntryOverride(const GameEntryOverride&) = delete;
    GameEntryOverride& operator=(const GameEntryOverride&) = delete;

    // The value "Folder" in the 32-bit view, where the game's installer writes it; the 64-bit view
    // is left without the key.
    void SetFolder(const std::string& value);
    // The value "Folder" in the 64-bit view only.
    void SetFolder64(const std::string& value);
    // The key in the 32-bit view without the value "Folder".
    void SetKeyOnly();
    void Remove();
    // The value in the 32-bit view, if there is one.
    static std::optional<std::string> Folder32();

private:
    std::optional<std::string> saved32_, saved64_;
    bool key32_, key64_;
};

}  // namespace thld::uitest
