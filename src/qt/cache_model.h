#pragma once
// The cache as the window's tree shows it: one row per listed package, in the order of cache.ini,
// with its kind, size (for people, the exact bytes in the tooltip), last use, installed copy and,
// for maps, whether it will load offline once made permanent (found off the window's thread, for
// the rows shown) and its title (read off the window's thread once the listing has ended), in columns, a tick box, and
// the packages it requires as its children. The rows come as the listing goes. The ticks are kept here as the user sets
// them, so that Delete and Permanent take them without asking the view.

#include <QAbstractItemModel>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cache/package_item.h"
#include "game/cache_checks.h"
#include "game/installed_packages.h"
#include "qt/card_reader.h"
#include "qt/offline_answers.h"

namespace thld {

class CacheModel : public QAbstractItemModel {
    Q_OBJECT

public:
    enum Column {
        NameColumn,
        KindColumn,
        SizeColumn,
        LastUsedColumn,
        InstalledColumn,
        OfflineColumn,
        TitleColumn,  // shown after the name
        ColumnCount
    };

    explicit CacheModel(QObject* parent = nullptr);

    // Items of a listing under way, as it hands them over (ListedItems): the first batch takes the
    // place of the rows shown (every tick is cleared), each later one is added after them. Until
    // the listing ends (SetPackages) no row has children, and the installed and offline columns
    // are empty: nothing is known of them yet. Rows can be ticked meanwhile. `expected` is how many
    // rows the listing will have, where known (0 otherwise), so that room is made for them once.
    void AddListed(std::vector<PackageItem> items, bool first, std::size_t expected = 0);
    // A listing's end: its items with their requirements, each one's copy in the game's folders (or
    // none), and the offline check made from those items. Where they are the rows the listing
    // added, in order, the rows and their ticks stay, and the requirements appear as children in
    // one change of the layout; otherwise every row is replaced and every tick cleared.
    void SetPackages(std::shared_ptr<const std::vector<PackageItem>> items,
                     std::vector<InstalledPackages::Found> installed, std::shared_ptr<const OfflineCheck> offline);
    void Clear() { SetPackages(std::make_shared<const std::vector<PackageItem>>(), {}, nullptr); }
    // The cache folder of the listings to come, whose files the cards are read from.
    void SetCacheFolder(std::string folder) { cacheFolder_ = std::move(folder); }
    // The maps' cards and titles of the whole listing.
    CardReader& Cards() const { return *cards_; }
    // A map row's title and author, once read.
    const MapTitle* TitleOf(int row) const
    {
        return complete_ ? cards_->TitleOf(static_cast<std::size_t>(row)) : nullptr;
    }
    // Whether the rows are a whole listing (false while one is under way).
    bool Complete() const { return complete_; }
    // Whether the offline state of a row shown is still being found out.
    bool OfflinePending() const { return offline_->Pending(); }

    // The items of the whole listing (none while one is under way).
    const std::vector<PackageItem>& Items() const { return *items_; }
    // The same items, for work on another thread: they never change, a new listing takes new ones.
    std::shared_ptr<const std::vector<PackageItem>> SharedItems() const { return items_; }
    // The name of a row's package, whether the listing has ended or not.
    const std::string& NameOf(int row) const;
    // One per item, in the order of Items().
    const std::vector<bool>& Ticks() const { return ticked_; }
    std::size_t TickedCount() const { return tickedCount_; }
    std::uint64_t TickedBytes() const { return tickedBytes_; }
    void SetTicked(const std::vector<int>& rows, bool ticked);
    void UntickAll();
    // While locked (a command is working on the items), the user can't change a tick.
    void SetLocked(bool locked) { locked_ = locked; }

    // Whether the index is a requirement (a child of a package row), and the name it shows.
    static bool IsRequirement(const QModelIndex& index) { return index.isValid() && index.internalId() != 0; }
    std::string RequirementName(const QModelIndex& index) const;
    // The rows of the packages with exactly this name, in order.
    std::vector<int> RowsNamed(const std::string& name) const;

    // Whether package row `left` goes before `right` when sorted by `column` (ties in file order).
    bool Less(int column, int left, int right) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void TicksChanged();

private:
    QVariant PackageData(int row, int column, int role) const;
    QVariant RequirementData(int parentRow, int row, int column, int role) const;
    QVariant OfflineData(int row, int role) const;
    void Tick(int row, bool ticked);

    // What a row of a listing under way shows of its package until the listing ends: the rest of
    // its item is not held twice, beside the listing's own.
    struct ListedRow {
        std::string name;
        PackageKind kind;
        std::uint64_t size = 0;
        std::int64_t modified = 0;
    };
    int Rows() const { return static_cast<int>(complete_ ? items_->size() : listed_.size()); }
    PackageKind KindOf(int row) const { return complete_ ? (*items_)[row].kind : listed_[row].kind; }
    std::uint64_t SizeOf(int row) const { return complete_ ? (*items_)[row].size : listed_[row].size; }
    std::int64_t ModifiedOf(int row) const { return complete_ ? (*items_)[row].modified : listed_[row].modified; }
    // Every row, ordered by name then row; made when first asked for.
    const std::vector<int>& RowsByName() const;

    std::shared_ptr<const std::vector<PackageItem>> items_ = std::make_shared<const std::vector<PackageItem>>();
    std::vector<ListedRow> listed_;  // the rows while a listing is under way
    bool complete_ = true;
    std::vector<InstalledPackages::Found> installed_;
    OfflineAnswers* offline_;  // for the rows shown only
    CardReader* cards_;
    std::string cacheFolder_;
    mutable std::vector<int> rowsByName_;
    std::vector<bool> ticked_;
    std::size_t tickedCount_ = 0;
    std::uint64_t tickedBytes_ = 0;
    bool locked_ = false;
};

}  // namespace thld
