#include "game_entry_override.h"

#include <windows.h>

#include <vector>

#include "game/game_folder.h"
#include "platform/utf16.h"

namespace thld::uitest {

namespace {

using Place = GameEntryOverride::Place;
constexpr Place kPlaces[] = {Place::Machine32, Place::Machine64, Place::User};

struct Key {
    HKEY handle = nullptr;
    ~Key()
    {
        if (handle)
            ::RegCloseKey(handle);
    }
};

std::wstring Wide(const std::string& text)
{
    std::u16string units = Utf8ToUtf16(text);
    return std::wstring(units.begin(), units.end());
}

HKEY Hive(Place place) { return place == Place::User ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }
REGSAM View(Place place) { return place == Place::Machine64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY; }

bool KeyExists(Place place)
{
    Key key;
    return ::RegOpenKeyExW(Hive(place), Wide(kGameEntryKey).c_str(), 0, KEY_READ | View(place), &key.handle) ==
           ERROR_SUCCESS;
}

void DeleteKey(Place place) { ::RegDeleteKeyExW(Hive(place), Wide(kGameEntryKey).c_str(), View(place), 0); }

}  // namespace

std::optional<std::string> GameEntryOverride::Get(Place place)
{
    Key key;
    if (::RegOpenKeyExW(Hive(place), Wide(kGameEntryKey).c_str(), 0, KEY_QUERY_VALUE | View(place), &key.handle) !=
        ERROR_SUCCESS)
        return std::nullopt;
    DWORD size = 0;
    const std::wstring name = Wide(kGameEntryValue);
    if (::RegQueryValueExW(key.handle, name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(key.handle, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::u16string units(text.begin(), text.end());
    return Utf16ToUtf8(units.substr(0, units.find(u'\0')));
}

void GameEntryOverride::Put(Place place, const std::optional<std::string>& folder)
{
    Key key;
    if (::RegCreateKeyExW(Hive(place), Wide(kGameEntryKey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | View(place),
                          nullptr, &key.handle, nullptr) != ERROR_SUCCESS)
        return;
    const std::wstring name = Wide(kGameEntryValue);
    if (folder) {
        const std::wstring text = Wide(*folder);
        ::RegSetValueExW(key.handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    } else {
        ::RegDeleteValueW(key.handle, name.c_str());
    }
}

GameEntryOverride::GameEntryOverride()
{
    for (Place place : kPlaces)
        saved_[static_cast<int>(place)] = {KeyExists(place), Get(place)};
}

GameEntryOverride::~GameEntryOverride()
{
    Remove();
    for (Place place : kPlaces) {
        const Saved& saved = saved_[static_cast<int>(place)];
        if (saved.key)
            Put(place, saved.folder);
    }
}

void GameEntryOverride::SetFolder(const std::string& value)
{
    Remove();
    Put(Place::Machine32, value);
}

void GameEntryOverride::SetFolder64(const std::string& value)
{
    Remove();
    Put(Place::Machine64, value);
}

void GameEntryOverride::SetKeyOnly()
{
    Remove();
    Put(Place::Machine32, std::nullopt);
}

void GameEntryOverride::Remove()
{
    for (Place place : kPlaces)
        DeleteKey(place);
}

std::optional<std::string> GameEntryOverride::Folder32() { return Get(Place::Machine32); }

}  // namespace thld::uitest
