#include "qt/cache_model.h"

#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <tuple>

#include "game/cache_checks.h"
#include "game/package_order.h"
#include "platform/code_page.h"
#include "qt/qt_text.h"
#include "qt/size_words.h"

namespace thld {

namespace {

QString InstalledText(InstalledCopy copy)
{
    switch (copy) {
    case InstalledCopy::Identical:
        return QStringLiteral("Identical");
    case InstalledCopy::SameVersion:
        return QStringLiteral("Same Version");
    case InstalledCopy::Different:
        return QStringLiteral("Different");
    case InstalledCopy::None:
        break;
    }
    return QStringLiteral("No");
}

QString InstalledTip(const InstalledPackages::Found& found)
{
    switch (found.copy) {
    case InstalledCopy::Identical:
        return QStringLiteral("The game's folders hold this package, byte for byte:\n") + ToQt(found.path);
    case InstalledCopy::SameVersion:
        return QStringLiteral("The game's folders hold this version of the package (its GUID), in other bytes:\n") +
               ToQt(found.path);
    case InstalledCopy::Different:
        return QStringLiteral(
                   "The game's folders hold another file of this name; playing online with it "
                   "may fail with a version mismatch:\n") +
               ToQt(found.path);
    case InstalledCopy::None:
        break;
    }
    return QStringLiteral("The game's folders hold no package of this name.");
}

QString LastUsedText(std::int64_t modified)
{
    if (modified <= 0)
        return QString();
    return QLocale().toString(QDateTime::fromSecsSinceEpoch(modified), QLocale::ShortFormat);
}

}  // namespace

CacheModel::CacheModel(QObject* parent)
    : QAbstractItemModel(parent), offline_(new OfflineAnswers(this)), cards_(new CardReader(this))
{
    connect(cards_, &CardReader::TitlesRead, this, [this](std::size_t first, std::size_t last) {
        emit dataChanged(index(static_cast<int>(first), TitleColumn), index(static_cast<int>(last), TitleColumn),
                         {Qt::DisplayRole, Qt::ToolTipRole});
    });
    connect(offline_, &OfflineAnswers::Answered, this, [this](std::size_t row) {
        const QModelIndex cell = index(static_cast<int>(row), OfflineColumn);
        emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::ToolTipRole});
    });
}

void CacheModel::AddListed(std::vector<PackageItem> items, bool first, std::size_t expected)
{
    auto add = [this](std::vector<PackageItem>& items) {
        for (PackageItem& item : items)
            listed_.push_back({std::move(item.name), item.kind, item.size, item.modified});
        ticked_.resize(listed_.size(), false);
    };
    if (!first) {
        if (items.empty())
            return;
        const int from = Rows();
        beginInsertRows(QModelIndex(), from, from + static_cast<int>(items.size()) - 1);
        add(items);
        endInsertRows();
        return;
    }
    beginResetModel();
    items_ = std::make_shared<const std::vector<PackageItem>>();
    listed_.clear();
    listed_.reserve(std::max(expected, items.size()));
    ticked_.clear();
    tickedCount_ = 0;
    tickedBytes_ = 0;
    complete_ = false;
    installed_.clear();
    offline_->Use(nullptr, nullptr);
    cards_->Use({}, nullptr, nullptr);
    rowsByName_.clear();
    add(items);
    endResetModel();
    emit TicksChanged();
}

void CacheModel::SetPackages(std::shared_ptr<const std::vector<PackageItem>> items,
                             std::vector<InstalledPackages::Found> installed,
                             std::shared_ptr<const OfflineCheck> offline)
{
    // The rows the listing added are its items, in order: they take their requirements in place.
    const bool sameRows = !complete_ && items->size() == listed_.size();
    if (sameRows)
        emit layoutAboutToBeChanged();
    else
        beginResetModel();
    items_ = std::move(items);
    listed_.clear();
    listed_.shrink_to_fit();
    installed_ = std::move(installed);
    installed_.resize(items_->size());
    cards_->Use(cacheFolder_, items_, offline);
    offline_->Use(items_, std::move(offline));
    rowsByName_.clear();
    complete_ = true;
    if (sameRows) {
        emit layoutChanged();
        return;
    }
    ticked_.assign(items_->size(), false);
    tickedCount_ = 0;
    tickedBytes_ = 0;
    endResetModel();
    emit TicksChanged();
}

const std::string& CacheModel::NameOf(int row) const { return complete_ ? (*items_)[row].name : listed_[row].name; }

const std::vector<int>& CacheModel::RowsByName() const
{
    if (rowsByName_.size() != items_->size()) {
        rowsByName_.resize(items_->size());
        for (std::size_t row = 0; row < rowsByName_.size(); ++row)
            rowsByName_[row] = static_cast<int>(row);
        const std::vector<PackageItem>& items = *items_;
        std::sort(rowsByName_.begin(), rowsByName_.end(), [&items](int a, int b) {
            const int order = items[a].name.compare(items[b].name);
            return order != 0 ? order < 0 : a < b;
        });
    }
    return rowsByName_;
}

