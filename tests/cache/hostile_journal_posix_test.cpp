// A record of a step written by anyone: whatever paths it names, the next program that starts on the
// cache changes nothing but what the record's own step makes. Each row is one shape a step never
// writes, or one way out of the cache and game folders; the whole folder of the test is read before
// and after (links as links), and only the record itself may have moved aside.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>

#include "cache/cache_guard.h"
#include "cache/step_journal.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

namespace fs = std::filesystem;

struct Hostile {
    const char* what;
    StepJournal::Kind kind;
    std::string line, source, aside, destination, game;  // "@" stands for the test's folder
    JournalFinding::Outcome outcome;
    bool gameGiven = true;  // false: the cache folder given alone
};
void PrintTo(const Hostile& row, std::ostream* out) { *out << row.what; }

std::string Placed(const std::string& text, const std::string& root)
{
    std::string out;
    for (char c : text)
        out += c == '@' ? root : std::string(1, c);
    return out;
}

// Every entry below `root`: a file's bytes, a link's target, or "folder".
std::map<std::string, std::string> Tree(const std::string& root)
{
    std::map<std::string, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = fs::relative(entry.path(), root).string();
        if (entry.is_symlink())
            tree[name] = "link to " + fs::read_symlink(entry.path()).string();
        else if (entry.is_directory())
            tree[name] = "folder";
        else
            tree[name] = test::ReadFileBytes(entry.path().string());
    }
    return tree;
}

class HostileJournal : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostileJournal, ChangesNothingOutsideItsOwnStep)
{
    test::TempFolder temp;
    const std::string root = temp.Path();
    for (const char* folder : {"game/cache", "game/Maps", "game/System", "game/Textures", "outside"})
        temp.MakeFolder(folder);
    const std::string index = "[Cache]\r\nK1=One.unr\r\nK2=Two.utx\r\n\r\n";
    temp.Write("game/cache/cache.ini", index);
    temp.Write("game/cache/K1.uxx", "one");
    temp.Write("game/cache/K2.uxx", "two");
    temp.Write("game/cache/CX.uxx", std::string(index.size(), 'x'));  // the size of cache.ini
    const std::string settings = "[Core.System]\r\nPaths=../Maps/*.unr\r\n";
    temp.Write("game/System/UnrealTournament.ini", settings);
    temp.Write("game/cache/CY.uxx", std::string(settings.size(), 'y'));
    temp.Write("game/System/Two.u", "one");  // the size of K1.uxx
    temp.Write("game/Maps/Other.unr", "another map");
    temp.Write("game/Maps/Three.unr", "victim");
    temp.Write("outside/victim.txt", "victim");
    ASSERT_EQ(::symlink((root + "outside").c_str(), (root + "game/link").c_str()), 0);
    ASSERT_EQ(::symlink((root + "outside/victim.txt").c_str(), (root + "game/cache/K3.uxx").c_str()), 0);
    const Hostile& row = GetParam();
    const StepJournal journal{row.kind,
                              row.line,
                              Placed(row.source, root),
                              Placed(row.aside, root),
                              Placed(row.destination, root),
                              Placed(row.game, root)};
    const std::string record = EncodeStepJournal(journal);
    temp.Write(std::string("game/cache/") + kStepJournalFileName, record);
    auto before = Tree(root);

    const JournalFinding found =
        RecoverCacheIfIdle({root + "game/cache/", row.gameGiven ? root + "game/" : std::string(), {}});

    EXPECT_EQ(found.outcome, row.outcome);
    const std::string journalName = std::string("game/cache/") + kStepJournalFileName;
    before.erase(journalName);
    if (row.outcome == JournalFinding::Outcome::SetAside)
        before[std::string("game/cache/") + kSetAsideJournalName] = record;
    if (row.outcome == JournalFinding::Outcome::GameNotKnown || row.outcome == JournalFinding::Outcome::OtherGame)
        before[journalName] = record;
    EXPECT_EQ(Tree(root), before);
}

