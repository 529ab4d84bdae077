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

std::optional<FolderChoice> SelectGameFolder(GameEntryStore& store, FolderPicker& picker)
{
    std::optional<std::string> chosen = picker.Pick(kPickerTitle);
    if (!chosen)
        return std::nullopt;
    FolderChoice choice;
    choice.value = StoredValueOf(*chosen);
    choice.stored = store.Write(choice.value);
    return choice;
}

}  // namespace thld