void CacheModel::Tick(int row, bool ticked)
{
    if (ticked_[row] == ticked)
        return;
    ticked_[row] = ticked;
    const std::uint64_t size = SizeOf(row);
    tickedCount_ = ticked ? tickedCount_ + 1 : tickedCount_ - 1;
    tickedBytes_ = ticked ? tickedBytes_ + size : tickedBytes_ - size;
}

void CacheModel::SetTicked(const std::vector<int>& rows, bool ticked)
{
    if (locked_ || rows.empty())
        return;
    int first = rows.front(), last = rows.front();
    for (int row : rows) {
        Tick(row, ticked);
        first = std::min(first, row);
        last = std::max(last, row);
    }
    emit dataChanged(index(first, NameColumn), index(last, NameColumn), {Qt::CheckStateRole});
    emit TicksChanged();
}

void CacheModel::UntickAll()
{
    std::vector<int> rows;
    for (std::size_t row = 0; row < ticked_.size(); ++row) {
        if (ticked_[row])
            rows.push_back(static_cast<int>(row));
    }
    SetTicked(rows, false);
}

std::string CacheModel::RequirementName(const QModelIndex& index) const
{
    if (!IsRequirement(index))
        return std::string();
    return (*items_)[index.internalId() - 1].requirements[static_cast<std::size_t>(index.row())];
}

std::vector<int> CacheModel::RowsNamed(const std::string& name) const
{
    const std::vector<int>& byName = RowsByName();
    auto row = std::lower_bound(byName.begin(), byName.end(), name,
                                [this](int a, const std::string& b) { return (*items_)[a].name < b; });
    std::vector<int> rows;
    for (; row != byName.end() && (*items_)[*row].name == name; ++row)
        rows.push_back(*row);
    return rows;
}

bool CacheModel::Less(int column, int left, int right) const
{
    static constexpr PackageSortKey kKeys[] = {PackageSortKey::Name, PackageSortKey::Kind, PackageSortKey::Size,
                                               PackageSortKey::Modified, PackageSortKey::Installed};
    if (column == TitleColumn) {
        // Titles in alphabetical order, case aside; rows without one after them.
        const MapTitle* a = TitleOf(left);
        const MapTitle* b = TitleOf(right);
        const bool hasA = a && !a->title.empty(), hasB = b && !b->title.empty();
        if (hasA != hasB)
            return hasA;
        if (hasA && !EqualIgnoringAsciiCase(a->title, b->title))
            return LessIgnoringAsciiCase(a->title, b->title);
        return left < right;
    }
    if (column < 0 || column > InstalledColumn)
        return left < right;
    int order = 0;
    if (complete_) {
        order = ComparePackages(kKeys[column], Items(), installed_, static_cast<std::size_t>(left),
                                static_cast<std::size_t>(right));
    } else {
        // While listing (a sort asked for meanwhile), the rows as they were listed.
        auto fields = [&](int row) {
            const ListedRow& listed = listed_[static_cast<std::size_t>(row)];
            return PackageSortFields{listed.name, listed.kind, listed.size, listed.modified};
        };
        order = ComparePackages(kKeys[column], fields(left), fields(right));
    }
    return order != 0 ? order < 0 : left < right;
}

QModelIndex CacheModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column < 0 || column >= ColumnCount)
        return QModelIndex();
    if (!parent.isValid())
        return row < Rows() ? createIndex(row, column, quintptr(0)) : QModelIndex();
    if (!complete_ || IsRequirement(parent) || parent.column() != NameColumn ||
        row >= static_cast<int>((*items_)[parent.row()].requirements.size()))
        return QModelIndex();
    return createIndex(row, column, quintptr(parent.row()) + 1);
}

QModelIndex CacheModel::parent(const QModelIndex& child) const
{
    if (!IsRequirement(child))
        return QModelIndex();
    return createIndex(static_cast<int>(child.internalId() - 1), NameColumn, quintptr(0));
}

int CacheModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return Rows();
    if (!complete_ || IsRequirement(parent) || parent.column() != NameColumn)
        return 0;
    return static_cast<int>((*items_)[parent.row()].requirements.size());
}

int CacheModel::columnCount(const QModelIndex&) const { return ColumnCount; }

QVariant CacheModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (IsRequirement(index))
        return RequirementData(static_cast<int>(index.internalId() - 1), index.row(), index.column(), role);
    return PackageData(index.row(), index.column(), role);
}

