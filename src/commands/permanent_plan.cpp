#include "commands/permanent_plan.h"

#include <algorithm>
#include <set>

#include "cache/cached_file.h"
#include "cache/index_text.h"
#include "commands/entry_names.h"
#include "platform/file.h"
#include "platform/file_link.h"

namespace thld {

namespace {

class Planner {
public:
    Planner(const GameFolders& folders, const std::vector<PackageItem>& items) : folders_(folders), items_(items) {}

    void Ticked(std::size_t item)
    {
        const PackageItem& package = items_[item];
        PlannedStep step;
        step.name = package.name;
        step.key = package.key;
        step.item = item;
        step.ticked = item;
        if (moved_.count(item) != 0)
            return Add(step, PlannedStep::What::MovedAlready);
        if (!IsPlain(package))
            return Add(step, PlannedStep::What::NotPlainName);
        if (!DestinationOf(folders_.gameFolder, package.kind, package.name))
            return Add(step, PlannedStep::What::NoDestination);
        if (IsLinked(package))
            return Add(step, PlannedStep::What::Link);
        if (package.kind == kind::Textures)
            return AddMove(step);
        WalkChain(step);
    }

    std::vector<PlannedStep> steps;

private:
    struct Link {
        PlannedStep step;
        std::size_t nextRequirement = 0;
    };

    bool IsPlain(const PackageItem& package) const
    {
        return IsPlainFileName(package.key) && IsPlainFileName(PackageNameOf(package.name));
    }

    // The command leaves a package whose cached file, or the file it would replace, is a link.
    bool IsLinked(const PackageItem& package) const
    {
        return LinkAt(CachedFilePath(folders_.cacheFolder, package.key)) != LinkKind::None ||
               LinkAt(DestinationOf(folders_.gameFolder, package.kind, package.name)->path) != LinkKind::None;
    }

    void Add(PlannedStep step, PlannedStep::What what)
    {
        step.what = what;
        if (step.item && step.source.empty())
            step.source = CachedFilePath(folders_.cacheFolder, items_[*step.item].key);
        steps.push_back(std::move(step));
    }

    void AddMove(PlannedStep step)
    {
        const PackageItem& package = items_[*step.item];
        auto destination = DestinationOf(folders_.gameFolder, package.kind, package.name);
        step.source = CachedFilePath(folders_.cacheFolder, package.key);
        step.destinationFolder = std::move(destination->folder);
        step.destination = std::move(destination->path);
        step.replaces = CanOpenUnshared(step.destination);
        moved_.insert(*step.item);
        Add(std::move(step), PlannedStep::What::Move);
    }

    // Depth first, as the command moves them: a package goes once everything it requires has gone
    // or been passed over.
    void WalkChain(PlannedStep top)
    {
        std::vector<Link> chain;
        chain.push_back({std::move(top)});
        while (!chain.empty()) {
            Link& link = chain.back();
            const std::vector<std::string>& requirements = items_[*link.step.item].requirements;
            if (link.nextRequirement == requirements.size()) {
                PlannedStep done = std::move(link.step);
                chain.pop_back();
                AddMove(std::move(done));
                continue;
            }
            PlannedStep required;
            required.name = requirements[link.nextRequirement++];
            required.requiredBy = link.step.item;
            required.ticked = link.step.ticked;
            required.depth = link.step.depth + 1;
            auto found = std::find_if(items_.begin(), items_.end(),
                                      [&](const PackageItem& p) { return p.name == required.name; });
            if (found == items_.end()) {
                Add(std::move(required), PlannedStep::What::NotCached);
                continue;
            }
            required.item = static_cast<std::size_t>(found - items_.begin());
            required.key = found->key;
            if (moved_.count(*required.item) != 0)
                Add(std::move(required), PlannedStep::What::MovedAlready);
            else if (!IsPlain(*found))
                Add(std::move(required), PlannedStep::What::NotPlainName);
            else if (!DestinationOf(folders_.gameFolder, found->kind, found->name))
                Add(std::move(required), PlannedStep::What::NoDestination);
            else if (IsLinked(*found))
                Add(std::move(required), PlannedStep::What::Link);
            else if (std::any_of(chain.begin(), chain.end(),
                                 [&](const Link& l) { return l.step.item == required.item; }))
                Add(std::move(required), PlannedStep::What::Cycle);
            else
                chain.push_back({std::move(required)});
        }
    }

    const GameFolders& folders_;
    const std::vector<PackageItem>& items_;
    std::set<std::size_t> moved_;
};

}  // namespace

CommandPlan PlanPermanent(const GameFolders& folders, const std::vector<PackageItem>& items,
                          const std::vector<bool>& ticked)
{
    Planner planner(folders, items);
    for (std::size_t i = 0; i < items.size() && i < ticked.size(); ++i)
        if (ticked[i])
            planner.Ticked(i);
    return CommandPlan{CommandPlan::Command::Permanent, std::move(planner.steps)};
}

}  // namespace thld
