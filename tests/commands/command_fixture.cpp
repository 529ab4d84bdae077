#include "commands/command_fixture.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "cache/cached_file.h"
#include "support/fake_cache.h"

namespace fs = std::filesystem;

namespace thld::test {

bool ScriptedPrompt::Confirm(const std::string& title, const std::string& message)
{
    questions.push_back({title, message});
    if (answers_.empty()) {
        ADD_FAILURE() << "an unexpected question: " << title << ": " << message;
        return false;
    }
    bool answer = answers_.front();
    answers_.pop_front();
    return answer;
}

std::vector<std::string> ScriptedPrompt::Titles() const
{
    std::vector<std::string> titles;
    for (const Question& q : questions)
        titles.push_back(q.title);
    return titles;
}

std::string PackageBytes(const std::string& kind, const std::string& key)
{
    return "\xC1\x83\x2A\x9E" + KindWords(kind) + std::string(600, '.') + "package " + key;
}

std::map<std::string, std::string> Snapshot(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).generic_string()] = ReadFileBytes(entry.path().string());
    }
    return files;
}

MoveWatch::MoveWatch()
{
    previous_ = SetDiskFaultHook([this](DiskStep step, const std::string& path) -> std::optional<FileErrorCause> {
        if (step != DiskStep::Move)
            return std::nullopt;
        moves.push_back(path);
        auto failing = failing_.find(path);
        if (failing == failing_.end())
            return std::nullopt;
        FileErrorCause cause = failing->second;
        failing_.erase(failing);
        return cause;
    });
}

MoveWatch::~MoveWatch() { SetDiskFaultHook(std::move(previous_)); }

void MoveWatch::FailMoveFrom(const std::string& from, FileErrorCause cause) { failing_[from] = cause; }

CommandTest::CommandTest()
{
    folders.gameFolder = temp / "game/";
    folders.cacheFolder = folders.gameFolder + "cache" + kPathSeparator;
    for (const char* sub : {"game/cache", "game/Maps", "game/System", "game/Textures"})
        temp.MakeFolder(sub);
}

std::vector<PackageItem> CommandTest::Lay(const std::vector<test::Cached>& packages)
{
    std::vector<std::string> lines;
    items.clear();
    for (const test::Cached& p : packages) {
        lines.push_back(p.key + "=" + p.value);
        if (p.kind.empty())
            continue;
        WriteFileBytes(CachedPath(p.key), PackageBytes(p.kind, p.key));
        PackageItem item;
        item.name = p.value;
        item.key = p.key;
        item.kind = GetPackageKind(folders.cacheFolder, p.key);
        item.requirements = p.requirements;
        items.push_back(item);
    }
    WriteIndex(lines);
    return items;
}

void CommandTest::WriteIndex(const std::vector<std::string>& lines) { test::WriteIndex(folders.cacheFolder, lines); }

std::vector<std::string> CommandTest::IndexLines() const
{
    std::istringstream in(ReadFileBytes(folders.cacheFolder + "cache.ini"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            break;
        lines.push_back(line);
    }
    return lines;
}

bool CommandTest::InIndex(const std::string& line) const
{
    auto lines = IndexLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool CommandTest::IsCached(const std::string& key) const { return fs::exists(CachedPath(key)); }

bool CommandTest::Moved(const std::string& relative, const std::string& kind, const std::string& key) const
{
    return fs::exists(GamePath(relative)) && ReadFileBytes(GamePath(relative)) == PackageBytes(kind, key);
}

bool CommandTest::Delete(std::vector<bool> ticks, ScriptedPrompt& prompt)
{
    return DeleteTicked(folders, items, ticks, prompt);
}

bool CommandTest::Permanent(std::vector<bool> ticks, ScriptedPrompt& prompt)
{
    return MakeTickedPermanent(folders, items, ticks, prompt);
}

}  // namespace thld::test
