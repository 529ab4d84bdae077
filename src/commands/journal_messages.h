#pragma once
// What the user is told of a record that a program ended midway left (cache/cache_guard.h): what
// was done with it, or, where it stays, what it names and what to do. The core's words, shown as
// they are by every front-end.

#include <string>

#include "cache/cache_guard.h"

namespace thld::messages {

// The text of a finding; empty for one that says nothing (no record was left).
std::string JournalFindingText(const JournalFinding& found);

}  // namespace thld::messages
