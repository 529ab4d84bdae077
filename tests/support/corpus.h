#pragma once
// The real game packages kept beside the repository (../shared/corpus), and a game folder laid out
// from them as the game stores downloads: cache/<GUID>.uxx, cache/cache.ini with "[Cache]" and one
// "<GUID>=<file name>" line per package in CR LF lines and an empty line after them, and empty
// Maps, System and Textures folders.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace thld::test {

struct CorpusPackage {
    std::string file;     // file name with extension
    std::string package;  // file name without extension
    std::string guid;
    std::string kind;  // the label the kind rules give it
    std::uint64_t size = 0;
    std::optional<std::uint64_t> firstFfRun;
    std::vector<std::string> imports;
};

// The corpus folder, ending in the path separator; nothing when it is not there.
std::optional<std::string> CorpusFolder();
std::vector<CorpusPackage> CorpusManifest();
const CorpusPackage& CorpusEntry(const std::string& file);

struct GameFolderOptions {
    bool bareNames = false;         // values without the file extension
    std::vector<std::string> only;  // only these files (by file name); all when empty
};

// Lays out a game folder in `gameFolder` (ending in the path separator); returns what it laid out.
std::vector<CorpusPackage> LayOutGameFolder(const std::string& gameFolder, const GameFolderOptions& options = {});

}  // namespace thld::test

// Skips the current test when the corpus is not beside the repository.
#define THLD_REQUIRE_CORPUS()                                                                    \
    do {                                                                                         \
        if (!::thld::test::CorpusFolder())                                                       \
            GTEST_SKIP() << "the shared game packages (../shared/corpus) are not here; skipped"; \
    } while (0)
