#pragma once
// A cache folder for one test: cache.ini, cached files, and what the folder holds afterwards.

#include <string>
#include <string_view>
#include <vector>

#include "support/temp_folder.h"

namespace thld::test {

class CacheFolder : public TempFolder {
public:
    void Index(std::string_view bytes) const { Write("cache.ini", bytes); }
    std::string Index() const { return Read("cache.ini"); }
    // The cached file of a key, `size` bytes of filler after `start`.
    void Cached(const std::string& key, std::size_t size, std::string_view start = {}) const;
    // The names in the folder, sorted.
    std::vector<std::string> Names() const;
};

// Bytes that the kind rules take for a map, a texture package and a script package.
inline constexpr std::string_view kMapStart = "PointRegion.Location.Level.";
inline constexpr std::string_view kTexturesStart = "InternalTime.None.Color.";
inline constexpr std::string_view kScriptStart = "Engine.System.Core.";

}  // namespace thld::test
