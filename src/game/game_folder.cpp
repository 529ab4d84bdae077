#include "game/game_folder.h"

namespace thld {

namespace {

// Where the last character starts, stepping over two-byte characters; npos for empty text.
std::size_t LastCharacterStart(std::string_view text, LeadByteTest isLeadByte)
{
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        last = i;
        if (isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size())
            ++i;
    }
    return last;
}

bool EndsIn(std::string_view text, char separator, LeadByteTest isLeadByte)
{
    std::size_t last = LastCharacterStart(text, isLeadByte);
    return last != std::string_view::npos && last == text.size() - 1 && text[last] == separator;
}

}  // namespace

std::string GameFolderFromValue(std::string_view bytes, LeadByteTest isLeadByte, char separator)
{
    std::string folder(bytes.substr(0, bytes.find('\0')));
    if (!EndsIn(folder, separator, isLeadByte))
        folder += separator;
    return folder;
}

std::string CacheFolderOf(const std::string& gameFolder) { return gameFolder + "cache\\"; }

std::string StoredValueOf(const std::string& chosenFolder, LeadByteTest isLeadByte, char separator)
{
    if (EndsIn(chosenFolder, separator, isLeadByte))
        return chosenFolder.substr(0, chosenFolder.size() - 1);
    return chosenFolder;
}

GameFolderLocator::GameFolderLocator(GameEntryStore& store, FolderPicker& picker, Tell tell, LeadByteTest isLeadByte)
    : store_(store), picker_(picker), tell_(std::move(tell)), isLeadByte_(isLeadByte)
{}

std::optional<std::string> GameFolderLocator::Find()
{
    for (;;) {
        GameEntryRead read = store_.Read();
        if (read.result == GameEntryRead::Result::Read)
            return GameFolderFromValue(read.bytes, isLeadByte_);
        tell_(read.result == GameEntryRead::Result::NoKey ? kNoGameEntryMessage : kNoFolderValueMessage);
        std::optional<FolderChoice> choice = Select();
        if (!choice)
            return std::nullopt;
        if (!choice->stored)
            return GameFolderFromValue(choice->value, isLeadByte_);
    }
}

std::optional<FolderChoice> GameFolderLocator::Select()
{
    std::optional<std::string> chosen = picker_.Pick(kPickerTitle);
    if (!chosen)
        return std::nullopt;
    FolderChoice choice;
    choice.value = StoredValueOf(*chosen, isLeadByte_);
    choice.stored = store_.Write(choice.value);
    return choice;
}

std::optional<std::string> GameFolderLocator::FolderAfter(const FolderChoice& choice)
{
    if (choice.stored)
        return Find();
    return GameFolderFromValue(choice.value, isLeadByte_);
}

}  // namespace thld
