#include "game_entry_override.h"

#include <windows.h>

#include "game/game_folder.h"

namespace thld::uitest {

namespace {

struct Key {
    HKEY handle = nullptr;
    ~Key()
    {
        if (handle)
            ::RegCloseKey(handle);
    }
};

bool KeyExists(REGSAM view)
{
    Key key;
    return ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kGameEntryKey, 0, KEY_READ | view, &key.handle) == ERROR_SUCCESS;
}

std::optional<std::string> ReadFolder(REGSAM view)
{
    Key key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kGameEntryKey, 0, KEY_QUERY_VALUE | view, &key.handle) != ERROR_SUCCESS)
        return std::nullopt;
    char buffer[1024] = {};
    DWORD size = sizeof buffer - 1;
    if (::RegQueryValueExA(key.handle, kGameEntryValue, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::string(buffer);
}

void DeleteKey(REGSAM view) { ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kGameEntryKey, view, 0); }

void WriteKey(REGSAM view, const std::optional<std::string>& folder)
{
    Key key;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameEntryKey, 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr,
                          &key.handle, nullptr) != ERROR_SUCCESS)
        return;
    if (folder)
        ::RegSetValueExA(key.handle, kGameEntryValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder->c_str()),
                         static_cast<DWORD>(folder->size() + 1));
    else
        ::RegDeleteValueA(key.handle, kGameEntryValue);
}

void Restore(REGSAM view, bool existed, const std::optional<std::string>& folder)
{
    DeleteKey(view);
    if (existed)
        WriteKey(view, folder);
}

}  // namespace

GameEntryOverride::GameEntryOverride()
    : saved32_(ReadFolder(KEY_WOW64_32KEY)),
      saved64_(ReadFolder(KEY_WOW64_64KEY)),
      key32_(KeyExists(KEY_WOW64_32KEY)),
      key64_(KeyExists(KEY_WOW64_64KEY))
{
}

GameEntryOverride::~GameEntryOverride()
{
    Restore(KEY_WOW64_32KEY, key32_, saved32_);
    Restore(KEY_WOW64_64KEY, key64_, saved64_);
}

void GameEntryOverride::SetFolder(const std::string& value)
{
    Remove();
    WriteKey(KEY_WOW64_32KEY, value);
}

void GameEntryOverride::SetFolder64(const std::string& value)
{
    Remove();
    WriteKey(KEY_WOW64_64KEY, value);
}

void GameEntryOverride::SetKeyOnly()
{
    Remove();
    WriteKey(KEY_WOW64_32KEY, std::nullopt);
}

void GameEntryOverride::Remove()
{
    DeleteKey(KEY_WOW64_32KEY);
    DeleteKey(KEY_WOW64_64KEY);
}

std::optional<std::string> GameEntryOverride::Folder32() { return ReadFolder(KEY_WOW64_32KEY); }

}  // namespace thld::uitest
