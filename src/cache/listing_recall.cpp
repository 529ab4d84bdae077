#include "cache/listing_recall.h"

#include <algorithm>

#include "cache/size_text.h"

namespace thld {

namespace {

// What the memo keeps: every answer that depends on the file alone.
bool MayKeep(const PackageItem& item)
{
    if (item.kind == kind::NotAvailable || item.kind == kind::Unknown)
        return false;
    return item.summary.tables == PackageTables::Read || (item.kind != kind::Map && item.kind != kind::Script);
}

std::int64_t Seconds(std::int64_t nanoseconds)
{
    return nanoseconds >= 0 ? nanoseconds / 1000000000 : -((-nanoseconds + 999999999) / 1000000000);
}

}  // namespace

ListingRecall::ListingRecall(const FilesToProbe& files, const MemoPlace* place)
    : files_(files), place_(place), known_(files.size(), Known::No)
{
    if (place_)
        memo_ = LoadMemo(place_->path, place_->cacheFolder);
}

void ListingRecall::ReadFolder()
{
    if (place_)
        stamps_ = FolderStamps::Read(files_.folder);
}

const FileStamp* ListingRecall::StampOf(std::size_t e)
{
    if (!stamps_ || !files_[e].open || !files_[e].classify)
        return nullptr;
    files_.NameOf(e, name_);
    return stamps_->Find(name_);
}

bool ListingRecall::AnswerFor(std::size_t e, const FileStamp& stamp, PackageItem& item)
{
    std::optional<MemoEntry> entry = memo_ ? memo_->Find(name_, stamp) : std::nullopt;
    if (!entry && place_->contentsWanted)
        return false;
    item.kind = entry ? entry->kind : kind::Unknown;
    item.size = stamp.size;
    item.modified = Seconds(stamp.written);
    item.sizeText = SizeTextOf(stamp.size);
    if (entry) {
        item.summary = std::move(entry->summary);
        known_[e] = Known::Remembered;
    }
    return true;
}

bool ListingRecall::AnswerAhead(std::size_t e, PackageItem& item)
{
    if (!place_ || !place_->contentsWanted || !memo_ || !files_[e].open || !files_[e].classify)
        return false;
    files_.NameOf(e, name_);
    const std::optional<FileStamp> stamp = ReadFileStamp(files_.folder, name_);
    if (!stamp || !stamp->regular || !AnswerFor(e, *stamp, item))
        return false;
    known_[e] = Known::AnsweredAhead;
    ahead_.emplace_back(e, *stamp);
    return true;
}

bool ListingRecall::Answer(std::size_t e, PackageItem& item)
{
    if (known_[e] == Known::AnsweredAhead) {
        const FileStamp* stamp = StampOf(e);
        const auto ahead = std::find_if(ahead_.begin(), ahead_.end(), [&](const auto& at) { return at.first == e; });
        known_[e] = stamp && *stamp == ahead->second ? Known::Remembered : Known::No;
        return true;
    }
    if (!stamps_ || !files_[e].open || !files_[e].classify)
        return false;
    const FileStamp* stamp = StampOf(e);
    if (!stamp) {
        // The folder holds nothing of its name: a line whose file is gone.
        item.kind = kind::NotAvailable;
        return true;
    }
    return stamp->regular && AnswerFor(e, *stamp, item);
}

void ListingRecall::Read(std::size_t e, const PackageItem& item)
{
    const FileStamp* stamp = StampOf(e);
    // Kept only when the file the listing opened is the one the folder showed.
    if (!stamp || !stamp->regular || !MayKeep(item) || stamp->size != item.size ||
        Seconds(stamp->written) != item.modified)
        return;
    known_[e] = Known::Read;
    ++read_;
}

void ListingRecall::Keep(const std::vector<PackageItem>& items)
{
    struct LetGo {
        ListingRecall& recall;
        ~LetGo()
        {
            recall.memo_.reset();
            recall.stamps_.reset();
        }
    } letGo{*this};
    if (!place_ || !stamps_)
        return;
    std::vector<std::size_t> kept;
    for (std::size_t e = 0; e < known_.size() && e < items.size(); ++e)
        if (known_[e] != Known::No)
            kept.push_back(e);
    if (read_ == 0 && memo_ && memo_->size() == kept.size())
        return;  // the memo holds what this listing knows
    // A file named by two lines is kept once.
    std::sort(kept.begin(), kept.end(), [&](std::size_t a, std::size_t b) { return files_[a].name < files_[b].name; });
    kept.erase(std::unique(kept.begin(), kept.end(),
                           [&](std::size_t a, std::size_t b) { return files_[a].name == files_[b].name; }),
               kept.end());
    if (read_ == 0 && memo_ && memo_->size() == kept.size())
        return;  // the memo holds what this listing knows
    MemoWriter writer(place_->cacheFolder);
    for (std::size_t e : kept) {
        const FileStamp* stamp = StampOf(e);
        writer.Add(name_, *stamp, items[e].kind, items[e].summary);
    }
    SaveMemo(place_->path, writer.Finish());
}

}  // namespace thld
