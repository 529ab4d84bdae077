#include "commands/permanent_plan.h"

#include <algorithm>
#include <set>
#include <unordered_map>

#include "cache/cached_file.h"
#include "cache/index_text.h"
#include "game/game_packages.h"
#include "platform/code_page.h"
#include "platform/file.h"
#include "platform/file_link.h"

namespace thld {

namespace {

class Planner {
public:
    Planner(const GameFolders& folders, const std::vector<PackageItem>& items, const std::vector<bool>& ticked)
        : folders_(folders), items_(items), ticked_(ticked), packages_(folders.gameFolder)
    {}

    void Ticked(std::size_t item)
    {
        const PackageItem& package = items_[item];
        PlannedStep step;
        step.name = package.name;
        step.key = package.key;
        step.item = item;
        step.question = questions_++;
        step.versions = ItemsNamed(package.name).size();
        if (moved_.count(item) != 0)
            return Add(step, PlannedStep::What::MovedAlready);
        if (!IsPlainFileName(package.key))
            return Add(step, PlannedStep::What::NotPlainName);
        if (!packages_.DestinationOf(package.kind, package.name))
            return Add(step, PlannedStep::What::NoDestination);
        if (!IsPlain(package))
            return Add(step, PlannedStep::What::NotPlainName);
        if (IsLinked(package))
            return Add(step, PlannedStep::What::Link);
        if (TakenByOtherVersion(item))
            return Add(step, PlannedStep::What::OtherVersion);
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
        const auto destination = packages_.DestinationOf(package.kind, package.name);
        return IsPlainFileName(package.key) && destination &&
               IsPlainFileName(destination->path.substr(destination->folder.size()));
    }

    // The command leaves a package whose cached file, or the file it would replace, is a link.
    bool IsLinked(const PackageItem& package) const
    {
        return LinkAt(CachedFilePath(folders_.cacheFolder, package.key)) != LinkKind::None ||
               LinkAt(DestinationPath(package)) != LinkKind::None;
    }

    // Where the package goes: the file there already where one differs only in case.
    std::string DestinationPath(const PackageItem& package) const
    {
        const auto destination = packages_.DestinationOf(package.kind, package.name);
        return packages_.FileAt(*destination).value_or(destination->path);
    }

    // True when another cached version of the package goes to the same place in this run: one run
    // never takes two versions of a name to one file.
    bool TakenByOtherVersion(std::size_t item) const
    {
        return destinations_.count(UpperAsciiText(DestinationPath(items_[item]))) != 0;
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
        auto destination = packages_.DestinationOf(package.kind, package.name);
        step.source = CachedFilePath(folders_.cacheFolder, package.key);
        step.destinationFolder = std::move(destination->folder);
        step.destination = DestinationPath(package);
        step.replaces = CanOpenUnshared(step.destination);
        moved_.insert(*step.item);
        destinations_.insert(UpperAsciiText(step.destination));
        Add(std::move(step), PlannedStep::What::Move);
    }

    // The package item a requirement's text names: the only one of that name, or, of several
    // versions, the one ticked; nothing when the user has not chosen among several.
    struct Named {
        std::optional<std::size_t> item;
        std::size_t versions = 0;
    };
    Named ItemNamed(const std::string& name) const
    {
        Named named;
        std::optional<std::size_t> ticked;
        std::size_t tickedCount = 0;
        for (std::size_t i : ItemsNamed(name)) {
            ++named.versions;
            named.item = i;
            if (i < ticked_.size() && ticked_[i]) {
                ticked = i;
                ++tickedCount;
            }
        }
        if (named.versions > 1)
            named.item = tickedCount == 1 ? ticked : std::nullopt;
        return named;
    }

    // The items whose text is `name`, in order.
    const std::vector<std::size_t>& ItemsNamed(const std::string& name) const
    {
        if (byName_.empty())
            for (std::size_t i = 0; i < items_.size(); ++i)
                byName_[items_[i].name].push_back(i);
        static const std::vector<std::size_t> none;
        auto found = byName_.find(name);
        return found == byName_.end() ? none : found->second;
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
            required.question = link.step.question;
            required.depth = link.step.depth + 1;
            // Several versions of one name stand in the requirements once each: the first stands for all.
            const auto before = requirements.begin() + static_cast<std::ptrdiff_t>(link.nextRequirement - 1);
            if (std::find(requirements.begin(), before, required.name) != before)
                continue;
            const Named named = ItemNamed(required.name);
            if (named.versions == 0) {
                Add(std::move(required), PlannedStep::What::NotCached);
                continue;
            }
            if (!named.item) {
                required.versions = named.versions;
                Add(std::move(required), PlannedStep::What::SeveralVersions);
                continue;
            }
            required.item = named.item;
            const PackageItem* found = &items_[*named.item];
            required.key = found->key;
            required.versions = named.versions;
            if (moved_.count(*required.item) != 0)
                Add(std::move(required), PlannedStep::What::MovedAlready);
            else if (!IsPlainFileName(found->key))
                Add(std::move(required), PlannedStep::What::NotPlainName);
            else if (!packages_.DestinationOf(found->kind, found->name))
                Add(std::move(required), PlannedStep::What::NoDestination);
            else if (!IsPlain(*found))
                Add(std::move(required), PlannedStep::What::NotPlainName);
            else if (IsLinked(*found))
                Add(std::move(required), PlannedStep::What::Link);
            else if (TakenByOtherVersion(*required.item))
                Add(std::move(required), PlannedStep::What::OtherVersion);
            else if (std::any_of(chain.begin(), chain.end(),
                                 [&](const Link& l) { return l.step.item == required.item; }))
                Add(std::move(required), PlannedStep::What::Cycle);
            else
                chain.push_back({std::move(required)});
        }
    }

    const GameFolders& folders_;
    const std::vector<PackageItem>& items_;
    const std::vector<bool>& ticked_;
    GamePackages packages_;
    std::size_t questions_ = 0;  // one for each ticked item so far
    std::set<std::size_t> moved_;
    std::set<std::string> destinations_;  // upper-cased, of the moves planned
    mutable std::unordered_map<std::string, std::vector<std::size_t>> byName_;
};

}  // namespace

CommandPlan PlanPermanent(const GameFolders& folders, const std::vector<PackageItem>& items,
                          const std::vector<bool>& ticked)
{
    Planner planner(folders, items, ticked);
    for (std::size_t i = 0; i < items.size() && i < ticked.size(); ++i)
        if (ticked[i])
            planner.Ticked(i);
    return CommandPlan{CommandPlan::Command::Permanent, std::move(planner.steps)};
}

}  // namespace thld
