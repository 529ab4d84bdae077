#pragma once
// Storing a game folder that the user names (tallyhold where --set-game DIR) where the windows keep
// the chosen one: the folder made absolute, refused where it is missing, no folder, or a name the
// store can't keep, and the outcome in the words the user reads.

#include <string>

#include "game/game_folder.h"

namespace thld {

struct FolderStoring {
    enum class Outcome {
        Stored,
        Missing,      // the folder is not there
        NotAFolder,   // the path names a file, a FIFO...
        NotKept,      // the store can never keep this name (GameEntryStore::WhyNotKept)
        WriteFailed,  // the store could not be written
    };
    Outcome outcome;
    std::string folder;   // as stored: absolute, without a separator at its end (a root keeps its own)
    std::string message;  // "Stored the game folder ... in ...", or why not
};

FolderStoring StoreGameFolder(GameEntryStore& store, const std::string& given);

}  // namespace thld
