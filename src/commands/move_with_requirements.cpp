#include "commands/move_with_requirements.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace thld {

namespace {

// One package of the chain being moved: it goes once the packages it requires have gone. The chain
// is kept here rather than on the call stack, so that no requirement graph can overflow it.
struct ChainLink {
    std::size_t item;
    PlannedMove move;
    std::size_t nextRequirement = 0;
};

bool OnChain(const std::vector<ChainLink>& chain, std::size_t item)
{
    return std::any_of(chain.begin(), chain.end(), [&](const ChainLink& link) { return link.item == item; });
}

// The link for a required package, or nothing when it stays where it is: no line (moved already,
// or never cached), one that PlanMove leaves, no package item, or already on the chain.
std::optional<ChainLink> RequiredLink(CommandRun& run, const std::string& name, const std::vector<ChainLink>& chain)
{
    FoundEntry found = FindEntry(run.folders.cacheFolder, name);
    if (found.line.empty())
        return std::nullopt;
    auto move = PlanMove(run, found.line);
    if (!move)
        return std::nullopt;
    auto item = std::find_if(run.items.begin(), run.items.end(),
                             [&](const PackageItem& p) { return p.name == move->entry.value; });
    if (item == run.items.end())
        return std::nullopt;
    const auto index = static_cast<std::size_t>(item - run.items.begin());
    if (OnChain(chain, index))
        return std::nullopt;
    return ChainLink{index, std::move(*move)};
}

}  // namespace

MoveOutcome MoveWithRequirements(CommandRun& run, std::size_t item, PlannedMove move)
{
    std::vector<ChainLink> chain;
    chain.push_back({item, std::move(move)});
    MoveOutcome outcome = MoveOutcome::Stayed;
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
        outcome = MoveCachedFile(run, done.move, lineNumber);
        if (outcome == MoveOutcome::Stopped)
            break;
    }
    return outcome;
}

}  // namespace thld
