#include "qt/cache_model.h"

#include <QDateTime>
#include <QLocale>

#include <tuple>

#include "game/package_order.h"
#include "qt/qt_text.h"

namespace thld {

namespace {

QString InstalledText(InstalledCopy copy)
{
    switch (copy) {
    case InstalledCopy::Identical:
        return QStringLiteral("Identical");
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

void CacheModel::SetPackages(std::vector<PackageItem> items, std::vector<InstalledPackages::Found> installed)
{
    beginResetModel();
    items_ = std::move(items);
    installed_ = std::move(installed);
    installed_.resize(items_.size());
    names_.clear();
    names_.reserve(items_.size());
    firstRowNamed_.clear();
    for (std::size_t row = 0; row < items_.size(); ++row) {
        names_.push_back(ToQt(items_[row].name));
        firstRowNamed_.emplace(items_[row].name, static_cast<int>(row));
    }
    ticked_.assign(items_.size(), false);
    tickedCount_ = 0;
    tickedBytes_ = 0;
    endResetModel();
    emit TicksChanged();
}

void CacheModel::Tick(int row, bool ticked)
{
    if (ticked_[row] == ticked)
        return;
    ticked_[row] = ticked;
    const std::uint64_t size = items_[row].size;
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
    return items_[index.internalId() - 1].requirements[static_cast<std::size_t>(index.row())];
}

std::vector<int> CacheModel::RowsNamed(const std::string& name) const
{
    std::vector<int> rows;
    for (std::size_t row = 0; row < items_.size(); ++row) {
        if (items_[row].name == name)
            rows.push_back(static_cast<int>(row));
    }
    return rows;
}

bool CacheModel::NameContains(int row, const QString& part) const
{
    return names_[row].contains(part, Qt::CaseInsensitive);
}

bool CacheModel::Less(int column, int left, int right) const
{
    static constexpr PackageSortKey kKeys[ColumnCount] = {PackageSortKey::Name, PackageSortKey::Kind,
                                                          PackageSortKey::Size, PackageSortKey::Modified,
                                                          PackageSortKey::Installed};
    if (column < 0 || column >= ColumnCount)
        return left < right;
    const int order = ComparePackages(kKeys[column], Items(), installed_, static_cast<std::size_t>(left),
                                      static_cast<std::size_t>(right));
    return order != 0 ? order < 0 : left < right;
}

QModelIndex CacheModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column < 0 || column >= ColumnCount)
        return QModelIndex();
    if (!parent.isValid())
        return row < static_cast<int>(items_.size()) ? createIndex(row, column, quintptr(0)) : QModelIndex();
    if (IsRequirement(parent) || parent.column() != NameColumn ||
        row >= static_cast<int>(items_[parent.row()].requirements.size()))
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
        return static_cast<int>(items_.size());
    if (IsRequirement(parent) || parent.column() != NameColumn)
        return 0;
    return static_cast<int>(items_[parent.row()].requirements.size());
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
    const PackageItem& item = items_[row];
    if (role == Qt::DisplayRole) {
        switch (column) {
        case NameColumn:
            return names_[row];
        case KindColumn:
            return ToQt(item.kind);
        case SizeColumn:
            return ToQt(item.sizeText);
        case LastUsedColumn:
            return LastUsedText(item.modified);
        case InstalledColumn:
            return InstalledText(installed_[row].copy);
        }
    } else if (role == Qt::CheckStateRole && column == NameColumn) {
        return ticked_[row] ? Qt::Checked : Qt::Unchecked;
    } else if (role == Qt::TextAlignmentRole && column == SizeColumn) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    } else if (role == Qt::ToolTipRole) {
        if (column == InstalledColumn)
            return InstalledTip(installed_[row]);
        if (column == NameColumn)
            return names_[row];
    }
    return QVariant();
}

QVariant CacheModel::RequirementData(int parentRow, int row, int column, int role) const
{
    const std::string& name = items_[parentRow].requirements[static_cast<std::size_t>(row)];
    auto package = firstRowNamed_.find(name);
    if (role == Qt::DisplayRole) {
        if (column == NameColumn)
            return ToQt(name);
        if (package != firstRowNamed_.end() && (column == KindColumn || column == SizeColumn))
            return PackageData(package->second, column, role);
    } else if (role == Qt::TextAlignmentRole && column == SizeColumn) {
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    } else if (role == Qt::ToolTipRole && column == NameColumn) {
        return QStringLiteral("Required by %1; double-click to go to it").arg(names_[parentRow]);
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
    if (IsRequirement(index) || items_[index.row()].requirements.empty())
        flags |= Qt::ItemNeverHasChildren;
    return flags;
}

QVariant CacheModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    static const char* const titles[ColumnCount] = {"Name", "Kind", "Size", "Last used", "Installed"};
    return section >= 0 && section < ColumnCount ? QString::fromLatin1(titles[section]) : QVariant();
}

}  // namespace thld
