#include <windows.h>

#include "platform/utf16.h"
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
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, WideOf(kGameEntryKey).c_str(), 0, KEY_QUERY_VALUE | view,
                        &key.handle) != ERROR_SUCCESS) {
        read.result = GameEntryRead::Result::NoKey;
        return read;
    }
    // As many characters as the entry held as 8-bit text; the program's text is UTF-8.
    wchar_t buffer[kGameEntryBufferSize] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;  // any type is taken as text
    if (::RegQueryValueExW(key.handle, WideOf(kGameEntryValue).c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
        read.result = GameEntryRead::Result::NoValue;
        return read;
    }
    read.result = GameEntryRead::Result::Read;
    read.bytes = Utf8Of(std::wstring_view(buffer, size / sizeof(wchar_t)));
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
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, WideOf(kGameEntryKey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key.handle, nullptr) != ERROR_SUCCESS)
        return false;
    const std::wstring wide = WideOf(value);
    return ::RegSetValueExW(key.handle, WideOf(kGameEntryValue).c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(wide.c_str()),
                            static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace thld
