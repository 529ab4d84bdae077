#include "cli/program_run.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
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

}  // namespace

ProgramResult RunTallyhold(const ProgramCall& call)
{
    TempFolder streams;
    streams.Write("in", call.input);
    const std::string in = streams / "in", out = streams / "out", err = streams / "err";
    std::vector<std::string> arguments{THLD_TALLYHOLD};
    arguments.insert(arguments.end(), call.arguments.begin(), call.arguments.end());
    std::vector<std::string> environment = Environment(call);
    std::vector<char*> argv = Pointers(arguments), envp = Pointers(environment);
    const bool dropRoot = call.asAnotherUser && ::geteuid() == 0;

    const pid_t child = ::fork();
    if (child < 0)
        throw std::runtime_error("fork failed");
    if (child == 0) {
        // Only calls that are safe between fork and exec.
        const int input = ::open(in.c_str(), O_RDONLY);
        const int output = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
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
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    ProgramResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = streams.Read("out");
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
