#include "game/launcher_file.h"

#include <filesystem>
#include <system_error>

#include "platform/file.h"
#include "platform/file_error.h"

namespace thld {

LauncherFile ReadLauncherFile(const std::string& path, std::uint64_t limit)
{
    namespace fs = std::filesystem;
    LauncherFile file;
    std::error_code error;
    const fs::file_status status = fs::status(fs::path(std::u8string(path.begin(), path.end())), error);
    if (status.type() == fs::file_type::not_found)
        return file;
    if (error) {
        file.state = LauncherFile::State::Unreadable;
        return file;
    }
    if (status.type() != fs::file_type::regular) {
        file.state = LauncherFile::State::NotRegular;
        return file;
    }
    try {
        std::optional<InputFile> input = InputFile::OpenUnshared(path);
        if (!input) {
            file.state = LauncherFile::State::Unreadable;
            return file;
        }
        if (input->Length() > limit) {
            file.state = LauncherFile::State::TooLarge;
            return file;
        }
        file.bytes.resize(static_cast<std::size_t>(input->Length()));
        file.bytes.resize(input->ReadAt(0, file.bytes.data(), file.bytes.size()));
        file.state = LauncherFile::State::Read;
    } catch (const FileError&) {
        file.state = LauncherFile::State::Unreadable;
        file.bytes.clear();
    }
    return file;
}

std::string WhyNotRead(const LauncherFile& file)
{
    switch (file.state) {
    case LauncherFile::State::Missing:
        return "no such file";
    case LauncherFile::State::NotRegular:
        return "not a regular file";
    case LauncherFile::State::TooLarge:
        return "too large for the file it should be";
    case LauncherFile::State::Unreadable:
        return "the file can't be read";
    default:
        return "read";
    }
}

std::string RealFolder(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path real = fs::canonical(fs::path(std::u8string(folder.begin(), folder.end())), error);
    if (error)
        return WithSeparator(folder);
    const std::u8string text = real.u8string();
    return WithSeparator(std::string(text.begin(), text.end()));
}

std::string WithSeparator(std::string folder)
{
    if (folder.empty() || (folder.back() != kPathSeparator && folder.back() != '/'))
        folder += kPathSeparator;
    return folder;
}

std::string LowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

std::string Shortened(const std::string& text, std::size_t limit)
{
    return text.size() <= limit ? text : text.substr(0, limit) + "...";
}

}  // namespace thld
