#include "cache_folder.h"

#include <algorithm>
#include <filesystem>

namespace thld::test {

void CacheFolder::Cached(const std::string& key, std::size_t size, std::string_view start) const
{
    std::string bytes(start.substr(0, size));
    bytes.resize(size, '.');
    Write(key + ".uxx", bytes);
}

std::vector<std::string> CacheFolder::Names() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Path()))
        names.push_back(TextOfPath(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace thld::test
