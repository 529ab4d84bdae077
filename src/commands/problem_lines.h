#pragma once
// One problem of the cache (CheckCache) as one line of text, in the words every front-end shows it
// with (a terminal breaks it to its width); and which packages Return takes for the mismatches a
// user chose.

#include <string>
#include <vector>

#include "cache/package_item.h"
#include "game/cache_checks.h"

namespace thld {

// "DM-Flux.unr: installed as /ut/Maps/DM-Flux.unr (GUID ...), cached as GUID ...",
// "DM-Gone.unr: its file 0A1B....uxx is gone", "0A1B....uxx: map, 1.2 MiB, its GUID is ...",
// "CTF-Face.unr: newest KEY1, also KEY2, KEY3", "DM-Q2DM1.unr needs Q2DM1.utx (through X.u)",
// "DM-Bad.unr (0A1B....uxx, 3.0 KiB): damaged" or ": no package". Names and paths are shown by
// PrintableText.
std::string ProblemLine(const CacheProblem& problem);

// The ticks for Return (`ticks[n]` for items[n]): the items whose key is that of a chosen mismatch
// (`chosen[i]` for problems[i]; other kinds are passed over).
std::vector<bool> ReturnTicks(const std::vector<PackageItem>& items, const std::vector<CacheProblem>& problems,
                              const std::vector<bool>& chosen);

}  // namespace thld
