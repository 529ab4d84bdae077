#include "qt/cache_filter.h"

#include <algorithm>

#include "qt/qt_text.h"

namespace thld {

namespace {

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

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
    asciiPart_.reset();
    if (const std::string text = FromQt(part); IsAscii(text)) {
        asciiPart_.emplace(text);
        std::transform(text.begin(), text.end(), asciiPart_->begin(), LowerAscii);
    }
    // The rows are filtered and sorted afresh in one change of layout: taking out or putting back
    // the rows the text changes one run at a time costs a move of every row after each run, which
    // over a hundred thousand rows and a short text takes seconds.
    invalidate();
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

bool CacheFilter::hasChildren(const QModelIndex& parent) const
{
    return parent.isValid() ? model_.hasChildren(mapToSource(parent)) : QSortFilterProxyModel::hasChildren(parent);
}

bool CacheFilter::filterAcceptsRow(int row, const QModelIndex& parent) const
{
    if (parent.isValid() || part_.isEmpty())
        return true;
    if (Holds(model_.NameOf(row)))
        return true;
    const MapTitle* title = model_.TitleOf(row);
    return title && (Holds(title->title) || Holds(title->author));
}

bool CacheFilter::Holds(const std::string& text) const
{
    if (asciiPart_ && IsAscii(text))
        return std::search(text.begin(), text.end(), asciiPart_->begin(), asciiPart_->end(),
                           [](char a, char b) { return LowerAscii(a) == b; }) != text.end();
    return ToQt(text).contains(part_, Qt::CaseInsensitive);
}

bool CacheFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    if (!CacheModel::IsRequirement(left) && !CacheModel::IsRequirement(right))
        return model_.Less(left.column(), left.row(), right.row());
    // Requirements stand in the order the pass found them (turned round when sorted downwards).
    return left.row() < right.row();
}

}  // namespace thld