QVariant CacheModel::PackageData(int row, int column, int role) const
{
    if (role == Qt::DisplayRole) {
        switch (column) {
        case NameColumn:
            return ToQt(NameOf(row));
        case KindColumn:
            return ToQt(KindOf(row));
        case SizeColumn:
            return SizeForPeople(SizeOf(row));
        case LastUsedColumn:
            return LastUsedText(ModifiedOf(row));
        case InstalledColumn:
            return complete_ ? InstalledText(installed_[row].copy) : QVariant();
        case OfflineColumn:
            return OfflineData(row, role);
        case TitleColumn:
            if (const MapTitle* title = TitleOf(row))
                return ToQt(title->title);
            return QVariant();
        }
    } else if (role == Qt::CheckStateRole && column == NameColumn) {
        return ticked_[row] ? Qt::Checked : Qt::Unchecked;
    } else if (role == Qt::TextAlignmentRole && column == SizeColumn) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    } else if (role == Qt::ToolTipRole) {
        if (column == InstalledColumn)
            return complete_ ? InstalledTip(installed_[row]) : QVariant();
        if (column == NameColumn)
            return ToQt(NameOf(row));
        if (column == SizeColumn)
            return ExactBytes(SizeOf(row));
        if (column == OfflineColumn)
            return OfflineData(row, role);
        if (column == TitleColumn)
            if (const MapTitle* title = TitleOf(row); title && !title->author.empty())
                return QStringLiteral("%1\nby %2").arg(ToQt(title->title), ToQt(title->author));
    }
    return QVariant();
}

QVariant CacheModel::OfflineData(int row, int role) const
{
    if (!complete_)
        return QVariant();
    const std::optional<std::vector<MissingImport>>* answer = offline_->Answer(static_cast<std::size_t>(row));
    if (!answer)
        return role == Qt::DisplayRole ? QStringLiteral("\u2026")
                                       : QStringLiteral("Whether it loads offline is being found out.");
    const std::optional<std::vector<MissingImport>>& missing = *answer;
    if (!missing)
        return role == Qt::DisplayRole ? QVariant() : QStringLiteral("Whether it loads offline can't be told.");
    if (missing->empty())
        return role == Qt::DisplayRole ? QStringLiteral("Yes")
                                       : QStringLiteral("Made permanent, this package will load offline.");
    QString names;
    for (const MissingImport& import : *missing) {
        names += (names.isEmpty() ? QString() : QStringLiteral(", ")) + ToQt(import.package);
        if (!import.through.empty())
            names += QStringLiteral(" (through ") + ToQt(import.through) + QStringLiteral(")");
    }
    return role == Qt::DisplayRole
               ? QStringLiteral("No, %1 missing").arg(missing->size())
               : QStringLiteral("Made permanent, this package will not load offline: it needs ") + names +
                     QStringLiteral(", found neither in the game's folders nor in the cache.");
}

QVariant CacheModel::RequirementData(int parentRow, int row, int column, int role) const
{
    const std::string& name = (*items_)[parentRow].requirements[static_cast<std::size_t>(row)];
    // The first package of that name tells the kind and the size.
    auto package = [&]() -> std::optional<int> {
        const std::vector<int> rows = RowsNamed(name);
        return rows.empty() ? std::nullopt : std::optional<int>(rows.front());
    };
    if (role == Qt::DisplayRole) {
        if (column == NameColumn)
            return ToQt(name);
        if (column == KindColumn || column == SizeColumn)
            if (const auto first = package())
                return PackageData(*first, column, role);
    } else if (role == Qt::TextAlignmentRole && column == SizeColumn) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    } else if (role == Qt::ToolTipRole && column == NameColumn) {
        return QStringLiteral("Required by %1; double-click to go to it").arg(ToQt((*items_)[parentRow].name));
    } else if (role == Qt::ToolTipRole && column == SizeColumn) {
        if (const auto first = package())
            return PackageData(*first, column, role);
    }
    return QVariant();
}

bool CacheModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (locked_ || role != Qt::CheckStateRole || !index.isValid() || IsRequirement(index) ||
        index.column() != NameColumn)
        return false;
    Tick(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    emit TicksChanged();
    return true;
}

Qt::ItemFlags CacheModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!IsRequirement(index) && index.column() == NameColumn)
        flags |= Qt::ItemIsUserCheckable;
    if (IsRequirement(index) || !complete_ || (*items_)[index.row()].requirements.empty())
        flags |= Qt::ItemNeverHasChildren;
    return flags;
}

QVariant CacheModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return QVariant();
    // The first click on Size puts the largest first, as the command line's --sort size does.
    if (role == Qt::InitialSortOrderRole)
        return section == SizeColumn ? QVariant(static_cast<int>(Qt::DescendingOrder)) : QVariant();
    if (role != Qt::DisplayRole)
        return QVariant();
    static const char* const titles[ColumnCount] = {"Name",      "Kind",    "Size", "Last used",
                                                    "Installed", "Offline", "Title"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(titles[section]) : QVariant();
}

}  // namespace thld
