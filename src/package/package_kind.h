#pragma once
// What kind of package a file holds, told by a few names in its first 512 bytes. The rules are a
// heuristic: they parse nothing, and real packages of one kind sometimes take another label.

#include <string>
#include <string_view>

namespace thld {

// The labels are compared whole, exactly and with case.
using PackageKind = std::string_view;
namespace kind {
inline constexpr PackageKind Map = "Map";
inline constexpr PackageKind Textures = "Textures/Skins";
inline constexpr PackageKind Script = "Script";
inline constexpr PackageKind UnknownType = "Unknown Type";
inline constexpr PackageKind NotAvailable = "File Not Available";
inline constexpr PackageKind Unknown = "Unknown";
}  // namespace kind

inline constexpr std::size_t kKindWindowSize = 512;

// The kind told by a window of the file's first bytes (fewer than 512 for a short file).
PackageKind KindOfWindow(const unsigned char* window, std::size_t length);

// The kind of the package file at `path`, from one unshared open and one read of its first 512
// bytes: "File Not Available" when it can't be opened. A read that fails after the open raises
// FileError.
PackageKind KindOfFile(const std::string& path);

}  // namespace thld
