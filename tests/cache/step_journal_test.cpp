#include <gtest/gtest.h>

#include "cache/step_journal.h"

namespace thld {
namespace {

const StepJournal kMove{StepJournal::Kind::Move,           "KEY=Map=1.unr",     "/c/KEY.uxx",
                        "/g/Maps/Map=1.unr.tallyhold-old", "/g/Maps/Map=1.unr", "/g/"};

TEST(StepJournal, ReadsBackAsWrittenWhateverTheFieldsHold)
{
    StepJournal odd = kMove;
    odd.gameFolder = "/g\nline\r%41\x7f/";
    const StepJournal back{StepJournal::Kind::Return, "G=M.u", "/c/G.uxx", "", "/g/System/M.u", "/g/"};
    for (const StepJournal& record : {kMove, odd, back, StepJournal{}})
        EXPECT_EQ(ParseStepJournal(EncodeStepJournal(record)), record);
}

// Bytes that are not one whole record, made from a whole one.
struct Broken {
    const char* what;
    std::string bytes;
};
void PrintTo(const Broken& broken, std::ostream* out) { *out << broken.what; }

std::string Whole() { return EncodeStepJournal(kMove); }
std::string Replaced(std::string text, std::string_view from, std::string_view to)
{
    text.replace(text.find(from), from.size(), to);
    return text;
}

class StepJournalRefused : public ::testing::TestWithParam<Broken> {};
TEST_P(StepJournalRefused, IsNoRecord) { EXPECT_FALSE(ParseStepJournal(GetParam().bytes)); }
INSTANTIATE_TEST_SUITE_P(
    , StepJournalRefused,
    ::testing::Values(Broken{"empty", ""}, Broken{"cut short", Whole().substr(0, Whole().size() - 4)},
                      Broken{"no last line end", Whole().substr(0, Whole().size() - 1)},
                      Broken{"bytes after the end", Whole() + "x\n"},
                      Broken{"another first line", Replaced(Whole(), "step 1", "step 2")},
                      Broken{"unknown step", Replaced(Whole(), "step=move", "step=copy")},
                      Broken{"unknown field", Replaced(Whole(), "game=", "folder=")},
                      Broken{"field twice", Replaced(Whole(), "game=/g/", "source=/g/")},
                      Broken{"field missing", Replaced(Whole(), "game=/g/\n", "")},
                      Broken{"bad escape", Replaced(Whole(), "/g/Maps/Map=1.unr\n", "/g/%4\n")},
                      Broken{"lower-case escape", Replaced(Whole(), "/g/Maps/Map=1.unr\n", "/g/%4a\n")},
                      Broken{"field too long", Replaced(Whole(), "game=/g/", "game=" + std::string(9000, 'x'))},
                      Broken{"too long", Whole() + std::string(kMaxStepJournalBytes, '\n')}),
    [](const auto& info) {
        std::string name;
        for (char c : std::string(info.param.what))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

}  // namespace
}  // namespace thld
