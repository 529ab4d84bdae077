#include <windows.h>

#include <vector>

#include "platform/registry.h"
#include "platform/utf16.h"

namespace thld {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring Wide(const std::string& utf8)
{
    std::u16string text = Utf8ToUtf16(utf8);
    return std::wstring(text.begin(), text.end());
}

std::string Utf8(const wchar_t* text, std::size_t length)
{
    return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}

HKEY HiveKey(RegistryHive hive) { return hive == RegistryHive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

REGSAM ViewFlag(RegistryView view) { return view == RegistryView::Bits32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY; }

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

bool IsStringType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ || type == REG_LINK;
}

// The text of the value's data, up to its first zero character.
std::string TextOf(DWORD type, const std::vector<BYTE>& data, DWORD size)
{
    if (IsStringType(type)) {
        const auto* text = reinterpret_cast<const wchar_t*>(data.data());
        std::size_t length = 0;
        while (length < size / sizeof(wchar_t) && text[length] != L'\0')
            ++length;
        return Utf8(text, length);
    }
    const auto* bytes = reinterpret_cast<const char*>(data.data());
    std::size_t length = 0;
    while (length < size && bytes[length] != '\0')
        ++length;
    if (length == 0)
        return std::string();
    int units = ::MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(length), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units > 0 ? units : 0), L'\0');
    if (units > 0)
        ::MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(length), wide.data(), units);
    return Utf8(wide.data(), wide.size());
}

}  // namespace

bool HasRegistry() { return true; }

RegistryString ReadRegistryString(RegistryHive hive, RegistryView view, const std::string& key, const std::string& name)
{
    RegistryString read;
    RegistryKey opened;
    LSTATUS status =
        ::RegOpenKeyExW(HiveKey(hive), Wide(key).c_str(), 0, KEY_QUERY_VALUE | ViewFlag(view), &opened.handle);
    if (status != ERROR_SUCCESS) {
        read.result = RegistryString::Result::NoKey;
        read.error = static_cast<unsigned long>(status);
        return read;
    }
    const std::wstring valueName = Wide(name);
    DWORD type = 0;
    DWORD size = 0;
    status = ::RegQueryValueExW(opened.handle, valueName.c_str(), nullptr, &type, nullptr, &size);
    // The value may grow between asking its size and reading it: ask again a few times.
    for (int attempt = 0; attempt < 4 && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA); ++attempt) {
        // Room for a terminating zero that the stored data may lack.
        std::vector<BYTE> data(static_cast<std::size_t>(size) + sizeof(wchar_t), 0);
        DWORD got = size;
        status = ::RegQueryValueExW(opened.handle, valueName.c_str(), nullptr, &type, data.data(), &got);
        if (status == ERROR_SUCCESS) {
            read.result = RegistryString::Result::Read;
            read.text = TextOf(type, data, got);
            return read;
        }
        if (status == ERROR_MORE_DATA)
            size = got;
    }
    read.result = status == ERROR_FILE_NOT_FOUND ? RegistryString::Result::NoValue : RegistryString::Result::Unreadable;
    read.error = static_cast<unsigned long>(status);
    return read;
}

std::vector<std::string> RegistrySubkeys(RegistryHive hive, RegistryView view, const std::string& key)
{
    constexpr DWORD kMostKeys = 4096;
    std::vector<std::string> names;
    RegistryKey opened;
    if (::RegOpenKeyExW(HiveKey(hive), Wide(key).c_str(), 0, KEY_ENUMERATE_SUB_KEYS | ViewFlag(view), &opened.handle) !=
        ERROR_SUCCESS)
        return names;
    for (DWORD index = 0; index < kMostKeys; ++index) {
        wchar_t name[256];  // the longest key name the registry allows, and its zero
        DWORD length = 256;
        if (::RegEnumKeyExW(opened.handle, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.push_back(Utf8(name, length));
    }
    return names;
}

unsigned long WriteRegistryString(RegistryHive hive, RegistryView view, const std::string& key, const std::string& name,
                                  const std::string& value)
{
    RegistryKey created;
    LSTATUS status = ::RegCreateKeyExW(HiveKey(hive), Wide(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_SET_VALUE | ViewFlag(view), nullptr, &created.handle, nullptr);
    if (status != ERROR_SUCCESS)
        return static_cast<unsigned long>(status);
    const std::wstring text = Wide(value);
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return static_cast<unsigned long>(::RegSetValueExW(created.handle, Wide(name).c_str(), 0, REG_SZ,
                                                       reinterpret_cast<const BYTE*>(text.c_str()), bytes));
}

}  // namespace thld
