#include "platform/process_list.h"

#include <string_view>

#if defined(__APPLE__)
#include <libproc.h>
#include <sys/param.h>
#include <sys/proc_info.h>
#include <sys/types.h>
#else
#include <dirent.h>
#include <fstream>
#include <memory>
#include "platform/path_parts.h"
#endif

namespace thld {

namespace {

void AddNames(std::vector<std::string>& names, std::string_view program, std::string_view shortName)
{
    std::string_view last = FileNameOf(program);
    if (!last.empty())
        names.emplace_back(last);
    if (!shortName.empty() && shortName != last)
        names.emplace_back(shortName);
}

}  // namespace

#if defined(__APPLE__)

std::vector<std::string> RunningProcessNames()
{
    std::vector<std::string> names;
    int bytes = ::proc_listpids(PROC_ALL_PIDS, 0, nullptr, 0);
    if (bytes <= 0)
        return names;
    std::vector<pid_t> pids(static_cast<std::size_t>(bytes) / sizeof(pid_t) + 16);
    bytes = ::proc_listpids(PROC_ALL_PIDS, 0, pids.data(), static_cast<int>(pids.size() * sizeof(pid_t)));
    if (bytes <= 0)
        return names;
    pids.resize(static_cast<std::size_t>(bytes) / sizeof(pid_t));
    for (pid_t pid : pids) {
        if (pid == 0)
            continue;
        char path[PROC_PIDPATHINFO_MAXSIZE] = {};
        char name[2 * MAXCOMLEN + 1] = {};
        int pathLength = ::proc_pidpath(pid, path, sizeof path);
        int nameLength = ::proc_name(pid, name, sizeof name);
        AddNames(names, std::string_view(path, pathLength > 0 ? static_cast<std::size_t>(pathLength) : 0),
                 std::string_view(name, nameLength > 0 ? static_cast<std::size_t>(nameLength) : 0));
    }
    return names;
}

#else

namespace {

std::string FirstLine(const std::string& path)
{
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

// argv[0]: the command line up to its first zero byte.
std::string FirstArgument(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::string argument;
    std::getline(file, argument, '\0');
    return argument;
}

}  // namespace

std::vector<std::string> RunningProcessNames()
{
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> proc(::opendir("/proc"), ::closedir);
    if (!proc)
        return names;
    while (dirent* entry = ::readdir(proc.get())) {
        std::string pid = entry->d_name;
        if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::string folder = "/proc/" + pid + "/";
        AddNames(names, FirstArgument(folder + "cmdline"), FirstLine(folder + "comm"));
    }
    return names;
}

#endif

}  // namespace thld
