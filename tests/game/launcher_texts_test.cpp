// The launchers' text formats that the program reads itself (Lutris's YAML: lutris_game_posix_test),
// read as untrusted input: what each escape means, and a reason, never a crash, for text that is
// hostile.
#include <gtest/gtest.h>

#include "game/json_text.h"
#include "game/key_values_text.h"
#include "game/wine_registry.h"

namespace thld {
namespace {

TEST(LauncherTexts, EscapesReadAsTheLaunchersWriteThem)
{
    JsonText json = ReadJsonText(R"({"a": "\u00e9\ud83d\ude00\"\\\/", "b": [1, true, null]})");
    EXPECT_EQ(json.error, "");
    EXPECT_EQ(json.value.StringMember("a"), "\xC3\xA9\xF0\x9F\x98\x80\"\\/");

    KeyValuesText vdf = ReadKeyValuesText("// comment\n\"A\" { \"Path\" \"C:\\\\Games\\\\\\\"x\\\"\" bare value }");
    ASSERT_EQ(vdf.values.size(), 2u);
    EXPECT_EQ(vdf.values[0].keys, (std::vector<std::string>{"a", "path"}));
    EXPECT_EQ(vdf.values[0].value, "C:\\Games\\\"x\"");
    EXPECT_EQ(vdf.values[1].value, "value");

    WineRegistryText reg = ReadWineRegistryText(
        "WINE REGISTRY Version 2\n[Software\\\\A\\\\B] 1\n\"V\"=str(2):\"a\\\\b\\x00e9\\\n "
        "c\"\n[Software\\\\A\\\\B\\\\C] 2\n");
    EXPECT_EQ(reg.error, "");
    EXPECT_EQ(reg.registry.Value("software\\a\\b", "v"),
              "a\\b\xC3\xA9"
              "c");
    EXPECT_EQ(reg.registry.Subkeys("Software\\A\\B"), std::vector<std::string>{"C"});
}

TEST(LauncherTexts, HostileTextsEndWithAReason)
{
    struct Case {
        const char* what;
        std::string text;
        std::string (*read)(const std::string&);
    };
    const auto json = +[](const std::string& text) { return ReadJsonText(text).error; };
    const auto vdf = +[](const std::string& text) { return ReadKeyValuesText(text).error; };
    const auto reg = +[](const std::string& text) { return ReadWineRegistryText(text).error; };
    const std::vector<Case> cases = {
        {"JSON nested a million deep", std::string(1000000, '['), json},
        {"a JSON string that never closes", "{\"a\": \"b", json},
        {"a bad \\u escape", "\"\\u12\"", json},
        {"text after the value", "{} {}", json},
        {"a VDF that never closes", "\"a\" { \"b\" { \"c\" \"d\"", vdf},
        {"a VDF nested a million deep", std::string(1000000, '{'), vdf},
        {"VDF blocks nested deeper than any Steam writes",
         [] {
             std::string deep;
             for (int i = 0; i < 1000; ++i)
                 deep += "\"k\" { ";
             return deep;
         }(),
         vdf},
        {"a stray closing brace", "}", vdf},
        {"a .reg without its header", "REGEDIT4\n", reg},
    };
    for (const Case& c : cases)
        EXPECT_NE(c.read(c.text), "") << c.what;
}

}  // namespace
}  // namespace thld
