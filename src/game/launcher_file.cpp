#include "game/launcher_file.h"

#include <filesystem>
#include <system_error>

#include "platform/code_page.h"
#include "platform/file.h"
#include "platform/file_error.h"

namespace thld {

LauncherFile ReadLauncherFile(const std::string& path, std::uint64_t limit)
{
    LauncherFile file;
    try {
        InputFile input = InputFile::Open(path);
        if (input.Length() > limit) {
            file.state = LauncherFile::State::TooLarge;
            return file;
        }
        file.bytes.resize(static_cast<std::size_t>(input.Length()));
        file.bytes.resize(input.ReadAt(0, file.bytes.data(), file.bytes.size()));
        file.state = IsUtf8Text(file.bytes) ? LauncherFile::State::Read : LauncherFile::State::NotText;
        if (file.state != LauncherFile::State::Read)
            file.bytes.clear();
    } catch (const FileError& error) {
        file.state = error.Cause() == FileErrorCause::NotFound         ? LauncherFile::State::Missing
                     : error.Cause() == FileErrorCause::NotRegularFile ? LauncherFile::State::NotRegular
                                                                       : LauncherFile::State::Unreadable;
        file.cause = error.Cause();
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
        return file.cause == FileErrorCause::AccessDenied ? "the file can't be read: access was denied"
                                                          : "the file can't be read";
    case LauncherFile::State::NotText:
        return "not text";
    default:
        return "read";
    }
}

bool IsUtf8Text(std::string_view bytes)
{
    while (!bytes.empty()) {
        const auto first = static_cast<unsigned char>(bytes.front());
        const std::size_t length = first < 0x80 ? (first == 0 ? 0 : 1) : Utf8CharacterLength(bytes);
        if (length == 0)
            return false;
        bytes.remove_prefix(length);
    }
    return true;
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
