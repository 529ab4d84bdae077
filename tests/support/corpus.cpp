#include "support/corpus.h"

#include "support/fake_cache.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/file.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace thld::test {

namespace {

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    if (!text.empty() && text.back() == separator)
        parts.emplace_back();
    return parts;
}

}  // namespace

std::optional<std::string> CorpusFolder()
{
    std::string folder;
    if (const char* over = std::getenv("THLD_CORPUS"); over && *over)
        folder = over;
    else
        folder = THLD_CORPUS_DIR;
    std::error_code ignored;
    if (!fs::exists(fs::path(folder) / "manifest.tsv", ignored))
        return std::nullopt;
    if (folder.back() != '/' && folder.back() != '\\')
        folder += kPathSeparator;
    return folder;
}

std::vector<CorpusPackage> CorpusManifest()
{
    auto folder = CorpusFolder();
    if (!folder)
        return {};
    std::istringstream lines(ReadFileBytes(*folder + "manifest.tsv"));
    std::string line;
    std::getline(lines, line);  // column names
    std::vector<CorpusPackage> packages;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        auto cells = Split(line, '\t');
        if (cells.size() < 7)
            throw std::runtime_error("bad manifest line: " + line);
        CorpusPackage p;
        p.file = cells[0];
        p.package = cells[1];
        p.guid = cells[2];
        p.kind = cells[3];
        p.size = std::stoull(cells[4]);
        if (cells[5] != "-")
            p.firstFfRun = std::stoull(cells[5]);
        if (!cells[6].empty())
            p.imports = Split(cells[6], ',');
        packages.push_back(std::move(p));
    }
    return packages;
}

const CorpusPackage& CorpusEntry(const std::string& file)
{
    static const std::vector<CorpusPackage> all = CorpusManifest();
    auto it = std::find_if(all.begin(), all.end(), [&](const CorpusPackage& p) { return p.file == file; });
    if (it == all.end())
        throw std::runtime_error("not in the corpus: " + file);
    return *it;
}

std::vector<CorpusPackage> LayOutGameFolder(const std::string& gameFolder, const GameFolderOptions& options)
{
    auto folder = CorpusFolder();
    if (!folder)
        throw std::runtime_error("the corpus is not here");
    for (const char* sub : {"cache", "Maps", "System", "Textures"})
        fs::create_directories(fs::path(gameFolder) / sub);
    std::vector<CorpusPackage> laid;
    std::vector<std::string> lines;
    for (CorpusPackage& p : CorpusManifest()) {
        if (!options.only.empty() && std::find(options.only.begin(), options.only.end(), p.file) == options.only.end())
            continue;
        std::string target = gameFolder + "cache" + kPathSeparator + p.guid + ".uxx";
        fs::copy_file(*folder + "packages" + kPathSeparator + p.file, target, fs::copy_options::overwrite_existing);
        fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add);
        lines.push_back(p.guid + "=" + (options.bareNames ? p.package : p.file));
        laid.push_back(std::move(p));
    }
    WriteIndex(gameFolder + "cache" + kPathSeparator, lines);
    return laid;
}

}  // namespace thld::test
