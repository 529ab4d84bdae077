#include "platform/path_kind.h"

#include <filesystem>
#include <system_error>

#include "platform/file.h"

namespace thld {

namespace {

std::filesystem::path PathOf(const std::string& text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string CauseWords(const std::error_code& error)
{
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted)
        return "access was denied";
    if (error == std::errc::too_many_symbolic_link_levels)
        return "a link leads round in a loop";
    return error.message();
}

}  // namespace

std::string WhyNotOpened(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(PathOf(path), error);
    if (error == std::errc::too_many_symbolic_link_levels)
        return "is a link that leads round in a loop";
    switch (status.type()) {
    case fs::file_type::not_found:
        return "was not found";
    case fs::file_type::directory:
        return "is a folder, not a regular file";
    case fs::file_type::fifo:
        return "is a FIFO, not a regular file";
    case fs::file_type::socket:
        return "is a socket, not a regular file";
    case fs::file_type::block:
    case fs::file_type::character:
        return "is a device, not a regular file";
    default:
        break;
    }
    if (error)
        return "can't be read: " + CauseWords(error);
    try {
        InputFile::Open(path);
        return "can be read";
    } catch (const FileError& failed) {
        if (failed.Cause() == FileErrorCause::AccessDenied)
            return "can't be read: access was denied";
        if (failed.Cause() == FileErrorCause::NotFound)
            return "was not found";
        return "can't be read: " + FileErrorText(failed.Cause(), "it");
    }
}

std::optional<std::string> WhyFolderUnreadable(const std::string& folder)
{
    std::error_code error;
    std::filesystem::directory_iterator entries(PathOf(folder), error);
    if (!error)
        return std::nullopt;
    return CauseWords(error);
}

}  // namespace thld
