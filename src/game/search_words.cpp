#include "game/search_words.h"

#include "platform/file_error.h"
#include "platform/printable_text.h"

namespace thld {

namespace {

constexpr const char* kWhatToDo = "Name it with --game DIR, or store it once with: tallyhold where --set-game DIR";

}  // namespace

std::string SourceWords(const std::string& source)
{
    if (source.empty())
        return std::string("the registry (HKEY_LOCAL_MACHINE\\") + kGameEntryKey + ")";
    return source == kGivenSource ? "the command line" : PrintableText(source);
}

std::string NotThereText(const std::string& path)
{
    return FileErrorText(FileErrorCause::NotFound, PrintableText(path));
}

std::string NotAFolderText(const std::string& path) { return PrintableText(path) + " is not a folder."; }

std::string NothingFoundText(const SearchPlaces& places, const GameEntryRead& read)
{
    std::string why;
    if (places.system == SearchPlaces::System::Windows) {
        const std::string message =
            read.result == GameEntryRead::Result::NoValue ? kNoFolderValueMessage : kNoGameEntryMessage;
        why = message.substr(0, message.find("\r\n"));
    } else if (!read.places.empty() && read.places.front().reason == FindingReason::StoreUnreadable) {
        why = "No game folder can be read from " + PrintableText(read.source) + ": " +
              PrintableText(read.places.front().why) + ".";
    } else if (places.settingsFolder.empty()) {
        why = "No game folder is stored: " + PrintableText(read.source) + ".";
    } else {
        why = "No game folder is stored in " + PrintableText(read.source) + ", and no launcher names one.";
    }
    return why + "\n" + kWhatToDo;
}

std::string NoSuchInstallationText(std::size_t asked, std::size_t found)
{
    return "There is no installation " + std::to_string(asked) + " (" + std::to_string(found) +
           " found); 'tallyhold where' lists them.";
}

std::string NoGameFolderForCacheText(const std::string& cacheFolder)
{
    return "No game folder is known for the cache " + PrintableText(cacheFolder) + ".\n" + kWhatToDo;
}

}  // namespace thld
