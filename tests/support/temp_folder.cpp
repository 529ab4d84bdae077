#include "support/temp_folder.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/file.h"
#include "platform/utf16.h"

namespace fs = std::filesystem;

namespace thld::test {

TempFolder::TempFolder()
{
    static std::atomic<unsigned> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path base = fs::temp_directory_path();
    for (;;) {
        fs::path candidate = base / ("thld-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        if (fs::create_directory(candidate)) {
            path_ = TextOfPath(candidate);
            break;
        }
    }
    if (path_.back() != kPathSeparator)
        path_ += kPathSeparator;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    // Read-only files left by a test would stop the removal on Windows.
    for (auto it = fs::recursive_directory_iterator(FsPath(path_), ignored);
         !ignored && it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    ignored.clear();
    fs::remove_all(FsPath(path_), ignored);
}

std::string TempFolder::operator/(std::string_view relative) const
{
    std::string path = path_ + std::string(relative);
    for (std::size_t i = path_.size(); i < path.size(); ++i)
        if (path[i] == '/')
            path[i] = kPathSeparator;
    return path;
}

void TempFolder::Write(std::string_view relative, std::string_view bytes) const
{
    WriteFileBytes(*this / relative, bytes);
}

std::string TempFolder::Read(std::string_view relative) const { return ReadFileBytes(*this / relative); }

bool TempFolder::Exists(std::string_view relative) const { return fs::exists(FsPath(*this / relative)); }

void TempFolder::MakeFolder(std::string_view relative) const { fs::create_directories(FsPath(*this / relative)); }

fs::path FsPath(const std::string& text)
{
#ifdef _WIN32
    return fs::path(WideOf(text));
#else
    return fs::path(text);
#endif
}

std::string TextOfPath(const fs::path& path)
{
#ifdef _WIN32
    return Utf8Of(path.native());
#else
    return path.native();
#endif
}

void WriteFileBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
    if (!out)
        throw std::runtime_error("cannot write " + path);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(FsPath(path), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

}  // namespace thld::test
