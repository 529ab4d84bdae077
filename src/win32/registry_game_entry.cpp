#include <windows.h>

#include "win32/registry_game_entry.h"

namespace thld {

namespace {

class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey()
    {
        if (handle)
            ::RegCloseKey(handle);
    }
    HKEY handle = nullptr;
};

GameEntryRead ReadInView(REGSAM view)
{
    GameEntryRead read;
    RegistryKey key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kGameEntryKey, 0, KEY_QUERY_VALUE | view, &key.handle) !=
        ERROR_SUCCESS) {
        read.result = GameEntryRead::Result::NoKey;
        return read;
    }
    char buffer[kGameEntryBufferSize] = {};
    DWORD size = kGameEntryBufferSize;
    DWORD type = 0;  // any type is taken as text
    if (::RegQueryValueExA(key.handle, kGameEntryValue, nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                           &size) != ERROR_SUCCESS) {
        read.result = GameEntryRead::Result::NoValue;
        return read;
    }
    read.result = GameEntryRead::Result::Read;
    read.bytes.assign(buffer, size);
    return read;
}

}  // namespace

GameEntryRead RegistryGameEntry::Read()
{
    GameEntryRead in32 = ReadInView(KEY_WOW64_32KEY);
    if (in32.result == GameEntryRead::Result::Read)
        return in32;
    GameEntryRead in64 = ReadInView(KEY_WOW64_64KEY);
    if (in64.result == GameEntryRead::Result::Read)
        return in64;
    if (in32.result == GameEntryRead::Result::NoValue)
        return in32;
    return in64;
}

bool RegistryGameEntry::Write(const std::string& value)
{
    RegistryKey key;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameEntryKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key.handle, nullptr) != ERROR_SUCCESS)
        return false;
    return ::RegSetValueExA(key.handle, kGameEntryValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace thld
