#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "support/power_cut.h"
#include "support/temp_folder.h"

namespace thld::test {

namespace fs = std::filesystem;

namespace {

std::string AsFolder(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path + "/";
}

std::pair<std::uint64_t, std::uint64_t> NumberOf(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return {};
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

}  // namespace

void PowerCutModel::HoldFiles()
{
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root_, error); it != fs::recursive_directory_iterator();
         it.increment(error)) {
        if (error)
            break;
        if (!it->is_regular_file() || it->is_symlink())
            continue;
        const std::string path = it->path().string();
        const FileNumber number = NumberOf(path);
        if (!held_.contains(number))
            held_[number] = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    }
}

PowerCutModel::PowerCutModel(const std::string& root) : root_(AsFolder(fs::canonical(root).string()))
{
    HoldFiles();
    TakeFolder(root_);
    for (const auto& entry : fs::recursive_directory_iterator(root_)) {
        if (entry.is_symlink())
            continue;
        if (entry.is_directory())
            TakeFolder(entry.path().string());
        else if (entry.is_regular_file())
            TakeFile(entry.path().string());
    }
}

void PowerCutModel::TakeFolder(const std::string& folder)
{
    auto& entries = synced_[AsFolder(folder)];
    entries.clear();
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (entry.is_symlink())
            continue;
        const std::string path = entry.path().string();
        entries[entry.path().filename().string()] = {entry.is_directory(), NumberOf(path)};
    }
}

void PowerCutModel::TakeFile(const std::string& path) { flushed_[NumberOf(path)] = ReadFileBytes(path); }

void PowerCutModel::Before(DiskStep step, const std::string& path)
{
    HoldFiles();
    // The hook is asked before each step: what it flushes or syncs is on the disk once it has been
    // taken, which is what a cut at the step after finds.
    if (step == DiskStep::Flush)
        TakeFile(path);
    else if (step == DiskStep::Sync) {
        // The program may name the folder any way (relative, through a link): the model knows it by
        // its real path.
        std::error_code error;
        const std::string real = AsFolder(fs::canonical(path.empty() ? "." : path, error).string());
        if (!error && real.starts_with(root_))
            TakeFolder(real);
    }
}

void PowerCutModel::Cut() const
{
    // Folders first: one whose parent never synced it in is gone with all it holds.
    std::set<std::string> kept = {root_};
    for (const auto& [folder, entries] : synced_) {
        if (!kept.contains(folder))
            continue;  // below a folder that is gone (the map is sorted: parents come first)
        for (const auto& [name, entry] : entries)
            if (entry.folder)
                kept.insert(folder + name + "/");
    }
    std::vector<fs::path> gone;
    for (auto it = fs::recursive_directory_iterator(root_); it != fs::recursive_directory_iterator(); ++it) {
        if (it->is_directory() && !it->is_symlink() && !kept.contains(AsFolder(it->path().string()))) {
            gone.push_back(it->path());
            it.disable_recursion_pending();
        }
    }
    for (const fs::path& folder : gone)
        fs::remove_all(folder);
    for (const std::string& folder : kept) {
        const auto synced = synced_.find(folder);
        if (synced == synced_.end())
            continue;
        if (!fs::exists(folder))
            fs::create_directories(folder);
        for (const auto& entry : fs::directory_iterator(folder))
            if (!entry.is_directory() || entry.is_symlink())
                if (!synced->second.contains(entry.path().filename().string()))
                    fs::remove(entry.path());
        for (const auto& [name, entry] : synced->second) {
            if (entry.folder) {
                fs::create_directories(folder + name);
                continue;
            }
            const auto bytes = flushed_.find(entry.file);
            WriteFileBytes(folder + name, bytes == flushed_.end() ? std::string() : bytes->second);
        }
    }
}

}  // namespace thld::test
