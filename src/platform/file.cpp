#include "platform/file.h"

#include "platform/file_fault.h"

namespace thld {

std::optional<InputFile> InputFile::OpenUnshared(const std::string& path)
{
    try {
        return Open(path);
    } catch (const FileError&) {
        return std::nullopt;
    }
}

bool CanOpenUnshared(const std::string& path) { return InputFile::OpenUnshared(path).has_value(); }

void OutputFile::Close()
{
    if (!handle_.IsOpen())
        return;
    if (auto cause = detail::CheckFault(DiskStep::Close, path_, false)) {
        handle_.Close();
        throw FileError(*cause, path_);
    }
    if (unsigned long error = handle_.Close())
        ThrowFileError(error, path_);
}

}  // namespace thld
