#include "game/game_folder.h"
#include "game/installation.h"

#include <gtest/gtest.h>

#include <vector>

namespace thld {
namespace {

TEST(GameFolderText, FoldersFromTheStoredValue)
{
    struct Case {
        std::string value, gameFolder, cacheFolder;
    };
    const std::vector<Case> cases = {
        {"C:\\UnrealTournament", "C:\\UnrealTournament\\", "C:\\UnrealTournament\\cache\\"},
        {"C:\\UnrealTournament\\", "C:\\UnrealTournament\\", "C:\\UnrealTournament\\cache\\"},
        {"C:\\", "C:\\", "C:\\cache\\"},
        {"", "\\", "\\cache\\"},
        {std::string("C:\\UT\0old text", 13), "C:\\UT\\", "C:\\UT\\cache\\"},
        {std::string("\0", 1), "\\", "\\cache\\"},
    };
    for (const Case& c : cases) {
        std::string game = GameFolderFromValue(c.value, '\\');
        EXPECT_EQ(game, c.gameFolder) << c.value;
        EXPECT_EQ(CacheFolderOf(game), c.cacheFolder) << c.value;
    }
    // Elsewhere the folder ends in the system's separator.
    EXPECT_EQ(GameFolderFromValue("/home/player/ut", '/'), "/home/player/ut/");
    EXPECT_EQ(GameFolderFromValue("/home/player/ut/", '/'), "/home/player/ut/");
}

TEST(GameFolderText, StoredValueDropsOneSeparator)
{
    EXPECT_EQ(StoredValueOf("D:\\Games\\UT\\", '\\'), "D:\\Games\\UT");
    EXPECT_EQ(StoredValueOf("C:\\\\", '\\'), "C:\\");
    EXPECT_EQ(StoredValueOf("D:\\UT", '\\'), "D:\\UT");
    EXPECT_EQ(StoredValueOf("/home/player/ut/", '/'), "/home/player/ut");
    EXPECT_EQ(StoredValueOf("//", '/'), "/");
}

// A Windows path in the system's own separator.
std::string P(std::string path)
{
    for (char& c : path) {
        if (c == '\\')
            c = kPathSeparator;
    }
    return path;
}

class FakeEntry : public GameEntryStore {
public:
    bool keyExists = true;
    std::optional<std::string> value;
    bool writable = true;
    int reads = 0;
    std::vector<std::string> written;

    GameEntryRead Read() override
    {
        ++reads;
        GameEntryRead read;
        if (!keyExists)
            read.result = GameEntryRead::Result::NoKey;
        else if (!value)
            read.result = GameEntryRead::Result::NoValue;
        else {
            read.result = GameEntryRead::Result::Read;
            read.bytes = *value + '\0';
        }
        return read;
    }
    bool Write(const std::string& text) override
    {
        written.push_back(text);
        if (!writable)
            return false;
        keyExists = true;
        value = text;
        return true;
    }
};

class ScriptedPicker : public FolderPicker {
public:
    std::vector<std::optional<std::string>> answers;
    std::vector<std::string> titles;
    std::optional<std::string> Pick(const std::string& title) override
    {
        titles.push_back(title);
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
};

// The windows' way of finding the game: a stored folder is taken even where it is gone, and while
// nothing is stored the user is told why and asked.
class AskingForTheGameFolder : public ::testing::Test {
protected:
    FakeEntry entry;
    ScriptedPicker picker;
    std::vector<GameEntryRead::Result> told;  // how the store was found, each time the user was told
    bool goOn = true;                         // the user's answer to the box before the picker
    FolderAsking asking{picker, [this](GameEntryRead::Result read) {
                            told.push_back(read);
                            return goOn;
                        }};

    std::optional<std::string> Find()
    {
        InstallationRequest request;
        request.acceptGoneFolder = true;
        request.ask = &asking;
        InstallationSearch search = FindInstallation(entry, SearchPlaces(), request);
        if (!search.found)
            return std::nullopt;
        return search.found->folders.gameFolder;
    }
};

TEST_F(AskingForTheGameFolder, AReadableEntryAsksNothing)
{
    entry.value = P("C:\\UnrealTournament");
    EXPECT_EQ(Find(), P("C:\\UnrealTournament\\"));
    EXPECT_TRUE(told.empty());
    EXPECT_TRUE(picker.titles.empty());
}

TEST_F(AskingForTheGameFolder, MissingKeyThenCancelledPickerFindsNothingAndWritesNothing)
{
    entry.keyExists = false;
    EXPECT_EQ(Find(), std::nullopt);
    EXPECT_EQ(told, std::vector<GameEntryRead::Result>{GameEntryRead::Result::NoKey});
    EXPECT_EQ(picker.titles, std::vector<std::string>{"Select UT Folder (ex. C:\\UnrealTournament)"});
    EXPECT_TRUE(entry.written.empty());
}

TEST_F(AskingForTheGameFolder, CancelInTheBoxBeforeThePickerFindsNothingAndOpensNoPicker)
{
    entry.keyExists = false;
    goOn = false;
    EXPECT_EQ(Find(), std::nullopt);
    EXPECT_EQ(told, std::vector<GameEntryRead::Result>{GameEntryRead::Result::NoKey});
    EXPECT_TRUE(picker.titles.empty());
    EXPECT_TRUE(entry.written.empty());
}

TEST_F(AskingForTheGameFolder, MissingValueThenAChoiceIsStoredAndReadBack)
{
    picker.answers = {P("D:\\Games\\UT\\")};
    EXPECT_EQ(Find(), P("D:\\Games\\UT\\"));
    EXPECT_EQ(told, std::vector<GameEntryRead::Result>{GameEntryRead::Result::NoValue});
    EXPECT_EQ(entry.written, std::vector<std::string>{P("D:\\Games\\UT")});
    EXPECT_EQ(entry.reads, 2);
}

TEST_F(AskingForTheGameFolder, AChoiceThatCannotBeStoredIsUsedForThisRun)
{
    entry.keyExists = false;
    entry.writable = false;
    picker.answers = {P("C:\\\\")};
    EXPECT_EQ(Find(), P("C:\\"));
    EXPECT_EQ(told.size(), 1u);
    EXPECT_EQ(picker.titles.size(), 1u);
    EXPECT_EQ(entry.written, std::vector<std::string>{P("C:\\")});
}

TEST_F(AskingForTheGameFolder, AChoiceIsWrittenAndSaysWhetherItWasStored)
{
    entry.value = P("C:\\Old");
    picker.answers = {P("C:\\New\\"), P("E:\\UT\\")};
    auto choice = SelectGameFolder(entry, picker);
    ASSERT_TRUE(choice);
    EXPECT_TRUE(choice->stored);
    EXPECT_EQ(Find(), P("C:\\New\\"));

    entry.writable = false;
    choice = SelectGameFolder(entry, picker);
    ASSERT_TRUE(choice);
    EXPECT_FALSE(choice->stored);
    EXPECT_EQ(choice->value, P("E:\\UT"));
}

}  // namespace
}  // namespace thld
