// Names outside any code page (Japanese, an emoji) in a cache.ini of Unicode, UTF-8 or UTF-16LE after
// its mark: listed, required, deleted and made permanent under those very names on disk.
#include "commands/command_fixture.h"
#include "game/cache_contents.h"
#include "package/package_kind.h"
#include "platform/utf16.h"
#include "support/fake_cache.h"
#include "support/kinds.h"

namespace thld::test {
namespace {

using Texts = std::vector<std::string>;

const std::string kMapName = "\xE3\x83\x9E\xE3\x83\x83\xE3\x83\x97";  // マップ
const std::string kSmile = "\xF0\x9F\x98\x80";                        // U+1F600
const std::string kErase = "\xE6\xB6\x88\xE3\x81\x99";                // 消す
const std::string kMapKey = "\xE3\x82\xAD\xE3\x83\xBC";               // キー

std::string Utf8File(const std::string& text) { return "\xEF\xBB\xBF" + text; }

std::string Utf16File(const std::string& text)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : Utf8ToUtf16(text)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

class UnicodeNames : public CommandTest, public ::testing::WithParamInterface<std::string (*)(const std::string&)> {
protected:
    std::string Encoded(const std::string& text) const { return GetParam()(text); }
    Texts Listed()
    {
        items = ListCacheContents(folders, InstalledCopies::Skip).listing.items;
        Texts names;
        for (const PackageItem& item : items)
            names.push_back(item.name);
        return names;
    }
};

TEST_P(UnicodeNames, AreListedDeletedAndMadePermanentUnderTheirNames)
{
    // The map's name table, near its start, names the texture package.
    const std::string mapBytes = "\xC1\x83\x2A\x9E" + KindWords(kMap) + LengthPrefixed(kSmile) + '\0' + kMapName;
    WriteFileBytes(CachedPath(kMapKey), mapBytes);
    WriteFileBytes(CachedPath("K2"), PackageBytes(kTex, "K2"));
    WriteFileBytes(CachedPath("K3"), PackageBytes(kScript, "K3"));
    WriteFileBytes(folders.cacheFolder + "cache.ini", Encoded("[Cache]\r\n" + kMapKey + "=" + kMapName + ".unr\r\nK2=" +
                                                              kSmile + ".utx\r\nK3=" + kErase + ".u\r\n\r\n"));

    ASSERT_EQ(Listed(), (Texts{kMapName + ".unr", kSmile + ".utx", kErase + ".u"}));
    EXPECT_EQ(items[0].key, kMapKey);
    EXPECT_EQ(items[0].requirements, Texts{kSmile + ".utx"});

    ScriptedPrompt deleteYes({true});
    EXPECT_TRUE(Delete({false, false, true}, deleteYes));
    EXPECT_EQ(deleteYes.questions.at(0).message, "Are you sure you want to delete this file?\r\n\r\n" + kErase + ".u");
    EXPECT_FALSE(temp.Exists("game/cache/K3.uxx"));
    ASSERT_EQ(Listed(), (Texts{kMapName + ".unr", kSmile + ".utx"}));

    ScriptedPrompt permanentYes({true});
    EXPECT_TRUE(Permanent({true, false}, permanentYes));
    EXPECT_EQ(ReadFileBytes(Path("Maps/" + kMapName + ".unr")), mapBytes);
    EXPECT_EQ(ReadFileBytes(Path("Textures/" + kSmile + ".utx")), PackageBytes(kTex, "K2"));
    EXPECT_FALSE(temp.Exists("game/cache/" + kMapKey + ".uxx"));
    EXPECT_FALSE(temp.Exists("game/cache/K2.uxx"));
    EXPECT_EQ(Listed(), Texts{});
    EXPECT_EQ(ReadFileBytes(folders.cacheFolder + "cache.ini"), Encoded("[Cache]\r\n\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Utf8AndUtf16, UnicodeNames, ::testing::Values(&Utf8File, &Utf16File));

}  // namespace
}  // namespace thld::test