using Kind = StepJournal::Kind;
using Outcome = JournalFinding::Outcome;
INSTANTIATE_TEST_SUITE_P(
    , HostileJournal,
    ::testing::Values(Hostile{"ReturnOfCacheIni", Kind::Return, "CX=cache.ini", "@game/cache/CX.uxx", "",
                              "@game/cache/cache.ini", "@game/", Outcome::SetAside},
                      Hostile{"ReturnOfTheGameSettings", Kind::Return, "CY=UnrealTournament.ini", "@game/cache/CY.uxx",
                              "", "@game/System/UnrealTournament.ini", "@game/", Outcome::SetAside},
                      Hostile{"ReturnThroughAFolderLink", Kind::Return, "CZ=victim.txt", "@game/cache/CZ.uxx", "",
                              "@game/link/victim.txt", "@game/", Outcome::SetAside},
                      Hostile{"ReturnOutThroughAFolderLink", Kind::Return, "K1=newfile.txt", "@game/cache/K1.uxx", "",
                              "@game/link/newfile.txt", "@game/", Outcome::SetAside},
                      Hostile{"ReturnOfAKeyInAnotherLine", Kind::Return, "K1=Two.u", "@game/cache/K1.uxx", "",
                              "@game/System/Two.u", "@game/", Outcome::SetAside},
                      Hostile{"ReturnWithAnAside", Kind::Return, "CW=Two.u", "@game/cache/CW.uxx",
                              "@game/System/Two.u.tallyhold-old", "@game/System/Two.u", "@game/", Outcome::SetAside},
                      Hostile{"DeleteInAnotherFolder", Kind::Delete, "K9=Nine.unr", "@outside/K9.uxx",
                              "@outside/K9.uxx.tallyhold-old", "", "", Outcome::SetAside},
                      Hostile{"DeleteOfAKeyLeadingOut", Kind::Delete, "../../outside/victim=x.unr",
                              "@game/cache/../../outside/victim.uxx",
                              "@game/cache/../../outside/victim.uxx.tallyhold-old", "", "", Outcome::SetAside},
                      Hostile{"DeleteWithANumberedAside", Kind::Delete, "K1=One.unr", "@game/cache/K1.uxx",
                              "@game/cache/K1.uxx.tallyhold-old2", "", "", Outcome::SetAside},
                      Hostile{"DeleteNamingADestination", Kind::Delete, "K1=One.unr", "@game/cache/K1.uxx",
                              "@game/cache/K1.uxx.tallyhold-old", "@game/Maps/One.unr", "", Outcome::SetAside},
                      Hostile{"MoveUnderAnotherName", Kind::Move, "K8=One.unr", "@game/cache/K8.uxx", "",
                              "@game/Maps/Other.unr", "@game/", Outcome::SetAside},
                      Hostile{"MoveIntoTheCache", Kind::Move, "K8=K2.uxx", "@game/cache/K8.uxx", "",
                              "@game/cache/K2.uxx", "@game/", Outcome::SetAside},
                      Hostile{"MoveWithAnAsideOutside", Kind::Move, "K8=Other.unr", "@game/cache/K8.uxx",
                              "@outside/victim.txt", "@game/Maps/Other.unr", "@game/", Outcome::SetAside},
                      Hostile{"MoveOfAnotherGameFolder", Kind::Move, "K8=Other.unr", "@game/cache/K8.uxx", "",
                              "@outside/Other.unr", "@outside/", Outcome::OtherGame},
                      // Its shape is a step's own; its cached file is a link, which is never removed.
                      Hostile{"MoveFinishedOfALinkedCachedFile", Kind::Move, "K3=Three.unr", "@game/cache/K3.uxx", "",
                              "@game/Maps/Three.unr", "@game/", Outcome::Settled},
                      Hostile{"ReturnThroughAFolderLinkWithoutAGame", Kind::Return, "CZ=victim.txt",
                              "@game/cache/CZ.uxx", "", "@game/link/victim.txt", "@game/", Outcome::SetAside, false},
                      Hostile{"ReturnOfTheGameSettingsWithoutAGame", Kind::Return, "CY=UnrealTournament.ini",
                              "@game/cache/CY.uxx", "", "@game/System/UnrealTournament.ini", "@game/",
                              Outcome::SetAside, false},
                      Hostile{"MoveOfAGameFolderNotThereWithoutAGame", Kind::Move, "K8=Other.unr", "@game/cache/K8.uxx",
                              "", "@gone/Maps/Other.unr", "@gone/", Outcome::GameNotKnown, false}),
    [](const auto& info) { return std::string(info.param.what); });

// A record's file that is no regular file of its own is never read, nor what a link leads to: it
// goes aside under the set-aside name, with its cause.
struct OddJournal {
    const char* what;
    void (*lay)(const std::string& journal, const std::string& outside);
    JournalFault fault;
};
void PrintTo(const OddJournal& odd, std::ostream* out) { *out << odd.what; }

class OddJournalFile : public ::testing::TestWithParam<OddJournal> {};

TEST_P(OddJournalFile, GoesAsideUnread)
{
    test::TempFolder temp;
    temp.MakeFolder("game/cache");
    temp.Write("game/cache/cache.ini", "[Cache]\r\nK1=One.unr\r\n\r\n");
    temp.Write("game/cache/K1.uxx", "one");
    const std::string outside = temp / "outside";
    const std::string cache = temp / "game/cache/";
    // What a link leads to: a whole record that would delete K1.uxx, were it read.
    test::WriteFileBytes(outside, EncodeStepJournal({StepJournal::Kind::Delete, "K1=Gone.unr", cache + "K1.uxx",
                                                     cache + "K1.uxx.tallyhold-old", "", ""}));
    GetParam().lay(cache + kStepJournalFileName, outside);

    const JournalFinding found = RecoverCacheIfIdle({cache, temp / "game/", {}});

    EXPECT_EQ(found.outcome, JournalFinding::Outcome::SetAside);
    EXPECT_EQ(found.fault, GetParam().fault);
    EXPECT_EQ(found.setAsideAs, cache + kSetAsideJournalName);
    EXPECT_EQ(temp.Read("game/cache/K1.uxx"), "one");
    EXPECT_FALSE(temp.Exists(std::string("game/cache/") + kStepJournalFileName));
}

INSTANTIATE_TEST_SUITE_P(
    , OddJournalFile,
    ::testing::Values(
        OddJournal{"Link",
                   [](const std::string& journal, const std::string& outside) {
                       ASSERT_EQ(::symlink(outside.c_str(), journal.c_str()), 0);
                   },
                   JournalFault::Link},
        OddJournal{"Folder", [](const std::string& journal, const std::string&) { fs::create_directory(journal); },
                   JournalFault::NotRegularFile},
        OddJournal{"Fifo", [](const std::string& journal, const std::string&) { ::mkfifo(journal.c_str(), 0644); },
                   JournalFault::NotRegularFile}),
    [](const auto& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace thld
