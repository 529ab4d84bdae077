// <windows.h> comes before the headers that build on it.
#include <windows.h>

#include <shellapi.h>

#include "platform/console.h"
#include "platform/utf16.h"

namespace thld {

namespace {
HANDLE Handle(StandardStream stream)
{
    switch (stream) {
    case StandardStream::Input:
        return ::GetStdHandle(STD_INPUT_HANDLE);
    case StandardStream::Output:
        return ::GetStdHandle(STD_OUTPUT_HANDLE);
    case StandardStream::Error:
        return ::GetStdHandle(STD_ERROR_HANDLE);
    }
    return INVALID_HANDLE_VALUE;
}

// Frees what CommandLineToArgvW allocated.
struct WideArguments {
    LPWSTR* list = nullptr;
    int count = 0;
    ~WideArguments()
    {
        if (list)
            ::LocalFree(list);
    }
};
}  // namespace

void UseUtf8Console()
{
    ::SetConsoleOutputCP(CP_UTF8);
    ::SetConsoleCP(CP_UTF8);
}

bool IsTerminal(StandardStream stream)
{
    DWORD mode = 0;
    return ::GetConsoleMode(Handle(stream), &mode) != FALSE;
}

int TerminalColumns(StandardStream stream)
{
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!::GetConsoleScreenBufferInfo(Handle(stream), &info))
        return 0;
    return info.srWindow.Right - info.srWindow.Left + 1;
}

bool EnableColour(StandardStream stream)
{
    HANDLE handle = Handle(stream);
    DWORD mode = 0;
    if (!::GetConsoleMode(handle, &mode))
        return false;
    return (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0 ||
           ::SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != FALSE;
}

std::vector<std::string> ProgramArguments(int argc, char** argv)
{
    WideArguments wide;
    wide.list = ::CommandLineToArgvW(::GetCommandLineW(), &wide.count);
    std::vector<std::string> arguments;
    if (!wide.list) {
        for (int i = 1; i < argc; ++i)
            arguments.emplace_back(argv[i]);
        return arguments;
    }
    for (int i = 1; i < wide.count; ++i)
        arguments.push_back(Utf16ToUtf8(reinterpret_cast<const char16_t*>(wide.list[i])));
    return arguments;
}

}  // namespace thld
