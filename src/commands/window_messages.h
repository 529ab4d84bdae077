#pragma once
// The texts of the windows beyond the questions of the commands (messages.h): the lines under the
// tree, what a window says while it works, the question before it closes with packages ticked, the
// first-run box, and sizes as people read them. Every window takes them from here.

#include <cstdint>
#include <string>

#include "game/game_folder.h"
#include "game/installation.h"

namespace thld::messages {

// A size for people: bytes below 1 KiB ("628 B"), otherwise the largest unit that keeps the number
// below 1024, one decimal below ten and whole numbers above ("1.0 KiB", "564 KiB", "1.2 GiB").
std::string SizeInWords(std::uint64_t bytes);

// "1 package", "3 packages".
std::string Packages(std::size_t count);

// The line under the tree: while the cache is listed, once it is, and where there is none.
std::string ListingSoFar(std::size_t listed);
std::string ListedTotal(std::uint64_t bytes, std::size_t packages);
std::string EmptyTotal();
inline constexpr const char* kNoGameFolderChosen =
    "No game folder was chosen, so there is no cache to show. Press Change to choose the game's folder.";

// The status line: what is ticked, and how many rows a filter shows.
std::string TickedLine(std::size_t count, std::uint64_t bytes);
std::string ShownOf(std::size_t shown, std::size_t total);

// What a window is doing, beside its progress bar.
enum class Work {
    ListingKinds,      // the listing's first pass
    ListingRelations,  // its requirements
    ListingInstalled,  // the installed copies
    Checking,          // the cache's problems
    Planning,          // a command's plan
    Deleting,
    Moving,
    Fixing,  // Return or Tidy
};
const char* WorkStatus(Work work);

// Closing a window with packages ticked.
inline constexpr const char* kCloseTitle = "Close Tallyhold";
std::string CloseWithTicks(std::size_t ticked);

// The first run, where no game folder is stored: the box before the folder chooser, and the
// chooser's title. On Windows they are the game's registry messages; elsewhere the game keeps no
// registry entry and paths have no drive letters.
inline constexpr const char* kFirstRunTitle = "Tallyhold";
inline constexpr const char* kChooseFolderButton = "Choose Folder\u2026";
std::string FirstRunMessage(SearchPlaces::System system, GameEntryRead::Result read);
std::string FolderChooserTitle(SearchPlaces::System system);

// The bundled help (`place`) could not be shown: no browser or viewer took it.
std::string HelpNotOpened(const std::string& place);

}  // namespace thld::messages
