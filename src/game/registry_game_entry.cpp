#include "game/registry_game_entry.h"

#include "platform/folder.h"

namespace thld {

namespace {

class TheSystemRegistry : public RegistryValues {
public:
    RegistryString Read(RegistryHive hive, RegistryView view, const std::string& key, const std::string& name) override
    {
        return ReadRegistryString(hive, view, key, name);
    }
    std::vector<std::string> Subkeys(RegistryHive hive, RegistryView view, const std::string& key) override
    {
        return RegistrySubkeys(hive, view, key);
    }
    unsigned long Write(RegistryHive hive, RegistryView view, const std::string& key, const std::string& name,
                        const std::string& value) override
    {
        return WriteRegistryString(hive, view, key, name, value);
    }
};

struct Place {
    RegistryHive hive;
    RegistryView view;
};

// The order of reading. HKEY_CURRENT_USER\SOFTWARE is the same in both views.
constexpr Place kReadOrder[] = {
    {RegistryHive::LocalMachine, RegistryView::Bits32},
    {RegistryHive::LocalMachine, RegistryView::Bits64},
    {RegistryHive::CurrentUser, RegistryView::Bits32},
};
constexpr Place kInstallerPlace = kReadOrder[0];
constexpr Place kUserPlace = kReadOrder[2];

std::string NameOf(const Place& place)
{
    if (place.hive == RegistryHive::CurrentUser)
        return std::string("HKEY_CURRENT_USER\\") + kGameEntryKey;
    return std::string("HKEY_LOCAL_MACHINE\\") + kGameEntryKey +
           (place.view == RegistryView::Bits32 ? " (32-bit view)" : " (64-bit view)");
}

std::string WhyNotRead(const RegistryString& read)
{
    switch (read.result) {
    case RegistryString::Result::NoKey:
        return "no entry";
    case RegistryString::Result::NoValue:
        return "no value \"Folder\"";
    default:
        return "the value \"Folder\" can't be read (system error " + std::to_string(read.error) + ")";
    }
}

}  // namespace

RegistryValues& SystemRegistry()
{
    static TheSystemRegistry registry;
    return registry;
}

GameEntryRead RegistryGameEntry::Read()
{
    constexpr std::size_t kPlaces = std::size(kReadOrder);
    RegistryString reads[kPlaces];
    bool exists[kPlaces] = {};
    std::size_t taken = kPlaces;
    for (std::size_t i = 0; i < kPlaces; ++i) {
        reads[i] = registry_.Read(kReadOrder[i].hive, kReadOrder[i].view, kGameEntryKey, kGameEntryValue);
        exists[i] = reads[i].result == RegistryString::Result::Read && IsFolder(reads[i].text);
        if (exists[i] && taken == kPlaces)
            taken = i;
    }
    // Where no entry names an existing folder, the first that can be read is taken as it is.
    for (std::size_t i = 0; i < kPlaces && taken == kPlaces; ++i) {
        if (reads[i].result == RegistryString::Result::Read)
            taken = i;
    }

    GameEntryRead entry;
    for (std::size_t i = 0; i < kPlaces; ++i) {
        FolderFinding place;
        place.role = "game folder";
        place.source = NameOf(kReadOrder[i]);
        place.folder = reads[i].text;
        place.taken = i == taken;
        if (reads[i].result != RegistryString::Result::Read)
            place.why = WhyNotRead(reads[i]);
        else if (place.taken)
            place.why = exists[i] ? "the stored entry" : "the stored entry; no other names an existing folder";
        else if (i < taken)
            place.why = "its folder does not exist";
        else
            place.why = "an entry read before it is taken";
        entry.places.push_back(std::move(place));
    }

    if (taken < kPlaces) {
        entry.result = GameEntryRead::Result::Read;
        entry.bytes = reads[taken].text;
        entry.source = entry.places[taken].source;
        return entry;
    }
    // Nothing readable: a key without a usable value says more than a missing key.
    entry.result = GameEntryRead::Result::NoKey;
    entry.source = entry.places.front().source;
    for (std::size_t i = 0; i < kPlaces; ++i) {
        if (reads[i].result != RegistryString::Result::NoKey) {
            entry.result = GameEntryRead::Result::NoValue;
            entry.source = entry.places[i].source;
            break;
        }
    }
    return entry;
}

bool RegistryGameEntry::Write(const std::string& value)
{
    if (registry_.Write(kInstallerPlace.hive, kInstallerPlace.view, kGameEntryKey, kGameEntryValue, value) != 0 &&
        registry_.Write(kUserPlace.hive, kUserPlace.view, kGameEntryKey, kGameEntryValue, value) != 0)
        return false;
    GameEntryRead back = Read();
    return back.result == GameEntryRead::Result::Read && back.bytes == value;
}

}  // namespace thld
