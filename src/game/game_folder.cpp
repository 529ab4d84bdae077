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

GameFolderLocator::GameFolderLocator(GameEntryStore& store, FolderPicker& picker, Tell tell)
    : store_(store), picker_(picker), tell_(std::move(tell))
{}

std::optional<std::string> GameFolderLocator::Find()
{
    for (;;) {
        GameEntryRead read = store_.Read();
        if (read.result == GameEntryRead::Result::Read)
            return GameFolderFromValue(read.bytes);
        tell_(read.result == GameEntryRead::Result::NoKey ? kNoGameEntryMessage : kNoFolderValueMessage);
        std::optional<FolderChoice> choice = Select();
        if (!choice)
            return std::nullopt;
        if (!choice->stored)
            return GameFolderFromValue(choice->value);
    }
}

std::optional<FolderChoice> GameFolderLocator::Select()
{
    std::optional<std::string> chosen = picker_.Pick(kPickerTitle);
    if (!chosen)
        return std::nullopt;
    FolderChoice choice;
    choice.value = StoredValueOf(*chosen);
    choice.stored = store_.Write(choice.value);
    return choice;
}

std::optional<std::string> GameFolderLocator::FolderAfter(const FolderChoice& choice)
{
    if (choice.stored)
        return Find();
    return GameFolderFromValue(choice.value);
}

}  // namespace thld
