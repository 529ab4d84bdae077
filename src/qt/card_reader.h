#pragma once
// The maps' cards as the window reads them, off its own thread and never before a listing has
// ended: first the card of the package asked for last (with its screenshot, what it requires and
// whether it loads offline), then the title and author of every map of the listing, in file order,
// handed to the window's thread in batches as they come. A new listing (Use) drops what was read
// and asked for before it; the thread stops before the next file it would read.

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "cache/package_item.h"
#include "game/cache_checks.h"
#include "game/package_card.h"

namespace thld {

class ThreadMailbox;

// What the tree shows of a map: empty texts where the map sets none or its file can't be read.
struct MapTitle {
    std::string title;
    std::string author;
};

class CardReader : public QObject {
    Q_OBJECT

public:
    explicit CardReader(QObject* parent = nullptr);
    // Waits for the thread.
    ~CardReader() override;

    // Reads from now on the cards of `items`, listed from `cacheFolder`, with `offline` made from
    // them (none: nothing is read, nothing is answered).
    void Use(std::string cacheFolder, std::shared_ptr<const std::vector<PackageItem>> items,
             std::shared_ptr<const OfflineCheck> offline);
    // The title and author of an item, once read; nothing before (or for a package of another kind).
    const MapTitle* TitleOf(std::size_t item) const;
    // Whether every map's title has been read.
    bool TitlesDone() const { return titlesDone_; }
    // Reads the card of an item, before any title still to read; CardRead tells when it is there.
    void AskCard(std::size_t item);

signals:
    // Titles of items from `first` to `last` (in file order) have been read.
    void TitlesRead(std::size_t first, std::size_t last);
    // The card asked for; `problem` is the reason its file could not be read, where it couldn't.
    void CardRead(std::size_t item, std::shared_ptr<const PackageCard> card, QString problem);

private:
    void Work();

    ThreadMailbox& mailbox_;
    // The window's thread's own.
    std::vector<std::optional<MapTitle>> titles_;
    bool titlesDone_ = true;
    // Shared with the thread.
    std::mutex mutex_;
    std::condition_variable woken_;
    std::string cacheFolder_;
    std::shared_ptr<const std::vector<PackageItem>> items_;
    std::shared_ptr<const OfflineCheck> offline_;
    std::optional<std::size_t> cardAsked_;
    std::size_t nextTitle_ = 0;  // the next item whose title is to be read
    std::atomic<unsigned> generation_{0};
    bool ending_ = false;
    std::thread thread_;
};

}  // namespace thld
