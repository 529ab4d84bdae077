// The memo never gives an answer that reading the files would not: whatever happened to a file or
// to the memo since, a listing with the memo equals one without, and files the memo holds in their
// present state are not opened.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <mutex>

#include "cache/cache_listing.h"
#include "cache/listing_memo.h"
#include "cache/requirements.h"
#include "platform/canonical_folder.h"
#include "platform/file_fault.h"
#include "support/fake_cache.h"
#include "support/made_package.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

namespace fs = std::filesystem;
using test::GuidKey;
using test::MadeGuid;
using test::PackageImporting;

const MadeGuid kMap{1, 0, 0, 1}, kTex{2, 0, 0, 2}, kScript{3, 0, 0, 3}, kNew{4, 0, 0, 4};

// What a listing tells of each item, the memo's part of it included.
struct Told {
    std::string name, kind;
    std::uint64_t size;
    std::int64_t modified;
    PackageSummary summary;
    std::vector<std::string> requirements;
    bool operator==(const Told&) const = default;
};
void PrintTo(const Told& t, std::ostream* out) { *out << t.name << " " << t.kind << " " << t.size; }

struct MemoCache {
    MemoCache()
    {
        temp.MakeFolder("cache");
        temp.MakeFolder("memo");
        Write(kMap, PackageImporting(kind::Map, kMap, {"Tex", "Core"}));
        Write(kTex, PackageImporting(kind::Textures, kTex, {"Core"}));
        Write(kScript, PackageImporting(kind::Script, kScript, {"Tex"}));
        test::WriteIndex(cache,
                         {GuidKey(kMap) + "=DM-Map.unr", GuidKey(kTex) + "=Tex.utx", GuidKey(kScript) + "=Mod.u"});
        place = MemoPlace{MemoPathOf(temp / "memo/", *CanonicalFolder(cache)), *CanonicalFolder(cache)};
    }

    void Write(const MadeGuid& guid, const std::string& bytes) { temp.Write("cache/" + GuidKey(guid) + ".uxx", bytes); }
    std::string FileOf(const MadeGuid& guid) const { return cache + GuidKey(guid) + ".uxx"; }

    // The listing, with the memo or without, and the cached files it opened.
    std::vector<Told> List(const MemoPlace* memo, std::size_t* opened = nullptr)
    {
        std::mutex mutex;
        std::size_t opens = 0;
        const DiskFaultHook previous = SetDiskFaultHook([&](DiskStep step, const std::string& path) {
            if (step == DiskStep::OpenRead && path.ends_with(".uxx")) {
                const std::lock_guard lock(mutex);
                ++opens;
            }
            return std::optional<FileErrorCause>();
        });
        // Rows shown as they come (the first ones answered ahead of the folder's reading) are the
        // listing's own.
        std::vector<std::string> shown;
        const ItemListed listed = [&](const PackageItem& item) {
            shown.push_back(item.name + " " + std::string(item.kind));
        };
        std::vector<PackageItem> items =
            ListCacheIndex(cache, kRegionReadSize, ProbeThreads::Auto, {}, listed, memo).items;
        SetDiskFaultHook(previous);
        std::vector<std::string> listedRows;
        for (const PackageItem& item : items)
            listedRows.push_back(item.name + " " + std::string(item.kind));
        EXPECT_EQ(shown, listedRows);
        DetermineRelationships(cache, items);
        if (opened)
            *opened = opens;
        std::vector<Told> told;
        for (const PackageItem& item : items)
            told.push_back(
                {item.name, std::string(item.kind), item.size, item.modified, item.summary, item.requirements});
        return told;
    }

    test::TempFolder temp;
    const std::string cache = temp / "cache/";
    MemoPlace place;
};

