#include "qt/platform_words.h"

namespace thld {

std::string PlatformWords(const std::string& text, SearchPlaces::System system)
{
    if (system == SearchPlaces::System::Windows)
        return text;
    if (text == kNoGameEntryMessage || text == kNoFolderValueMessage)
        return "Tallyhold doesn't know yet where Unreal Tournament is installed.\r\n"
               "Hit OK to choose the game's folder (the one that holds System and Maps).";
    if (text == kPickerTitle)
        return "Choose the Unreal Tournament folder (such as ~/UnrealTournament)";
    return text;
}

}  // namespace thld
