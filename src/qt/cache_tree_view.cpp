#include "qt/cache_tree_view.h"

#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QStyle>
#include <QUrl>

#include <algorithm>

#include "cache/cached_file.h"
#include "qt/cache_filter.h"
#include "qt/cache_model.h"
#include "qt/qt_text.h"

namespace thld {

CacheTreeView::CacheTreeView(CacheModel& model, CacheFilter& filter, QWidget* parent)
    : QTreeView(parent), model_(model), filter_(filter)
{
    setObjectName(QStringLiteral("cacheTree"));
    setModel(&filter_);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
    QHeaderView* columns = header();
    columns->setSortIndicatorClearable(true);  // a third click goes back to the order of cache.ini
    columns->setSortIndicator(-1, Qt::AscendingOrder);
    // The name takes what the other columns, sized to their contents, leave.
    columns->setStretchLastSection(false);
    columns->setSectionResizeMode(CacheModel::NameColumn, QHeaderView::Stretch);
    columns->setMinimumSectionSize(40);
    // Columns are sized by the rows shown and a few hundred around them, never by every row.
    columns->setResizeContentsPrecision(500);
    setSortingEnabled(true);
    columns->moveSection(columns->visualIndex(CacheModel::TitleColumn), 1);  // the title beside the name

    // The Delete key deletes in the tree only: in the filter field it deletes text. The ticked
    // packages go, or where none is ticked the selected ones.
    deleteAction_ = new QAction(QStringLiteral("&Delete"), this);
    deleteAction_->setShortcut(QKeySequence::Delete);
    deleteAction_->setShortcutContext(Qt::WidgetShortcut);
    addAction(deleteAction_);
    connect(deleteAction_, &QAction::triggered, this, [this] {
        if (commandsAllowed_)
            emit DeleteAsked(model_.TickedCount() == 0 ? SelectedRows() : std::vector<int>{});
    });
    connect(this, &QTreeView::doubleClicked, this, &CacheTreeView::OpenRequirement);
    connect(this, &QWidget::customContextMenuRequested, this, &CacheTreeView::ShowPackageMenu);
}

void CacheTreeView::SetCommandsAllowed(bool allowed)
{
    commandsAllowed_ = allowed;
    deleteAction_->setEnabled(allowed);
}

std::vector<int> CacheTreeView::SelectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& shown : selectionModel()->selectedRows(CacheModel::NameColumn)) {
        const QModelIndex package = filter_.mapToSource(shown);
        if (package.isValid() && !CacheModel::IsRequirement(package))
            rows.push_back(package.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void CacheTreeView::TickSelected()
{
    const std::vector<int> rows = SelectedRows();
    const bool allTicked = std::all_of(rows.begin(), rows.end(),
                                       [this](int row) { return model_.Ticks()[static_cast<std::size_t>(row)]; });
    model_.SetTicked(rows, !allTicked);
}

void CacheTreeView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        TickSelected();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OpenCurrent();
        return;
    default:
        QTreeView::keyPressEvent(event);
    }
}

void CacheTreeView::OpenCurrent()
{
    const QModelIndex current = currentIndex().siblingAtColumn(CacheModel::NameColumn);
    if (!current.isValid())
        return;
    if (CacheModel::IsRequirement(filter_.mapToSource(current)))
        OpenRequirement(current);
    else if (filter_.hasChildren(current))
        setExpanded(current, !isExpanded(current));
}

void CacheTreeView::OpenRequirement(const QModelIndex& shown)
{
    const QModelIndex activated = filter_.mapToSource(shown);
    if (!CacheModel::IsRequirement(activated))
        return;
    // Every package of that name is shown in turn; the last stays selected.
    for (int row : model_.RowsNamed(model_.RequirementName(activated))) {
        const QModelIndex package = model_.index(row, CacheModel::NameColumn);
        QModelIndex target = filter_.mapFromSource(package);
        if (!target.isValid()) {  // hidden by the filter, which then goes
            emit FilterInTheWay();
            target = filter_.mapFromSource(package);
        }
        scrollTo(target);
        setCurrentIndex(target);
        expand(target);
    }
}

void CacheTreeView::ShowPackageMenu(const QPoint& asked)
{
    // From the keyboard the menu is asked for wherever; it is about the current package then.
    QPoint at = asked;
    QModelIndex shown = indexAt(at);
    if (!shown.isValid()) {
        shown = currentIndex();
        at = visualRect(shown).center();
    }
    const QModelIndex package = filter_.mapToSource(shown);
    if (!package.isValid() || CacheModel::IsRequirement(package) || !commandsAllowed_)
        return;
    if (!selectionModel()->isRowSelected(shown.row(), shown.parent()))
        setCurrentIndex(shown);
    const std::vector<int> rows = SelectedRows();
    const PackageItem& item = model_.Items()[static_cast<std::size_t>(package.row())];
    QMenu menu(this);
    menu.setAccessibleName(QStringLiteral("Package menu"));
    connect(menu.addAction(QStringLiteral("&Delete...")), &QAction::triggered, this,
            [this, rows] { emit DeleteAsked(rows); });
    connect(menu.addAction(QStringLiteral("Make &Permanent...")), &QAction::triggered, this,
            [this, rows] { emit PermanentAsked(rows); });
    menu.addSeparator();
    const QString file = ToQt(CachedFilePath(cacheFolder_, item.key));
    connect(menu.addAction(QStringLiteral("Show in &File Manager")), &QAction::triggered, this,
            [file] { QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(file).absolutePath())); });
    const QString name = ToQt(item.name);
    connect(menu.addAction(QStringLiteral("&Copy Name")), &QAction::triggered, this,
            [name] { QGuiApplication::clipboard()->setText(name); });
    menu.exec(viewport()->mapToGlobal(at));
}

void CacheTreeView::SizeColumns()
{
    for (int c = CacheModel::KindColumn; c < CacheModel::OfflineColumn; ++c)
        resizeColumnToContents(c);
    // The offline column is found out row by row as rows are shown: it is sized for its longest
    // text, not by reading every map.
    const int margin = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 12;
    header()->resizeSection(CacheModel::OfflineColumn,
                            std::max(header()->sectionSizeHint(CacheModel::OfflineColumn),
                                     fontMetrics().horizontalAdvance(QStringLiteral("No, 99 missing")) + margin));
    // Titles come after the listing: room for a usual one.
    header()->resizeSection(CacheModel::TitleColumn,
                            fontMetrics().horizontalAdvance(QStringLiteral("The Edge of the Map")) + margin);
}

}  // namespace thld
