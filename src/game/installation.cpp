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

namespace {
std::string WithSeparator(std::string folder)
{
    if (folder.empty() || (folder.back() != kPathSeparator && folder.back() != '/'))
        folder += kPathSeparator;
    return folder;
}
}  // namespace

std::optional<Installation> FindInstallation(GameEntryStore& store, const SearchPlaces& places,
                                             const InstallationRequest& request,
                                             std::vector<FolderFinding>& findings)
{
    Installation found;
    if (request.game) {
        found.folders.gameFolder = WithSeparator(*request.game);
        found.gameSource = "given";
        findings.push_back({"game folder", found.gameSource, found.folders.gameFolder, true, "given by the user"});
    } else {
        GameEntryRead read = store.Read();
        if (read.result != GameEntryRead::Result::Read) {
            findings.push_back({"game folder", read.source, "", false,
                                read.result == GameEntryRead::Result::NoKey ? "no entry" : "no value \"Folder\""});
            return std::nullopt;
        }
        // The registry's value ends in a backslash or gets one; a stored folder elsewhere ends in the
        // system's separator.
        found.folders.gameFolder = places.system == SearchPlaces::System::Windows
                                       ? GameFolderFromValue(read.bytes)
                                       : WithSeparator(read.bytes.substr(0, read.bytes.find('\0')));
        found.gameSource = read.source;
        findings.push_back({"game folder", read.source, found.folders.gameFolder, true, "the stored entry"});
    }
    if (request.cache) {
        found.folders.cacheFolder = WithSeparator(*request.cache);
        found.cacheSource = "given";
        findings.push_back({"cache folder", found.cacheSource, found.folders.cacheFolder, true, "given by the user"});
    } else {
        CacheFolderChoice cache = FindCacheFolder(found.folders.gameFolder, places, findings);
        found.folders.cacheFolder = cache.folder;
        found.cacheSource = cache.source;
    }
    found.findings = findings;
    return found;
}

}  // namespace thld
