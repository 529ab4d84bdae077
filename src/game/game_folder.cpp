#include "game/game_folder.h"

namespace thld {

namespace {

bool EndsIn(std::string_view text, char separator) { return !text.empty() && text.back() == separator; }

}  // namespace

std::string GameFolderFromValue(std::string_view bytes, char separator)
{
    std::string folder(bytes.substr(0, bytes.find('\0')));
    if (!EndsIn(folder, separator))
        folder += separator;
    return folder;
}

std::string CacheFolderOf(const std::string& gameFolder) { return gameFolder + "cache\\"; }

std::string StoredValueOf(const std::string& chosenFolder, char separator)
{
    if (EndsIn(chosenFolder, separator))
        return chosenFolder.substr(0, chosenFolder.size() - 1);
    return chosenFolder;
}

std::optional<FolderChoice> SelectGameFolder(GameEntryStore& store, FolderPicker& picker, const std::string& title)
{
    std::optional<std::string> chosen = picker.Pick(title);
    if (!chosen)
        return std::nullopt;
    FolderChoice choice;
    choice.value = StoredValueOf(*chosen);
    choice.stored = store.Write(choice.value);
    return choice;
}

}  // namespace thld
