#pragma once
// The cache as the window's tree shows it: one row per listed package, in the order of cache.ini,
// with its kind, size, last use and installed copy in columns, a tick box, and the packages it
// requires as its children. The ticks are kept here as the user sets them, so that Delete and
// Permanent take them without asking the view.

#include <QAbstractItemModel>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "cache/package_item.h"
#include "game/installed_packages.h"

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
        ColumnCount
    };

    explicit CacheModel(QObject* parent = nullptr) : QAbstractItemModel(parent) {}

    // A fresh listing (with its requirements) and, for each item, its copy in the game's folders.
    // Every tick is cleared.
    void SetPackages(std::vector<PackageItem> items, std::vector<InstalledPackages::Found> installed);
    void Clear() { SetPackages({}, {}); }

    const std::vector<PackageItem>& Items() const { return *items_.Shared(); }
    // The same items, for work on another thread: they never change, a new listing takes new ones.
    std::shared_ptr<const std::vector<PackageItem>> SharedItems() const { return items_.Shared(); }
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

    bool NameContains(int row, const QString& part) const;
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
    void Tick(int row, bool ticked);

    // The listing's items, held so that a command can share them without a copy.
    class HeldItems {
    public:
        HeldItems& operator=(std::vector<PackageItem> items)
        {
            items_ = std::make_shared<const std::vector<PackageItem>>(std::move(items));
            return *this;
        }
        const PackageItem& operator[](std::size_t i) const { return (*items_)[i]; }
        std::size_t size() const { return items_->size(); }
        const std::shared_ptr<const std::vector<PackageItem>>& Shared() const { return items_; }

    private:
        std::shared_ptr<const std::vector<PackageItem>> items_ = std::make_shared<const std::vector<PackageItem>>();
    };

    HeldItems items_;
    std::vector<InstalledPackages::Found> installed_;
    std::vector<QString> names_;  // the items' names, converted once for drawing and filtering
    std::unordered_map<std::string, int> firstRowNamed_;
    std::vector<bool> ticked_;
    std::size_t tickedCount_ = 0;
    std::uint64_t tickedBytes_ = 0;
    bool locked_ = false;
};

}  // namespace thld
