// Names compared without regard to case, in every script Unicode folds.
#include <gtest/gtest.h>

#include "platform/case_fold.h"

namespace thld {
namespace {

TEST(CaseFold, EqualsTheNamesOfOneLetterInEitherCase)
{
    struct Case {
        const char* a;
        const char* b;
        bool equal;
    };
    const Case cases[] = {
        {"DM-Deck16][", "dm-deck16][", true},
        {"DM-Флюкс", "dm-флюкс", true},
        {"ÉCLAIR À LA CRÈME", "éclair à la crème", true},
        {"ΣΟΦΊΑ", "σοφία", true},
        {"ŁÓDŹ", "łódź", true},
        {"ŸES", "ÿes", true},
        {"Ա", "ա", true},
        {"ＡＢ", "ａｂ", true},
        {"STRASSE", "straße", false},  // only one letter for one: ß stays itself
        {"ẞ", "ß", true},
        {"İ", "i", false},  // the dotted capital has no simple folding
        {"Flux", "Flüx", false},
        // Bytes that are no UTF-8 stay as they are; ASCII letters beside them still fold.
        {"Caf\xE9", "CAF\xE9", true},
        {"Caf\xE9", "Caf\xC9", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EqualIgnoringCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
}

}  // namespace
}  // namespace thld
