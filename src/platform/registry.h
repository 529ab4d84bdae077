#pragma once
// One string value in the Windows registry, read and written as UTF-8 text through the system's
// wide functions, whatever its length. On a system without a registry every key is missing and
// every write is refused.

#include <string>
#include <vector>

namespace thld {

enum class RegistryHive {
    LocalMachine,
    CurrentUser
};
// Which view a 64-bit system shows: 32-bit programs see their own part of HKEY_LOCAL_MACHINE\SOFTWARE.
enum class RegistryView {
    Bits32,
    Bits64
};

struct RegistryString {
    enum class Result {
        Read,        // `text` holds the value
        NoKey,       // the key could not be opened (missing, or not open to the user)
        NoValue,     // the key has no value of that name
        Unreadable,  // the value is there but could not be read
    };
    Result result = Result::NoKey;
    // The value's text up to its first zero character. A value stored as a string type is taken
    // as UTF-16; one of any other type as text in the system code page.
    std::string text;
    unsigned long error = 0;  // the system's error code when not Read
};

// True where the system has a registry.
bool HasRegistry();

RegistryString ReadRegistryString(RegistryHive hive, RegistryView view, const std::string& key,
                                  const std::string& name);

// The names of the keys right under `key` (at most a few thousand); empty where the key can't be
// opened.
std::vector<std::string> RegistrySubkeys(RegistryHive hive, RegistryView view, const std::string& key);

// Creates the key where it is missing and writes the value as a string (REG_SZ). 0 when written,
// otherwise the system's error code (such as access denied for HKEY_LOCAL_MACHINE without an
// administrator's rights).
unsigned long WriteRegistryString(RegistryHive hive, RegistryView view, const std::string& key, const std::string& name,
                                  const std::string& value);

}  // namespace thld
