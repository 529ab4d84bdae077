#include <dirent.h>
#include <fstream>
#include <memory>

#include "platform/process_list.h"

namespace thld {

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
        std::ifstream comm("/proc/" + pid + "/comm");
        std::string name;
        if (std::getline(comm, name))
            names.push_back(name);
    }
    return names;
}

}  // namespace thld
