#include "commands/window_messages.h"

#include <cstdio>

#include "commands/status_messages.h"

namespace thld::messages {

std::string SizeInWords(std::uint64_t bytes)
{
    static const char* const units[] = {"B", "KiB", "MiB", "GiB", "TiB", "PiB", "EiB"};
    if (bytes < 1024)
        return std::to_string(bytes) + " B";
    double value = static_cast<double>(bytes);
    int unit = 0;
    while (value >= 1024 && unit < 6) {
        value /= 1024;
        ++unit;
    }
    // 1023.9 KiB shows as "1024 KiB", never as "1.0e+03".
    char number[32];
    std::snprintf(number, sizeof number, value < 9.95 ? "%.1f" : "%.0f", value);
    return std::string(number) + " " + units[unit];
}

std::string Packages(std::size_t count) { return std::to_string(count) + (count == 1 ? " package" : " packages"); }

std::string ListingSoFar(std::size_t listed) { return "Listing the cache: " + Packages(listed) + " so far"; }

std::string ListedTotal(std::uint64_t bytes, std::size_t packages)
{
    return "Total Cache: " + SizeInWords(bytes) + " in " + Packages(packages);
}

std::string EmptyTotal() { return "Total Cache: " + SizeInWords(0); }

std::string TickedLine(std::size_t count, std::uint64_t bytes)
{
    return count == 0 ? "No packages ticked" : Packages(count) + " ticked, " + SizeInWords(bytes);
}

std::string ShownOf(std::size_t shown, std::size_t total)
{
    return std::to_string(shown) + " of " + Packages(total) + " shown";
}

const char* WorkStatus(Work work)
{
    switch (work) {
    case Work::ListingKinds:
        return kReviewingStatus;
    case Work::ListingRelations:
        return kRelationshipsStatus;
    case Work::ListingInstalled:
        return "Looking for Installed Copies";
    case Work::Checking:
        return "Checking the Cache";
    case Work::Planning:
        return "Working Out What to Do";
    case Work::Deleting:
        return "Deleting Files";
    case Work::Moving:
        return "Moving Files";
    case Work::Fixing:
        return "Fixing Problems";
    }
    return "";
}

std::string CloseWithTicks(std::size_t ticked)
{
    return Packages(ticked) + (ticked == 1 ? " is" : " are") +
           " ticked. Close Tallyhold without deleting them or making them permanent?";
}

std::string FirstRunMessage(SearchPlaces::System system, GameEntryRead::Result read)
{
    if (system == SearchPlaces::System::Windows)
        return read == GameEntryRead::Result::NoValue ? kNoFolderValueMessage : kNoGameEntryMessage;
    return "Tallyhold doesn't know yet where Unreal Tournament is installed.\r\n"
           "Choose the game's folder (the one that holds System and Maps).";
}

std::string FolderChooserTitle(SearchPlaces::System system)
{
    if (system == SearchPlaces::System::Windows)
        return kPickerTitle;
    return "Choose the Unreal Tournament folder (such as ~/UnrealTournament)";
}

std::string HelpNotOpened(const std::string& place)
{
    return "No browser was found to show the help. It is at " + place + ".";
}

}  // namespace thld::messages
