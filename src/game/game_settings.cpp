#include "game/game_settings.h"

#include <optional>

#include "platform/code_page.h"
#include "platform/file.h"
#include "platform/folder.h"
#include "platform/utf16.h"

namespace thld {

namespace {

// Larger than any settings file the game writes; a larger file is not taken for one.
constexpr std::uint64_t kLargestSettingsFile = 16u << 20;

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The file's text as UTF-8 (or as 8-bit text without a mark); nothing when it isn't text.
std::optional<std::string> DecodedText(const std::string& bytes)
{
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::u16string units((bytes.size() - 2) / 2, u'\0');
        for (std::size_t i = 0; i < units.size(); ++i)
            units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                             (static_cast<unsigned char>(bytes[3 + 2 * i]) << 8));
        std::string text = Utf16ToUtf8(units);
        if (text.find('\0') != std::string::npos)
            return std::nullopt;
        return text;
    }
    if (bytes.find('\0') != std::string::npos)
        return std::nullopt;
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
        return bytes.substr(3);
    return bytes;
}

}  // namespace

GameSetting ReadGameSetting(const std::string& path, std::string_view section, std::string_view name)
{
    GameSetting setting;
    std::string bytes;
    try {
        std::optional<InputFile> file = InputFile::OpenUnshared(path);
        if (!file) {
            setting.state = PathExists(path) ? GameSetting::State::Unreadable : GameSetting::State::Missing;
            return setting;
        }
        if (file->Length() > kLargestSettingsFile) {
            setting.state = GameSetting::State::NotText;
            return setting;
        }
        bytes.resize(static_cast<std::size_t>(file->Length()));
        bytes.resize(file->ReadAt(0, bytes.data(), bytes.size()));
    } catch (const FileError&) {
        setting.state = GameSetting::State::Unreadable;
        return setting;
    }
    std::optional<std::string> text = DecodedText(bytes);
    if (!text) {
        setting.state = GameSetting::State::NotText;
        return setting;
    }

    setting.state = GameSetting::State::NoValue;
    bool inSection = false;
    std::string_view rest = *text;
    while (!rest.empty()) {
        std::size_t end = rest.find_first_of("\r\n");
        std::string_view line = Trimmed(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            inSection = EqualIgnoringAsciiCase(Trimmed(line.substr(1, line.size() - 2)), section);
            continue;
        }
        std::size_t equals = line.find('=');
        if (inSection && equals != std::string_view::npos &&
            EqualIgnoringAsciiCase(Trimmed(line.substr(0, equals)), name)) {
            if (setting.state != GameSetting::State::Value) {
                setting.state = GameSetting::State::Value;
                setting.value = Trimmed(line.substr(equals + 1));
            }
            setting.values.emplace_back(Trimmed(line.substr(equals + 1)));
        }
    }
    return setting;
}

}  // namespace thld
