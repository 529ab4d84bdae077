#include "qt/card_reader.h"

#include <chrono>

#include "platform/file_error.h"
#include "qt/qt_text.h"
#include "qt/thread_mailbox.h"

namespace thld {

namespace {

// Titles are handed over at most this many at a time, or sooner when reading them takes long.
constexpr std::size_t kTitlesABatch = 200;
constexpr auto kBatchTime = std::chrono::milliseconds(100);

}  // namespace

CardReader::CardReader(QObject* parent) : QObject(parent), mailbox_(ThreadMailbox::Of(this)) {}

CardReader::~CardReader()
{
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
        ++generation_;
    }
    woken_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void CardReader::Use(std::string cacheFolder, std::shared_ptr<const std::vector<PackageItem>> items,
                     std::shared_ptr<const OfflineCheck> offline)
{
    titles_.assign(offline && items ? items->size() : 0, std::nullopt);
    titlesDone_ = titles_.empty();
    {
        std::lock_guard lock(mutex_);
        ++generation_;
        cacheFolder_ = std::move(cacheFolder);
        items_ = offline ? std::move(items) : nullptr;
        offline_ = std::move(offline);
        cardAsked_.reset();
        nextTitle_ = 0;
        if (items_ && !thread_.joinable())
            thread_ = std::thread([this] { Work(); });
    }
    woken_.notify_one();
}

const MapTitle* CardReader::TitleOf(std::size_t item) const
{
    return item < titles_.size() && titles_[item] ? &*titles_[item] : nullptr;
}

void CardReader::AskCard(std::size_t item)
{
    {
        std::lock_guard lock(mutex_);
        if (!items_ || item >= items_->size())
            return;
        cardAsked_ = item;
    }
    woken_.notify_one();
}

void CardReader::Work()
{
    std::vector<std::pair<std::size_t, MapTitle>> batch;
    auto batchStart = std::chrono::steady_clock::now();
    unsigned batchGeneration = 0;
    for (;;) {
        std::unique_lock lock(mutex_);
        woken_.wait(lock, [this] { return ending_ || cardAsked_ || (items_ && nextTitle_ < items_->size()); });
        if (ending_)
            return;
        const unsigned generation = generation_;
        if (generation != batchGeneration) {
            batch.clear();  // titles of a listing no longer shown
            batchGeneration = generation;
        }
        const auto items = items_;
        const auto offline = offline_;
        const std::string folder = cacheFolder_;
        const std::optional<std::size_t> card = cardAsked_;
        cardAsked_.reset();
        const std::size_t item = card ? *card : nextTitle_++;
        const bool last = !card && nextTitle_ == items->size();
        lock.unlock();

        if (card) {
            auto read = std::make_shared<PackageCard>();
            QString problem;
            try {
                *read = ReadPackageCard(folder, (*items)[item], ScreenshotWanted::Yes);
                AddRequirements(*read, *items, item, *offline);
            } catch (const FileError& error) {
                problem = ToQt(error.what());
            }
            mailbox_.Post([this, generation, item, read, problem] {
                if (generation_ == generation)
                    emit CardRead(item, read, problem);
            });
            continue;
        }
        if ((*items)[item].kind == kind::Map) {
            MapTitle title;
            if (const std::optional<LevelFacts> facts = ReadMapFacts(folder, (*items)[item])) {
                title.title = facts->title;
                title.author = facts->author;
            }
            batch.emplace_back(item, std::move(title));
        }
        if (last || batch.size() >= kTitlesABatch || std::chrono::steady_clock::now() - batchStart > kBatchTime) {
            mailbox_.Post([this, generation, last, batch = std::move(batch)]() mutable {
                if (generation_ != generation)
                    return;
                for (auto& [read, title] : batch)
                    titles_[read] = std::move(title);
                titlesDone_ = last;
                if (!batch.empty())
                    emit TitlesRead(batch.front().first, batch.back().first);
                else if (last)
                    emit TitlesRead(0, 0);
            });
            batch.clear();
            batchStart = std::chrono::steady_clock::now();
        }
    }
}

}  // namespace thld
