#pragma once
// A cache folder for one test: cache.ini, cached files, and what the folder holds afterwards.

#include <string>
#include <string_view>
#include <vector>

#include "support/fake_cache.h"
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
inline const std::string kMapStart = KindWords(kind::Map);
inline const std::string kTexturesStart = KindWords(kind::Textures);
inline const std::string kScriptStart = KindWords(kind::Script);

}  // namespace thld::test
