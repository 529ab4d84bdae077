#include "commands/command_fixture.h"
#include "commands/left_in_cache.h"
#include "package/package_kind.h"
#include "platform/plain_file_name.h"
#include "support/kinds.h"

namespace thld::test {
namespace {

struct Hostile {
    std::string key;
    std::string value;
    std::string kind;   // what the cached file would be, where one can stand
    std::string shown;  // the name in the message
};

void PrintTo(const Hostile& h, std::ostream* out) { *out << "key \"" << h.key << "\", value \"" << h.value << '"'; }

// An entry whose key or name is not a plain file name: the commands leave it and touch no file.
class HostileEntry : public CommandTest, public ::testing::WithParamInterface<Hostile> {
protected:
    void SetUp() override
    {
        const Hostile& h = GetParam();
        WriteIndex({"K0=Fine.utx", h.key + "=" + h.value});
        WriteFileBytes(CachedPath("K0"), PackageBytes(kTex, "K0"));
        // Files where the names would lead, as far as the system lets them stand (not behind a
        // colon: on Windows that names a stream of another file, which Wine makes a real file of).
        for (const std::string& path : {CachedPath(h.key), Path("Maps/" + h.value + ".unr"), Path("Maps/" + h.value),
                                        Path("Textures/" + h.value)}) {
            if (path.find(':', temp.Path().size()) != std::string::npos)
                continue;
            try {
                WriteFileBytes(path, PackageBytes(h.kind, "decoy"));
            } catch (const std::exception&) {}
        }
        items = {PackageItem{"Fine.utx", 1, "K0", kind::Textures, "", 0, {}},
                 PackageItem{h.value, 2, h.key, kind::Map, "", 0, {}}};
        before = Snapshot(temp.Path());
    }

    std::string Told() const
    {
        return "Left \"" + GetParam().shown + "\" in the cache: its entry in cache.ini is not a plain file name.";
    }

    std::map<std::string, std::string> before;
};

TEST_P(HostileEntry, PermanentLeavesItAndSaysSo)
{
    ScriptedPrompt prompt({true});
    EXPECT_TRUE(Permanent({false, true}, prompt));
    EXPECT_EQ(prompt.questions.size(), 1u);
    EXPECT_EQ(prompt.told, (std::vector<std::string>{Told()}));
    EXPECT_EQ(Snapshot(temp.Path()), before);
}

TEST_P(HostileEntry, DeleteLeavesItWhenItsKeyIsNoFileName)
{
    ScriptedPrompt prompt({true});
    EXPECT_TRUE(Delete({false, true}, prompt));
    if (GetParam().key == "K1") {
        // Delete builds no path from the name: the entry and its cached file go as usual.
        EXPECT_TRUE(prompt.told.empty());
        EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]", "K0=Fine.utx"}));
        return;
    }
    EXPECT_EQ(prompt.told, (std::vector<std::string>{Told()}));
    EXPECT_EQ(Snapshot(temp.Path()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, HostileEntry,
    ::testing::Values(Hostile{"..\\..\\x", "Evil.unr", kMap, "Evil.unr"},
                      Hostile{"../../x", "Evil.unr", kMap, "Evil.unr"}, Hostile{"C:\\x", "Evil.unr", kMap, "Evil.unr"},
                      Hostile{"C:x", "Evil.unr", kMap, "Evil.unr"}, Hostile{"a/b", "Evil.unr", kMap, "Evil.unr"},
                      Hostile{"..", "Evil.unr", kMap, "Evil.unr"}, Hostile{".", "Evil.unr", kMap, "Evil.unr"},
                      Hostile{"", "Evil.unr", kMap, "Evil.unr"}, Hostile{"a\tb", "Evil.unr", kMap, "Evil.unr"}));

INSTANTIATE_TEST_SUITE_P(Names, HostileEntry,
                         ::testing::Values(Hostile{"K1", "..\\..\\x.unr", kMap, "..\\..\\x.unr"},
                                           Hostile{"K1", "../../x", kMap, "../../x"},
                                           Hostile{"K1", "C:\\x", kMap, "C:\\x"},
                                           Hostile{"K1", "a/b.utx", kTex, "a/b.utx"}, Hostile{"K1", "..", kMap, ".."},
                                           Hostile{"K1", "...unr", kMap, "...unr"},
                                           Hostile{"K1", "Bad\x01Name.u", kScript, "Bad?Name.u"},
                                           Hostile{"K1", "Tab\tName.u", kScript, "Tab?Name.u"}));

using HostileRequirement = CommandTest;

TEST_F(HostileRequirement, StaysCachedWithOneMessageAndTheRestMoves)
{
    Lay({{"KM", "Arena.unr", kMap, {"Evil.utx", "C.u"}},
         {"KE", "Evil.utx", kTex},
         {"KC", "C.u", kScript, {"Evil.utx"}}});
    WriteIndex({"KM=Arena.unr", "..\\KE=Evil.utx", "KC=C.u"});
    WriteFileBytes(Path("KE.uxx"), PackageBytes(kTex, "decoy"));

    ScriptedPrompt prompt({true});
    EXPECT_TRUE(Permanent({true}, prompt));
    EXPECT_EQ(
        prompt.told,
        (std::vector<std::string>{"Left \"Evil.utx\" in the cache: its entry in cache.ini is not a plain file name."}));
    EXPECT_TRUE(Moved("Maps/Arena.unr", kMap, "KM"));
    EXPECT_TRUE(Moved("System/C.u", kScript, "KC"));
    EXPECT_EQ(ReadFileBytes(Path("KE.uxx")), PackageBytes(kTex, "decoy"));
    EXPECT_FALSE(temp.Exists("game/Textures/Evil.utx"));
    EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]", "..\\KE=Evil.utx"}));
}

}  // namespace
}  // namespace thld::test

namespace thld {
namespace {

TEST(IsPlainFileName, DeviceNamesAndPathsAreNoFileNames)
{
    for (const char* name : {"CON", "con.uxx", "NUL", "Nul.unr", "AUX", "PRN ", "COM1", "lpt9.u", "", ".", ".."})
        EXPECT_FALSE(IsPlainFileName(name)) << name;
    for (const char* name :
         {"CONSOLE", "COM0", "COM10", "NULL.utx", "DM-Deck16][", "A6638EF14E32E94521ABF891A3650263", "..x", "x.."})
        EXPECT_TRUE(IsPlainFileName(name)) << name;
}

}  // namespace
}  // namespace thld
