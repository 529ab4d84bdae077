#pragma once
// The game's registry entry, set as a test needs it and put back as it was afterwards, in the three
// places the program reads it.

#include <optional>
#include <string>

namespace thld::uitest {

class GameEntryOverride {
public:
    enum class Place {
        Machine32,
        Machine64,
        User
    };

    GameEntryOverride();   // remembers the entry in every place
    ~GameEntryOverride();  // and writes it back
    GameEntryOverride(const GameEntryOverride&) = delete;
    GameEntryOverride& operator=(const GameEntryOverride&) = delete;

    // The value "Folder" in the 32-bit view of HKEY_LOCAL_MACHINE, where the game's installer
    // writes it; the other places are left without the key.
    void SetFolder(const std::string& value);
    // The value "Folder" in the 64-bit view only.
    void SetFolder64(const std::string& value);
    // The key in the 32-bit view without the value "Folder".
    void SetKeyOnly();
    void Remove();
    // The value in the 32-bit view, if there is one.
    static std::optional<std::string> Folder32();

    // The value (UTF-8) in one place, leaving the others as they are; nothing puts the key alone.
    static void Put(Place place, const std::optional<std::string>& value);
    static std::optional<std::string> Get(Place place);

private:
    struct Saved {
        bool key = false;
        std::optional<std::string> folder;
    };
    Saved saved_[3];
};

}  // namespace thld::uitest
