#pragma once
// The texts the user sees, word for word, that the core gives and more than one front-end shows:
// the questions and messages of the commands, and those of reading and writing cache.ini.

#include <cstdint>
#include <string>

namespace thld::messages {

inline constexpr const char* kConfirmDeleteTitle = "Confirm Delete File";
inline constexpr const char* kConfirmMoveTitle = "Confirm Move File";
inline constexpr const char* kConfirmReplaceTitle = "Confirm Replace File";
inline constexpr const char* kChangeFolderTitle = "Change Unreal Tournament Folder";
inline constexpr const char* kChangeFolderMessage = "Do you want to change Unreal Tournament Folders?";
inline constexpr const char* kEmptyCacheTitle = "Cache Folder Appears to be Empty";
inline constexpr const char* kNoFileName = "Error - Couldn't find filename";

inline std::string ConfirmDelete(const std::string& shownName)
{
    return "Are you sure you want to delete this file?\r\n\r\n" + shownName;
}
inline std::string ConfirmMove(const std::string& shownName)
{
    return "Are you sure you want to make this file permanent?\r\n\r\n" + shownName;
}
inline std::string ConfirmReplace(const std::string& destination)
{
    return "This file already exists at " + destination + "\r\nAre you sure you want to replace it?";
}
// What the windows say of a cache that looks empty, without their question: the command line's words.
inline std::string EmptyCacheStatement(const std::string& gameFolder)
{
    return "Your Unreal Tournament Cache Folder appears to be empty.  This could be because the wrong path has "
           "been selected or because the Cache Folder really is empty.\r\nCurrent Path: " +
           gameFolder;
}
inline std::string EmptyCache(const std::string& gameFolder)
{
    return EmptyCacheStatement(gameFolder) + "\r\nWould you like to select your Unreal Tournament Folder manually now?";
}
// cache.ini could not be opened for reading (`path` is its full path).
inline std::string ReadError(const std::string& path) { return "Error reading file " + path; }
// The new cache.ini could not be created (`path` is its full path).
inline std::string WriteError(const std::string& path) { return "Error writing new file " + path + " - Aborting!"; }
// Another program held the cache's lock all the while a command waited for it.
inline std::string CacheBusy(const std::string& cacheFolder)
{
    return "Another program is changing the cache in " + cacheFolder +
           " at the moment. Nothing was changed; try again once it has finished.";
}
// cache.ini changed between the listing and a command (`path` is its full path); the windows list
// the cache again by themselves.
inline std::string IndexChanged(const std::string& path, bool listedAgain)
{
    return path + " has changed since the cache was listed. Nothing was changed; " +
           (listedAgain ? "the cache is listed again." : "run the command again.");
}
inline constexpr const char* kConfirmReturnTitle = "Confirm Return File";
inline constexpr const char* kConfirmRemoveLineTitle = "Confirm Remove Line";
inline std::string ConfirmReturn(const std::string& installedFile)
{
    return "Are you sure you want to move this file back into the cache?\r\n\r\n" + installedFile;
}
inline std::string ConfirmRemoveLine(const std::string& line)
{
    return "Are you sure you want to remove this line from cache.ini?\r\n\r\n" + line;
}
// A package that Return leaves where it is, and why.
inline std::string StaysInstalled(const std::string& installedFile, const std::string& why)
{
    return installedFile + " stays where it is: " + why + ".";
}
// Why Return leaves a package where it is, as its plan and its run tell it.
inline constexpr const char* kNoInstalledCopy = "the game's folders hold no copy of it";
inline constexpr const char* kCachedCopyUnreadable = "its cached copy can't be read, so its version can't be told";
inline constexpr const char* kNoGuid = "it is no package with a GUID";
inline constexpr const char* kInstalledIsLink = "it is a link to another file";
inline constexpr const char* kIndexCantHoldName = "cache.ini can't hold its name";
inline std::string GuidCachedAlready(const std::string& guid)
{
    return "the cache holds its GUID " + guid + " already";
}
// Return of a cached package that finds nothing to return, and why.
inline std::string NothingToReturn(const std::string& name, const std::string& why)
{
    return "Nothing was returned for " + name + ": " + why + ".";
}
inline std::string CachedAlready(const std::string& installedFile, const std::string& guid)
{
    return StaysInstalled(installedFile, GuidCachedAlready(guid));
}
// The total line below the tree.
inline std::string TotalCache(std::uint64_t bytes) { return "Total Cache: " + std::to_string(bytes >> 10) + "k bytes"; }

}  // namespace thld::messages
