#pragma once
// How every front-end presents the cache's problems (CheckCache): one group per kind, in the order
// CheckCache gives them, with a title and what can be done about that kind.

#include "game/cache_checks.h"

namespace thld {

struct ProblemGroup {
    CacheProblem::Kind kind;
    const char* title;
    const char* remedy;  // lines broken by "\n"
};

inline constexpr ProblemGroup kProblemGroups[] = {
    {CacheProblem::Kind::Mismatch, "Installed copies of another version than the cached one",
     "The game takes the installed copy first, and a server with the cached version refuses it\n"
     "(\"version mismatch\"). Moving the installed copy into the cache under its own GUID lets both work."},
    {CacheProblem::Kind::Stale, "Lines of cache.ini whose file is gone",
     "The game can't use them; the lines can be removed."},
    {CacheProblem::Kind::Orphan, "Cached files without a line in cache.ini",
     "They take space unseen, yet the game can still find them by GUID: delete one only when you\n"
     "know you don't need it."},
    {CacheProblem::Kind::Duplicate, "Packages cached under several keys, one per version",
     "The game takes the one a server asks for by its GUID; the older ones only take space once no\n"
     "server you play on uses them."},
    {CacheProblem::Kind::Missing, "Packages that need a package found neither in the game's folders nor in the cache",
     "They will not load offline (made permanent or not) until the packages named are in the\n"
     "game's folders; \"through\" names the package that imports one."},
    {CacheProblem::Kind::Unreadable, "Cached files whose tables can't be read",
     "They are damaged, or no packages at all: the game can't load them, and their version can't\n"
     "be told. A server sends a good copy again once they are deleted."},
};

}  // namespace thld
