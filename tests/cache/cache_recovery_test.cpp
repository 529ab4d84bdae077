// What a program that ended in the middle of a change left in the cache folder, settled by the next
// one: the files it writes meanwhile go or come back, a record it can't use is dropped or kept.

#include <gtest/gtest.h>

#include <algorithm>

#include "cache/cache_guard.h"
#include "cache/step_journal.h"
#include "platform/folder.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

struct LeftBehind {
    const char* what;
    std::vector<std::string> files;       // in the cache folder, each holding its own name
    std::vector<std::string> folders;     // in the cache folder
    bool recordOfAnotherGame = false;     // a whole record of a move into another game folder
    std::vector<std::string> afterwards;  // the cache folder's names, sorted
};
void PrintTo(const LeftBehind& left, std::ostream* out) { *out << left.what; }

class Recovery : public ::testing::TestWithParam<LeftBehind> {};

TEST_P(Recovery, SettlesWhatItCanAndNothingElse)
{
    test::TempFolder temp;
    temp.MakeFolder("game");
    temp.MakeFolder("game/cache");
    const std::string cache = temp / "game/cache/";
    temp.Write("game/cache/cache.ini", "[Cache]\r\nK1=One.unr\r\n\r\n");
    for (const std::string& name : GetParam().files)
        temp.Write("game/cache/" + name, name);
    for (const std::string& name : GetParam().folders)
        temp.MakeFolder("game/cache/" + name);
    if (GetParam().recordOfAnotherGame) {
        const StepJournal record{StepJournal::Kind::Move,     "K1=One.unr",   cache + "K1.uxx", "",
                                 temp / "other/Maps/One.unr", temp / "other/"};
        temp.Write(std::string("game/cache/") + kStepJournalFileName, EncodeStepJournal(record));
    }

    RecoverCacheIfIdle({cache, temp / "game/", {}});

    auto names = FolderEntries(cache);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, GetParam().afterwards);
    if (temp.Exists("game/cache/K1.uxx")) {
        EXPECT_EQ(temp.Read("game/cache/K1.uxx").substr(0, 2), "K1") << "the package's own bytes";
    }
}

const std::string kRecord = kStepJournalFileName;
INSTANTIATE_TEST_SUITE_P(
    , Recovery,
    ::testing::Values(
        LeftBehind{"AsideWithItsLine", {"K1.uxx.tallyhold-old"}, {}, false, {"K1.uxx", "cache.ini"}},
        LeftBehind{"AsideWithoutALine", {"K1.uxx", "K2.uxx.tallyhold-old2"}, {}, false, {"K1.uxx", "cache.ini"}},
        LeftBehind{"AFolderNamedAsAside",
                   {"K1.uxx"},
                   {"K2.uxx.tallyhold-old"},
                   false,
                   {"K1.uxx", "K2.uxx.tallyhold-old", "cache.ini"}},
        LeftBehind{
            "RewriteUnfinished", {"K1.uxx", "cache.ini.new", "cache.bak.new"}, {}, false, {"K1.uxx", "cache.ini"}},
        LeftBehind{"RecordCutShort", {"K1.uxx", kRecord}, {}, false, {"K1.uxx", "cache.ini"}},
        LeftBehind{
            "RecordOfAnotherGame", {"K1.uxx.tallyhold-old"}, {}, true, {"K1.uxx.tallyhold-old", "cache.ini", kRecord}},
        LeftBehind{"Nothing", {"K1.uxx"}, {}, false, {"K1.uxx", "cache.ini"}}),
    [](const auto& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace thld
