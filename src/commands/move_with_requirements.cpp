#include "commands/move_with_requirements.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "cache/cached_file.h"
#include "cache/index_lookup.h"
#include "commands/entry_names.h"
#include "commands/move_cached_file.h"

namespace thld {

namespace {

// One package of the chain being moved: it goes once the packages it requires have gone. The chain
// is kept here rather than on the call stack, so that no requirement graph can overflow it.
struct ChainLink {
    std::size_t item;
    std::string source;
    std::string destination;
    std::size_t nextRequirement = 0;
};

bool OnChain(const std::vector<ChainLink>& chain, std::size_t item)
{
    return std::any_of(chain.begin(), chain.end(), [&](const ChainLink& link) { return link.item == item; });
}

// The link for a required package, or nothing when it stays where it is: no line (moved already,
// or never cached), a key or name that can't name a file, a kind without a destination, no package
// item, or already on the chain.
std::optional<ChainLink> RequiredLink(CommandRun& run, const std::string& name,
                                      const std::vector<ChainLink>& chain)
{
    const std::string& cacheFolder = run.folders.cacheFolder;
    FoundEntry found = FindEntry(cacheFolder, name);
    if (found.line.empty())
        return std::nullopt;
    auto entry = UsableEntry(run, found.line, NamesUsed::KeyAndName);
    if (!entry)
        return std::nullopt;
    auto destination = DestinationPath(run.folders.gameFolder, GetPackageKind(cacheFolder, entry->key),
                                       entry->value);
    if (!destination)
        return std::nullopt;
    auto item = std::find_if(run.items.begin(), run.items.end(),
                             [&](const PackageItem& p) { return p.name == entry->value; });
    if (item == run.items.end())
        return std::nullopt;
    const auto index = static_cast<std::size_t>(item - run.items.begin());
    if (OnChain(chain, index))
        return std::nullopt;
    return ChainLink{index, CachedFilePath(cacheFolder, entry->key), *destination};
}

}  // namespace

void MoveWithRequirements(CommandRun& run, std::size_t item, const std::string& source,
                          const std::string& destination)
{
    std::vector<ChainLink> chain;
    chain.push_back({item, source, destination});
    while (!chain.empty()) {
        ChainLink& link = chain.back();
        const std::vector<std::string>& requirements = run.items[link.item].requirements;
        if (link.nextRequirement < requirements.size()) {
            const std::string& required = requirements[link.nextRequirement++];
            if (auto next = RequiredLink(run, required, chain))
                chain.push_back(std::move(*next));
            continue;
        }
        const ChainLink done = std::move(link);
        chain.pop_back();
        // Earlier moves have removed lines, so the package's line number is only valid now.
        const int lineNumber = FindEntry(run.folders.cacheFolder, run.items[done.item].name).lineNumber;
        MoveCachedFile(run.folders.cacheFolder, done.source, done.destination, lineNumber, run.prompt);
    }
}

}  // namespace thld
