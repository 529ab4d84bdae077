#include "cli/offline_text.h"

#include "cli/terminal_text.h"

namespace thld::cli {

std::string OfflineLine(const OfflineCheck& offline, const std::vector<PackageItem>& items, std::size_t item,
                        const Console& console)
{
    const std::string name = PrintableText(items[item].name);
    const std::optional<std::vector<MissingImport>> missing = offline.Missing(item);
    if (!missing) {
        if (items[item].summary.tables != PackageTables::Read)
            return "Offline: whether " + name + " will load can't be told: its tables can't be read.\n";
        return "Offline: whether " + name + " will load can't be told without the game folder.\n";
    }
    if (missing->empty())
        return "Offline: " + name + " will load once made permanent.\n";
    std::string names;
    for (std::size_t i = 0; i < missing->size(); ++i) {
        if (i > 0)
            names += i + 1 == missing->size() ? " and " : ", ";
        names += PrintableText((*missing)[i].package);
        if (!(*missing)[i].through.empty())
            names += " (through " + PrintableText((*missing)[i].through) + ")";
    }
    return "Offline: " + name + console.OutStyled(Style::Bad, " will not load") + " once made permanent: " + names +
           (missing->size() == 1 ? " is" : " are") + " found neither in the game's folders nor in the cache.\n";
}

}  // namespace thld::cli
