#include "qt/cache_filter.h"

namespace thld {

CacheFilter::CacheFilter(CacheModel& model, QObject* parent) : QSortFilterProxyModel(parent), model_(model)
{
    // Sorting and filtering happen when asked for, not on every change of a tick.
    setDynamicSortFilter(false);
    setSourceModel(&model_);
}

void CacheFilter::SetNameFilter(const QString& part)
{
    if (part == part_)
        return;
    part_ = part;
    invalidateFilter();
}

std::vector<int> CacheFilter::ShownRows() const
{
    std::vector<int> rows;
    const int count = rowCount();
    rows.reserve(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row)
        rows.push_back(mapToSource(index(row, 0)).row());
    return rows;
}

bool CacheFilter::filterAcceptsRow(int row, const QModelIndex& parent) const
{
    return parent.isValid() || part_.isEmpty() || model_.NameContains(row, part_);
}

bool CacheFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    if (!CacheModel::IsRequirement(left) && !CacheModel::IsRequirement(right))
        return model_.Less(left.column(), left.row(), right.row());
    // Requirements stand in the order the pass found them (turned round when sorted downwards).
    return left.row() < right.row();
}

}  // namespace thld
