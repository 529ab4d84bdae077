#include "cli/program_run.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>

#include "platform/process_list.h"
#include "support/temp_folder.h"

extern char** environ;

namespace thld::test {

namespace {

constexpr uid_t kNobody = 65534;

std::vector<std::string> Environment(const ProgramCall& call)
{
    std::map<std::string, std::string> variables;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        const std::size_t equals = text.find('=');
        if (equals != std::string::npos)
            variables[text.substr(0, equals)] = text.substr(equals + 1);
    }
    for (const auto& [name, value] : call.environment) {
        if (value)
            variables[name] = *value;
        else
            variables.erase(name);
    }
    if (call.asAnotherUser && ::geteuid() == 0) {
        // The leak check can't look at a process that has changed its user.
        std::string& asan = variables["ASAN_OPTIONS"];
        asan += (asan.empty() ? "" : ":") + std::string("detect_leaks=0");
    }
    std::vector<std::string> lines;
    for (const auto& [name, value] : variables)
        lines.push_back(name + "=" + value);
    return lines;
}

std::vector<char*> Pointers(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (std::string& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// The program where the user "nobody" can start it: the build folder may lie where only root can
// enter (a clone in /root), so a copy goes into a folder of its own in the temporary folder, which
// the tests' game folders share.
const std::string& ProgramForAnotherUser()
{
    static const TempFolder folder;
    static const std::string copy = [] {
        namespace fs = std::filesystem;
        const std::string path = folder / "tallyhold";
        fs::copy_file(THLD_TALLYHOLD, path, fs::copy_options::overwrite_existing);
        fs::permissions(folder.Path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                           fs::perms::others_read | fs::perms::others_exec);
        fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
        return path;
    }();
    return copy;
}

}  // namespace

ProgramResult RunTallyhold(const ProgramCall& call)
{
    TempFolder streams;
    streams.Write("in", call.input);
    const std::string in = streams / "in", err = streams / "err";
    const std::string out = call.output.empty() ? streams / "out" : call.output;
    const bool dropRoot = call.asAnotherUser && ::geteuid() == 0;
    std::vector<std::string> arguments{dropRoot ? ProgramForAnotherUser() : std::string(THLD_TALLYHOLD)};
    arguments.insert(arguments.end(), call.arguments.begin(), call.arguments.end());
    std::vector<std::string> environment = Environment(call);
    std::vector<char*> argv = Pointers(arguments), envp = Pointers(environment);

    // A terminal for standard output: the pseudo-terminal's other side, read here.
    const int terminal = call.onTerminal ? ::posix_openpt(O_RDWR | O_NOCTTY) : -1;
    std::string terminalName;
    if (call.onTerminal) {
        if (terminal < 0 || ::grantpt(terminal) != 0 || ::unlockpt(terminal) != 0 || !::ptsname(terminal))
            throw std::runtime_error("no pseudo-terminal");
        terminalName = ::ptsname(terminal);
    }

    const pid_t child = ::fork();
    if (child < 0)
        throw std::runtime_error("fork failed");
    if (child == 0) {
        // Only calls that are safe between fork and exec.
        const int input = ::open(in.c_str(), O_RDONLY);
        const int output = call.onTerminal ? ::open(terminalName.c_str(), O_RDWR | O_NOCTTY)
                                           : ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        const int error = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (input < 0 || output < 0 || error < 0 || ::dup2(input, 0) < 0 || ::dup2(output, 1) < 0 ||
            ::dup2(error, 2) < 0)
            ::_exit(126);
        if (dropRoot && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(126);
        if (call.timeoutSeconds != 0)
            ::alarm(call.timeoutSeconds);  // kept across execve
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    std::string shown;  // on the terminal, until the program closes its side
    if (terminal >= 0) {
        char buffer[4096];
        for (;;) {
            const ssize_t read = ::read(terminal, buffer, sizeof buffer);
            if (read < 0 && errno == EINTR)
                continue;
            if (read <= 0)
                break;
            shown.append(buffer, static_cast<std::size_t>(read));
        }
        ::close(terminal);
        shown.erase(std::remove(shown.begin(), shown.end(), '\r'), shown.end());
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    ProgramResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = call.onTerminal ? shown : call.output.empty() ? streams.Read("out") : std::string();
    result.err = streams.Read("err");
    return result;
}

std::unique_ptr<Held> HoldUnshared(const std::string&) { return nullptr; }

namespace {
// A program that waits, under another name, until it is ended.
class Running : public Held {
public:
    explicit Running(pid_t pid) : pid_(pid) {}
    ~Running() override
    {
        ::kill(pid_, SIGKILL);
        while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {}
    }

private:
    pid_t pid_;
};
}  // namespace

std::unique_ptr<Held> RunningAs(const std::string& folder, const std::string& name)
{
    const std::string copy = folder + name;
    std::filesystem::copy_file("/bin/sleep", copy);
    std::filesystem::permissions(copy, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
    const pid_t child = ::fork();
    if (child < 0)
        throw std::runtime_error("fork failed");
    if (child == 0) {
        ::execl(copy.c_str(), copy.c_str(), "300", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    auto running = std::make_unique<Running>(child);
    for (int tries = 0; tries < 100; ++tries) {
        auto names = RunningProcessNames();
        if (std::any_of(names.begin(), names.end(),
                        [&](const std::string& n) { return n == name || n.ends_with("/" + name); }))
            return running;
        ::usleep(20'000);
    }
    throw std::runtime_error("the process list never showed " + name);
}

}  // namespace thld::test
