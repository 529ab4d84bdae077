#include <windows.h>

#include <memory>

#include "platform/utf16.h"
#include "support/link_maker.h"

namespace thld::test {

namespace {

std::wstring Wide(const std::string& text)
{
    const std::u16string wide = Utf8ToUtf16(text);
    return std::wstring(wide.begin(), wide.end());
}

using UnixNameFunction = char*(__cdecl*)(const wchar_t*);

UnixNameFunction WineUnixName()
{
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    return kernel ? reinterpret_cast<UnixNameFunction>(
                        reinterpret_cast<void*>(::GetProcAddress(kernel, "wine_get_unix_file_name")))
                  : nullptr;
}

std::string UnixName(UnixNameFunction convert, const std::string& path)
{
    char* name = convert(Wide(path).c_str());
    if (!name)
        return {};
    std::string result(name);
    ::HeapFree(::GetProcessHeap(), 0, name);
    return result;
}

// Runs the host's ln under Wine, which starts Unix programs as well.
bool MakeUnixLink(UnixNameFunction convert, const std::string& link, const std::string& target)
{
    std::wstring command =
        L"/bin/ln -s \"" + Wide(UnixName(convert, target)) + L"\" \"" + Wide(UnixName(convert, link)) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(L"/bin/ln", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    // Wine does not wait for a Unix program's end: look for the link until it is there.
    for (int waited = 0; waited < 10000; waited += 10) {
        if (::GetFileAttributesW(Wide(link).c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        ::Sleep(10);
    }
    return false;
}

}  // namespace

bool RunningUnderWine() { return WineUnixName() != nullptr; }

bool MakeFileLink(const std::string& link, const std::string& target)
{
    if (UnixNameFunction convert = WineUnixName())
        return MakeUnixLink(convert, link, target);
    // Without administrator rights, Windows makes links only in developer mode.
    constexpr DWORD kUnprivileged = 0x2;  // SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
    return ::CreateSymbolicLinkW(Wide(link).c_str(), Wide(target).c_str(), kUnprivileged) != 0;
}

}  // namespace thld::test
