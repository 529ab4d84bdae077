#pragma once
// One harness for the crash and fault tests of every command that changes the cache (Delete,
// Permanent, Return, Tidy): the command's run, in a child process, ended at each of its disk steps
// in turn, either by a kill (the process ends at once; the disk keeps all it was given) or by a
// power cut (power_cut.h: the disk keeps only what was synced), or failed there (the step refused
// as a full or broken disk would refuse it, and the run left to end as it does). After each, the
// next program starts on the cache, given the folders another way each time (folder_spellings.h),
// and the command's invariant is checked. POSIX only: it forks.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support/folder_spellings.h"

namespace thld::test {

enum class CrashKind {
    Kill,
    PowerCut,
    DiskFault,
};

// "killed", "power cut", "disk fault".
const char* CrashWords(CrashKind kind);
// "Killed", "PowerCut", "DiskFault": the end of a parameterised test's name.
const char* CrashTestName(CrashKind kind);

struct CrashCase {
    // Lays the folders out afresh; false when that can't be done here (the test is then skipped).
    std::function<bool()> layOut;
    // The command's run, in the child; false when it fell short (the crashes would prove nothing).
    std::function<bool()> run;
    // The next program started on the cache, given the folders as `next` spells them, and the
    // command's invariant checked.
    std::function<void(const GameFolders& next)> expectWhole;
};

struct CrashTally {
    bool laidOut = true;
    std::size_t steps = 0;                   // disk steps of the run without a crash
    std::map<std::string, int> nextGivenAs;  // crashes by the spelling the next program was given
    // "81 disk steps, the next program given the folders Absolute 12, CacheAlone 12, ..."
    std::string Text() const;
};

// Runs the case without a crash, counting its disk steps, then once ended at each of them by `kind`;
// the power cut's model takes in everything below `root`. The next program is given each of
// `spellings` in turn. Ends at the first failure the test has.
CrashTally CrashAtEveryStep(const CrashCase& crash, CrashKind kind, const std::string& root,
                            const std::vector<FolderSpelling>& spellings);

}  // namespace thld::test
