#pragma once
// A launcher's own file (Steam's library list, a Lutris game, Heroic's list, Wine's registry), read
// as untrusted input: only a regular file, only up to a bound, only text (UTF-8 without a zero
// byte, as every launcher writes its files), and with the reason in words when it can't be read.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_error.h"

namespace thld {

// Launchers' files are small; a larger one is taken for something else and passed over. A Wine
// prefix's registry grows with what is installed in it, and may be larger.
inline constexpr std::uint64_t kLauncherFileLimit = 16u << 20;
inline constexpr std::uint64_t kWineRegistryLimit = 128u << 20;

struct LauncherFile {
    enum class State {
        Missing,     // nothing at the path
        NotRegular,  // a folder, a FIFO, a device or a socket
        TooLarge,    // larger than the bound
        Unreadable,  // there, but it would not open or read
        NotText,     // read, but it holds a zero byte or what is no UTF-8
        Read,        // `bytes` holds the whole file
    };
    State state = State::Missing;
    std::string bytes;
    FileErrorCause cause = FileErrorCause::None;  // why it is Unreadable, where the system said
};

LauncherFile ReadLauncherFile(const std::string& path, std::uint64_t limit = kLauncherFileLimit);

// Why a file that was not read was passed over, in words ("no such file", "not a regular file",
// "not text"...).
std::string WhyNotRead(const LauncherFile& file);

// Whether the bytes are text as the launchers write it: UTF-8, without a zero byte.
bool IsUtf8Text(std::string_view bytes);

// The folder as its real path, links resolved, ending in the separator; as it is where that can't be
// learnt. Two names of one folder give the same text.
std::string RealFolder(const std::string& folder);

// The folder with the separator at its end.
std::string WithSeparator(std::string folder);

// The text with the letters A to Z in lower case.
std::string LowerAscii(std::string_view text);

// A text of at most `limit` bytes, a file's or a name's, for a finding: cut with "..." beyond it.
std::string Shortened(const std::string& text, std::size_t limit = 200);

}  // namespace thld
