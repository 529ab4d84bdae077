#include <gtest/gtest.h>

#include "cache/cache_guard.h"
#include "cache/step_record.h"

namespace thld {
namespace {

const StepRecord kMove{StepRecord::Kind::Move, "KEY=Map=1.unr",
                       "/c/KEY.uxx",           "/g/Maps/Map=1.unr.tallyhold-old",
                       "/g/Maps/Map=1.unr",    "/g/"};

TEST(StepRecord, ReadsBackAsWrittenWhateverTheFieldsHold)
{
    StepRecord odd = kMove;
    odd.gameFolder = "/g\nline\r%41\x7f/";
    const StepRecord back{StepRecord::Kind::Return, "G=M.u", "/c/G.uxx", "", "/g/System/M.u", "/g/"};
    for (const StepRecord& record : {kMove, odd, back, StepRecord{}})
        EXPECT_EQ(ParseStepRecord(EncodeStepRecord(record)), record);
}

// Bytes that are not one whole record, made from a whole one.
struct Broken {
    const char* what;
    std::string bytes;
};
void PrintTo(const Broken& broken, std::ostream* out) { *out << broken.what; }

std::string Whole() { return EncodeStepRecord(kMove); }
std::string Replaced(std::string text, std::string_view from, std::string_view to)
{
    text.replace(text.find(from), from.size(), to);
    return text;
}

class StepRecordRefused : public ::testing::TestWithParam<Broken> {};
TEST_P(StepRecordRefused, IsNoRecord) { EXPECT_FALSE(ParseStepRecord(GetParam().bytes)); }
INSTANTIATE_TEST_SUITE_P(
    , StepRecordRefused,
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
                      Broken{"too long", Whole() + std::string(kMaxStepRecordBytes, '\n')}),
    [](const auto& info) {
        std::string name;
        for (char c : std::string(info.param.what))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

// Only the paths a step of this cache makes are acted on.
struct Claim {
    const char* what;
    StepRecord record;
    bool ofCache;
};
void PrintTo(const Claim& claim, std::ostream* out) { *out << claim.what; }

StepRecord With(StepRecord record, std::string StepRecord::*field, std::string value)
{
    record.*field = std::move(value);
    return record;
}
const StepRecord kDelete{StepRecord::Kind::Delete, "KEY=Map.unr", "/c/KEY.uxx", "/c/KEY.uxx.tallyhold-old2", "", ""};
const StepRecord kReturn{StepRecord::Kind::Return, "GUID=Mod.u", "/c/GUID.uxx", "", "/g/Music/Mod.u", "/g/"};

class StepOfCache : public ::testing::TestWithParam<Claim> {};
TEST_P(StepOfCache, OnlyItsOwnPaths)
{
    EXPECT_EQ(IsStepOfCache(GetParam().record, "/c/", "/g/"), GetParam().ofCache);
    const bool isDelete = GetParam().record.kind == StepRecord::Kind::Delete;
    EXPECT_EQ(IsStepOfCache(GetParam().record, "/c/", ""), GetParam().ofCache && isDelete) << "no game folder known";
}
INSTANTIATE_TEST_SUITE_P(
    , StepOfCache,
    ::testing::Values(
        Claim{"delete", kDelete, true}, Claim{"move", kMove, true},
        Claim{"move into a folder of other case",
              With(With(kMove, &StepRecord::destination, "/g/maps/Map=1.unr"), &StepRecord::aside, ""), true},
        Claim{"move replacing nothing", With(kMove, &StepRecord::aside, ""), true},
        Claim{"source of another key", With(kMove, &StepRecord::source, "/c/OTHER.uxx"), false},
        Claim{"key leading out",
              With(With(kDelete, &StepRecord::line, "../x=M.unr"), &StepRecord::source, "/c/../x.uxx"), false},
        Claim{"line without a key", With(kDelete, &StepRecord::line, "Map.unr"), false},
        Claim{"aside of another file", With(kDelete, &StepRecord::aside, "/c/OTHER.uxx.tallyhold-old"), false},
        Claim{"aside with a name behind", With(kDelete, &StepRecord::aside, "/c/KEY.uxx.tallyhold-oldx"), false},
        Claim{"delete naming a destination", With(kDelete, &StepRecord::destination, "/g/Maps/Map.unr"), false},
        Claim{"another game folder",
              With(With(kMove, &StepRecord::gameFolder, "/h/"), &StepRecord::destination, "/h/Maps/Map=1.unr"), false},
        Claim{"outside the game's folders", With(kMove, &StepRecord::destination, "/g/Other/Map=1.unr"), false},
        Claim{"below a folder of the game", With(kMove, &StepRecord::destination, "/g/Maps/x/Map=1.unr"), false},
        Claim{"another name", With(kMove, &StepRecord::destination, "/g/Maps/Other.unr"), false},
        Claim{"the kind's folder with another extension", With(kMove, &StepRecord::destination, "/g/Maps/Map=1.u"),
              false},
        Claim{"replaced file aside elsewhere", With(kMove, &StepRecord::aside, "/g/Maps/x.tallyhold-old"), false},
        Claim{"return from any folder of the game", kReturn, true},
        Claim{"return of another name", With(kReturn, &StepRecord::destination, "/g/Music/Other.u"), false},
        Claim{"return from the game folder itself", With(kReturn, &StepRecord::destination, "/g/Mod.u"), false},
        Claim{"return from below a folder", With(kReturn, &StepRecord::destination, "/g/Music/x/Mod.u"), false},
        Claim{"return from another game folder",
              With(With(kReturn, &StepRecord::gameFolder, "/h/"), &StepRecord::destination, "/h/Music/Mod.u"), false},
        Claim{"return with an aside", With(kReturn, &StepRecord::aside, "/c/GUID.uxx.tallyhold-old"), false}),
    [](const auto& info) {
        std::string name;
        for (char c : std::string(info.param.what))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

}  // namespace
}  // namespace thld
