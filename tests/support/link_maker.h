#pragma once
// Symbolic links for tests: players link cache files to files elsewhere, and the commands must never
// act on what such a link leads to.

#include <string>

namespace thld::test {

// Makes `link` a symbolic link to the file `target` (full paths). False where this system or this
// account can't make one; the test is then skipped. Under Wine the link is a Unix one, made by the
// host's own ln, as a player on Linux makes it.
bool MakeFileLink(const std::string& link, const std::string& target);

// True under Wine, which resolves a Unix symbolic link for every file operation.
bool RunningUnderWine();

}  // namespace thld::test
