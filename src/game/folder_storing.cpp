#include "game/folder_storing.h"

#include <filesystem>
#include <system_error>

#include "game/search_words.h"
#include "platform/file.h"
#include "platform/folder.h"
#include "platform/printable_text.h"

namespace thld {

namespace {

// The folder as an absolute path without a separator at its end (a root keeps its own).
std::string AbsoluteFolder(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path absolute = fs::absolute(fs::path(std::u8string(folder.begin(), folder.end())), error);
    if (error)
        return folder;
    const std::u8string text = absolute.lexically_normal().u8string();
    std::string path(text.begin(), text.end());
    const std::size_t rootLength = absolute.root_path().u8string().size();
    while (path.size() > rootLength && (path.back() == kPathSeparator || path.back() == '/'))
        path.pop_back();
    return path;
}

}  // namespace

FolderStoring StoreGameFolder(GameEntryStore& store, const std::string& given)
{
    using Outcome = FolderStoring::Outcome;
    const std::string folder = AbsoluteFolder(given);
    if (PathExists(folder) && !IsFolder(folder))
        return {Outcome::NotAFolder, folder, NotAFolderText(folder)};
    if (!IsFolder(folder))
        return {Outcome::Missing, folder, NotThereText(folder)};
    if (std::optional<std::string> why = store.WhyNotKept(StoredValueOf(folder)))
        return {Outcome::NotKept, folder,
                "The game folder " + PrintableText(folder) + " can't be stored: " + *why + "."};
    if (!store.Write(StoredValueOf(folder)))
        return {Outcome::WriteFailed, folder,
                "The game folder could not be stored in " + SourceWords(store.Read().source) + "."};
    return {Outcome::Stored, folder,
            "Stored the game folder " + PrintableText(folder) + " in " + SourceWords(store.Read().source) + "."};
}

}  // namespace thld
