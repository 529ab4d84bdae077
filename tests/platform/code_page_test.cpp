// Names are shown through one rule per system: valid UTF-8 as it is, any other byte as the system
// reads it (Latin-1 where names are the game's bytes, U+FFFD on Windows, whose text is UTF-8).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/code_page.h"

namespace thld {
namespace {

// A stray byte as shown: its Latin-1 character (given in UTF-8), or U+FFFD on Windows.
std::string Stray([[maybe_unused]] const std::string& latin1)
{
#ifdef _WIN32
    return "\xEF\xBF\xBD";
#else
    return latin1;
#endif
}

TEST(UnicodeText, KeepsUtf8AndReadsEveryOtherByteByTheSystemsRule)
{
    struct Case {
        std::string raw;
        std::vector<std::string> shown;  // in pieces
    };
    for (const Case& c : std::vector<Case>{
             {"DM-Plain.unr", {"DM-Plain.unr"}},
             {"Caf\xC3\xA9 \xF0\x9F\x8E\xAE.u", {"Caf\xC3\xA9 \xF0\x9F\x8E\xAE.u"}},
             {"Caf\xE9.unr", {"Caf", Stray("\xC3\xA9"), ".unr"}},
             {"\x85", {Stray("\xC2\x85")}},
             {"A\xC3", {"A", Stray("\xC3\x83")}},                                          // a character cut short
             {"\xED\xA0\x80", {Stray("\xC3\xAD"), Stray("\xC2\xA0"), Stray("\xC2\x80")}},  // a surrogate
             {"\xC0\xAF", {Stray("\xC3\x80"), Stray("\xC2\xAF")}},                         // an overlong form
         }) {
        std::string shown;
        for (const std::string& piece : c.shown)
            shown += piece;
        EXPECT_EQ(UnicodeText(c.raw), shown) << c.raw;
    }
}

}  // namespace
}  // namespace thld
