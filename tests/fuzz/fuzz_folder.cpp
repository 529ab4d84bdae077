#include "fuzz_folder.h"

#include <unistd.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace thld::fuzz {

const std::string& FuzzFolder()
{
    static const std::string folder = [] {
        std::string base = fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path().string();
        std::string pattern = base + "/thld-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        static const std::string made = pattern;
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(made, ignored);
        });
        return pattern + "/";
    }();
    return folder;
}

void EmptyFuzzFolder()
{
    for (const auto& entry : fs::directory_iterator(FuzzFolder()))
        fs::remove_all(entry.path());
}

void WriteBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    Require(static_cast<bool>(out), "a fuzz file could not be written");
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    Require(static_cast<bool>(in), "a fuzz file could not be read");
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

std::uint64_t FileSize(const std::string& path)
{
    std::error_code ignored;
    auto size = fs::file_size(path, ignored);
    return ignored ? 0 : size;
}

std::vector<std::string> FolderNames()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(FuzzFolder()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

}  // namespace thld::fuzz
