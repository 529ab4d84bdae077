#include "cli/program_run.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "platform/process_list.h"
#include "platform/utf16.h"
#include "support/temp_folder.h"

namespace thld::test {

namespace {

std::wstring Wide(const std::string& utf8)
{
    const std::u16string text = Utf8ToUtf16(utf8);
    return std::wstring(text.begin(), text.end());
}

// One argument as the C runtime splits the command line again.
std::wstring Quoted(const std::wstring& argument)
{
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle()
    {
        if (handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr)
            ::CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

HANDLE Inheritable(const std::string& path, bool write)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return ::CreateFileW(Wide(path).c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         &inherit, write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string WithLineFeeds(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

class Started : public Held {
public:
    explicit Started(const PROCESS_INFORMATION& process) : process_(process) {}
    ~Started() override
    {
        ::TerminateProcess(process_.hProcess, 0);
        ::WaitForSingleObject(process_.hProcess, 5000);
        ::CloseHandle(process_.hThread);
        ::CloseHandle(process_.hProcess);
    }

private:
    PROCESS_INFORMATION process_;
};

class HeldOpen : public Held {
public:
    explicit HeldOpen(HANDLE handle) : handle_(handle) {}

private:
    Handle handle_;
};

}  // namespace

ProgramResult RunTallyhold(const ProgramCall& call)
{
    TempFolder streams;
    streams.Write("in", call.input);
    std::string program = THLD_TALLYHOLD;
    std::replace(program.begin(), program.end(), '/', '\\');
    std::wstring commandLine = Quoted(Wide(program));
    for (const std::string& argument : call.arguments)
        commandLine += L" " + Quoted(Wide(argument));
    ProgramResult result;
    {
        Handle in(Inheritable(streams / "in", false)), out(Inheritable(streams / "out", true)),
            err(Inheritable(streams / "err", true));
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = in.Get();
        startup.hStdOutput = out.Get();
        startup.hStdError = err.Get();
        PROCESS_INFORMATION process{};
        if (!::CreateProcessW(Wide(program).c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                              nullptr, nullptr, &startup, &process))
            throw std::runtime_error("could not start " + program);
        ::WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        ::GetExitCodeProcess(process.hProcess, &code);
        result.exitCode = static_cast<int>(code);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    result.out = WithLineFeeds(streams.Read("out"));
    result.err = WithLineFeeds(streams.Read("err"));
    return result;
}

std::unique_ptr<Held> HoldUnshared(const std::string& path)
{
    HANDLE handle =
        ::CreateFileW(Wide(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        throw std::runtime_error("could not hold " + path);
    return std::make_unique<HeldOpen>(handle);
}

std::unique_ptr<Held> RunningAs(const std::string& folder, const std::string& name)
{
#ifndef THLD_SLEEPER
    return nullptr;
#else
    const std::string copy = folder + name;
    std::string sleeper = THLD_SLEEPER;
    std::replace(sleeper.begin(), sleeper.end(), '/', '\\');
    std::filesystem::copy_file(sleeper, copy);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = Quoted(Wide(copy));
    if (!::CreateProcessW(Wide(copy).c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                          nullptr, &startup, &process))
        throw std::runtime_error("could not start " + copy);
    auto started = std::make_unique<Started>(process);
    for (int tries = 0; tries < 100; ++tries) {
        auto names = RunningProcessNames();
        if (std::any_of(names.begin(), names.end(), [&](const std::string& n) { return n.ends_with(name); }))
            return started;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    throw std::runtime_error(name + " did not show in the process list");
#endif
}

}  // namespace thld::test
