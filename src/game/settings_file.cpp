#include "game/settings_file.h"

#include <vector>

#include "platform/file.h"
#include "platform/folder.h"
#include "platform/path_kind.h"
#include "platform/path_parts.h"

namespace thld {

namespace {

// Far more than any settings file holds: a larger one is not read.
constexpr std::uint64_t kLargestSettingsFile = 1u << 20;

std::optional<std::string> ReadWhole(const std::string& path)
{
    auto file = InputFile::OpenUnshared(path);
    if (!file)
        return std::nullopt;
    if (file->Length() > kLargestSettingsFile)
        throw FileError(FileErrorCause::Other, path);
    std::string bytes(static_cast<std::size_t>(file->Length()), '\0');
    bytes.resize(file->ReadAt(0, bytes.data(), bytes.size()));
    return bytes;
}

std::vector<std::string> LinesOf(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

bool IsSection(std::string_view line) { return line.size() >= 2 && line.front() == '[' && line.back() == ']'; }

// Makes the folder and those above it that are missing.
void MakeFolders(const std::string& folder)
{
    if (folder.empty() || IsFolder(folder))
        return;
    std::string parent = folder.substr(0, folder.size() - 1);
    MakeFolders(FolderOf(parent));
    MakeFolder(folder);
}

}  // namespace

std::optional<std::string> SettingsFile::WhyUnreadable() const
{
    try {
        auto bytes = ReadWhole(path_);
        if (!bytes)
            return PathExists(path_) ? std::optional<std::string>(WhyNotOpened(path_)) : std::nullopt;
        if (bytes->find('\0') != std::string::npos)
            return "holds what is no text";
        return std::nullopt;
    } catch (const FileError& error) {
        if (error.Cause() == FileErrorCause::Other)
            return "is larger than any settings file";
        return WhyNotOpened(path_);
    }
}

bool SettingsFile::CanHold(std::string_view text) { return text.find_first_of("\r\n") == std::string_view::npos; }

std::optional<std::string> SettingsFile::Get(std::string_view section, std::string_view name) const
{
    std::optional<std::string> bytes;
    try {
        bytes = ReadWhole(path_);
    } catch (const FileError&) {
        return std::nullopt;
    }
    if (!bytes || bytes->find('\0') != std::string::npos)
        return std::nullopt;
    bool inSection = false;
    for (const std::string& line : LinesOf(*bytes)) {
        if (IsSection(line)) {
            inSection = std::string_view(line).substr(1, line.size() - 2) == section;
            continue;
        }
        std::size_t equals = line.find('=');
        if (inSection && equals != std::string::npos && std::string_view(line).substr(0, equals) == name)
            return line.substr(equals + 1);
    }
    return std::nullopt;
}

bool SettingsFile::Set(std::string_view section, std::string_view name, std::string_view value) const
{
    // A line break would end the line early and the rest read back as another line.
    if (!CanHold(section) || !CanHold(name) || !CanHold(value))
        return false;
    try {
        std::vector<std::string> lines = LinesOf(ReadWhole(path_).value_or(""));
        std::string header(1, '[');
        header.append(section).append(1, ']');
        const std::string setting = std::string(name) + "=" + std::string(value);
        bool inSection = false, done = false;
        std::size_t sectionEnd = lines.size();
        for (std::size_t i = 0; i < lines.size() && !done; ++i) {
            if (IsSection(lines[i])) {
                if (inSection) {
                    sectionEnd = i;
                    break;
                }
                inSection = lines[i] == header;
                continue;
            }
            std::size_t equals = lines[i].find('=');
            if (inSection && equals != std::string::npos && std::string_view(lines[i]).substr(0, equals) == name) {
                lines[i] = setting;
                done = true;
            }
        }
        if (!done) {
            if (!inSection) {
                lines.push_back(header);
                sectionEnd = lines.size();
            }
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(sectionEnd), setting);
        }
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";

        MakeFolders(FolderOf(path_));
        const std::string fresh = path_ + ".new";
        OutputFile file = OutputFile::Create(fresh);
        try {
            file.Write(text);
            file.Flush();
            file.Close();
            ReplaceFileAtomically(fresh, path_);
        } catch (const FileError&) {
            try {
                RemoveFile(fresh);
            } catch (const FileError&) {}
            throw;
        }
        return true;
    } catch (const FileError&) {
        return false;
    }
}

}  // namespace thld