TEST(ListingMemo, AnswersAsTheFilesDoWhateverChanged)
{
    struct Case {
        const char* what;
        std::function<void(MemoCache&)> change;
        std::size_t opened;  // cached files opened by the listing with the memo
    };
    auto oldTime = [](MemoCache& t) { return fs::last_write_time(test::FsPath(t.FileOf(kTex))); };
    const std::vector<Case> cases = {
        {"nothing", [](MemoCache&) {}, 0},
        {"a file added",
         [](MemoCache& t) {
             t.Write(kNew, PackageImporting(kind::Script, kNew, {"Mod"}));
             test::WriteIndex(t.cache, {GuidKey(kMap) + "=DM-Map.unr", GuidKey(kTex) + "=Tex.utx",
                                        GuidKey(kScript) + "=Mod.u", GuidKey(kNew) + "=New.u"});
         },
         1},
        {"a file removed", [](MemoCache& t) { fs::remove(test::FsPath(t.FileOf(kScript))); }, 0},
        {"a file of another size",
         [](MemoCache& t) {
             t.Write(kTex, PackageImporting(kind::Textures, kTex, {"Core", "Engine"}));
         },
         1},
        {"a file rewritten in its place, its size and time kept",
         [&](MemoCache& t) {
             const auto time = oldTime(t);
             std::string bytes = PackageImporting(kind::Textures, kTex, {"Eore"});
             t.Write(kTex, bytes);
             fs::last_write_time(test::FsPath(t.FileOf(kTex)), time);
         },
         1},
        {"another file of the same size and time in its place",
         [&](MemoCache& t) {
             const auto time = oldTime(t);
             t.temp.Write("other", PackageImporting(kind::Textures, kTex, {"Fore"}));
             fs::last_write_time(test::FsPath(t.temp / "other"), time);
             fs::rename(test::FsPath(t.temp / "other"), test::FsPath(t.FileOf(kTex)));
         },
         1},
        {"the memo cut short",
         [](MemoCache& t) { fs::resize_file(test::FsPath(t.place.path), fs::file_size(t.place.path) - 9); }, 3},
        {"garbage for a memo",
         [](MemoCache& t) { t.temp.Write("memo/" + fs::path(t.place.path).filename().string(), "THLDMEMO garbage"); },
         3},
        {"a memo of a newer format",
         [](MemoCache& t) {
             std::string bytes = t.temp.Read("memo/" + fs::path(t.place.path).filename().string());
             bytes[8] = 2;
             t.temp.Write("memo/" + fs::path(t.place.path).filename().string(), bytes);
         },
         3},
        {"a memo of another cache folder",
         [](MemoCache& t) {
             t.temp.MakeFolder("copy");
             for (const auto& entry : fs::directory_iterator(test::FsPath(t.cache)))
                 fs::copy(entry.path(), test::FsPath(t.temp / "copy") / entry.path().filename());
             const MemoPlace copy{MemoPathOf(t.temp / "memo/", *CanonicalFolder(t.temp / "copy/")),
                                  *CanonicalFolder(t.temp / "copy/")};
             ListCacheIndex(t.temp / "copy/", kRegionReadSize, ProbeThreads::Auto, {}, {}, &copy);
             fs::remove(test::FsPath(t.place.path));
             fs::copy_file(test::FsPath(copy.path), test::FsPath(t.place.path));
         },
         3},
        {"a folder in the memo's place",
         [](MemoCache& t) {
             fs::remove(test::FsPath(t.place.path));
             fs::create_directory(test::FsPath(t.place.path));
         },
         3},
#ifndef _WIN32  // Wine makes no links
        {"a link in the memo's place",
         [](MemoCache& t) {
             fs::rename(test::FsPath(t.place.path), test::FsPath(t.temp / "elsewhere.memo"));
             fs::create_symlink(test::FsPath(t.temp / "elsewhere.memo"), test::FsPath(t.place.path));
         },
         3},
#endif
        {"a memo folder that can't be made",
         [](MemoCache& t) {
             t.temp.Write("blocked", "a file");
             t.place.path = t.temp / "blocked/listing.memo";
         },
         3},
    };
    for (const Case& c : cases) {
        MemoCache t;
        t.List(&t.place);  // the memo of the files as they were
        c.change(t);
        std::size_t opened = 0;
        const std::vector<Told> withMemo = t.List(&t.place, &opened);
        EXPECT_EQ(withMemo, t.List(nullptr)) << c.what;
        EXPECT_EQ(opened, c.opened) << c.what;
        // The listing after it answers from a memo written anew, where one can be written.
        std::size_t after = 0;
        EXPECT_EQ(t.List(&t.place, &after), withMemo) << c.what;
        const bool written = fs::is_regular_file(fs::symlink_status(test::FsPath(t.place.path)));
        EXPECT_EQ(after, written ? 0u : 3u) << c.what;
    }
}

}  // namespace
}  // namespace thld
