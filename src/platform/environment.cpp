#include "platform/environment.h"

#include <cstdlib>

#include "platform/file.h"
#include "platform/utf16.h"

namespace thld {

std::optional<std::string> EnvironmentVariable(const char* name)
{
    // The program reads its environment on one thread only; nothing changes it meanwhile.
#ifdef _WIN32
    const wchar_t* value = ::_wgetenv(WideOf(name).c_str());  // NOLINT(concurrency-mt-unsafe)
    if (!value)
        return std::nullopt;
    return Utf8Of(value);
#else
    const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe)
    if (!value)
        return std::nullopt;
    return std::string(value);
#endif
}

std::string HomeFolder()
{
#ifdef _WIN32
    auto home = EnvironmentVariable("USERPROFILE");
#else
    auto home = EnvironmentVariable("HOME");
#endif
    if (!home || home->empty())
        return std::string();
    if (home->back() != kPathSeparator)
        *home += kPathSeparator;
    return *home;
}

}  // namespace thld

namespace thld {

std::string ProgramCacheFolder()
{
#if defined(_WIN32)
    const auto local = EnvironmentVariable("LOCALAPPDATA");
    if (!local || local->empty())
        return std::string();
    std::string folder = *local;
    if (folder.back() != kPathSeparator)
        folder += kPathSeparator;
    return folder + "Tallyhold" + kPathSeparator;
#elif defined(__APPLE__)
    const std::string home = HomeFolder();
    return home.empty() ? std::string() : home + "Library/Caches/Tallyhold/";
#else
    // XDG_CACHE_HOME counts only as an absolute path: a relative one would depend on where the
    // program was started, so it is passed over for the default.
    if (const auto cache = EnvironmentVariable("XDG_CACHE_HOME"); cache && cache->starts_with("/")) {
        std::string folder = *cache;
        if (folder.back() != '/')
            folder += '/';
        return folder + "tallyhold/";
    }
    const std::string home = HomeFolder();
    return home.empty() ? std::string() : home + ".cache/tallyhold/";
#endif
}

}  // namespace thld
