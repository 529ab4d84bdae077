// The record of a step (or of a batch) on any bytes, read back by a program that starts on the
// cache: what reads as records must write back to the same records, and whatever they say, the settling
// never touches cache.ini, nor a file outside the game folder, nor a cached package whose line is
// in cache.ini and that no step has taken aside. "@" in the input stands for the folder of the run,
// so that records naming its files can be found.

#include <cstdint>
#include <filesystem>
#include <string>

#include "cache/cache_guard.h"
#include "cache/step_journal.h"
#include "fuzz_folder.h"

namespace thld::fuzz {
namespace {

constexpr std::string_view kIndex = "[Cache]\r\nK1=One.unr\r\nK2=Two.utx\r\n\r\n";

void CheckOneInput(std::string_view input)
{
    if (auto record = ParseStepJournal(input))
        Require(ParseStepJournal(EncodeStepJournal(*record)) == record, "a record reads back as itself");
    if (auto records = ParseStepJournals(input))
        Require(ParseStepJournals(EncodeStepJournals(*records)) == records, "a batch reads back as itself");

    EmptyFuzzFolder();
    const std::string& root = FuzzFolder();
    const std::string game = root + "game/";
    const std::string cache = game + "cache/";
    std::filesystem::create_directories(cache);
    std::filesystem::create_directories(game + "Maps");
    WriteBytes(root + "outside", "not the game's");
    WriteBytes(cache + "cache.ini", kIndex);
    WriteBytes(cache + "K1.uxx", "one");
    WriteBytes(cache + "K2.uxx.tallyhold-old", "two, aside");
    WriteBytes(game + "Maps/Other.unr", "another map");
    std::string bytes;
    for (char c : input) {
        if (c == '@')
            bytes += root;
        else
            bytes += c;
    }
    WriteBytes(cache + kStepJournalFileName, bytes);

    RecoverCacheIfIdle({cache, game, {}});

    Require(ReadBytes(root + "outside") == "not the game's", "nothing outside the game folder is touched");
    Require(ReadBytes(cache + "cache.ini") == kIndex, "cache.ini is never written by the settling");
    Require(ReadBytes(cache + "K1.uxx") == "one", "a cached package with its line stays");
    Require(ReadBytes(root + "game/Maps/Other.unr") == "another map", "a file of the game no step made stays");
}

}  // namespace
}  // namespace thld::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    thld::fuzz::CheckOneInput(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
