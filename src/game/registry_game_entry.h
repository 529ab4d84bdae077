#pragma once
// The game's entry in the Windows registry. The game's installers write it to HKEY_LOCAL_MACHINE
// from a 32-bit process, so it lands in the 32-bit view there; other installs (Steam's) write the
// same key to HKEY_CURRENT_USER. It is read in that order: HKEY_LOCAL_MACHINE's 32-bit view, its
// 64-bit view, then HKEY_CURRENT_USER; an entry whose folder exists comes before one whose folder
// is gone. A choice is written where the game's installer writes it, and where the user may not
// write there (HKEY_LOCAL_MACHINE needs an administrator) to HKEY_CURRENT_USER, so that it is kept.

#include <string>
#include <vector>

#include "game/game_folder.h"
#include "platform/registry.h"

namespace thld {

// The registry as the store uses it: the system's, or a stand-in in tests.
class RegistryValues {
public:
    virtual ~RegistryValues() = default;
    virtual RegistryString Read(RegistryHive hive, RegistryView view, const std::string& key,
                                const std::string& name) = 0;
    // The keys right under `key`; none by default.
    virtual std::vector<std::string> Subkeys(RegistryHive, RegistryView, const std::string&) { return {}; }
    // 0 when written, otherwise the system's error code.
    virtual unsigned long Write(RegistryHive hive, RegistryView view, const std::string& key, const std::string& name,
                                const std::string& value) = 0;
};

// The system's registry (platform/registry.h).
RegistryValues& SystemRegistry();

class RegistryGameEntry : public GameEntryStore {
public:
    explicit RegistryGameEntry(RegistryValues& registry = SystemRegistry()) : registry_(registry) {}

    // Every place in the order above is read and listed in `places`.
    GameEntryRead Read() override;
    // True when the value was written and is what Read now gives; false also when it was written
    // to HKEY_CURRENT_USER but an entry in HKEY_LOCAL_MACHINE still comes first.
    bool Write(const std::string& value) override;

private:
    RegistryValues& registry_;
};

}  // namespace thld
