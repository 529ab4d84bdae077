#include "game/installation.h"

#include "platform/code_page.h"
#include "platform/environment.h"
#include "platform/file.h"
#include "platform/folder.h"

namespace thld {

SearchPlaces SearchPlaces::OfThisSystem()
{
    SearchPlaces places;
    places.home = HomeFolder();
#if defined(_WIN32)
    places.system = SearchPlaces::System::Windows;
#elif defined(__APPLE__)
    places.system = SearchPlaces::System::MacOS;
    if (!places.home.empty())
        places.settingsFolder = places.home + "Library/Preferences/";
#else
    places.system = SearchPlaces::System::Linux;
    auto config = EnvironmentVariable("XDG_CONFIG_HOME");
    if (config && !config->empty() && config->front() == '/')
        places.settingsFolder = *config + (config->back() == '/' ? "" : "/") + "tallyhold/";
    else if (!places.home.empty())
        places.settingsFolder = places.home + ".config/tallyhold/";
#endif
    return places;
}

std::string GameSubfolder(const std::string& gameFolder, std::string_view name)
{
    std::string wanted(name);
    if (!IsFolder(gameFolder + wanted)) {
        for (const std::string& entry : FolderEntries(gameFolder)) {
            if (EqualIgnoringAsciiCase(entry, name) && IsFolder(gameFolder + entry)) {
                wanted = entry;
                break;
            }
        }
    }
    return gameFolder + wanted + kPathSeparator;
}

CacheFolderChoice FindCacheFolder(const std::string& gameFolder, const SearchPlaces& places,
                                  std::vector<FolderFinding>& findings)
{
    CacheFolderChoice choice;
    if (places.system == SearchPlaces::System::Windows) {
        choice.folder = CacheFolderOf(gameFolder);
    } else {
        choice.folder = GameSubfolder(gameFolder, "Cache");
    }
    choice.source = "the game folder's cache folder";
    findings.push_back({"cache folder", choice.source, choice.folder, true, "the default"});
    return choice;
}

}  // namespace thld
