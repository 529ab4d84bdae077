#pragma once
// The tree of the cache's packages in the main window: its columns (sorted by a click on a header,
// a third click going back to the order of cache.ini), its tick boxes, and its keys and menu. Space
// ticks the selected packages (or unticks them when all are ticked); Enter opens the current item:
// a requirement goes to its package (as a double click does), a package with requirements expands
// or collapses; the Delete key and the context menu (Delete, Make Permanent, Show in File Manager,
// Copy Name) ask the window for the command through signals.

#include <QTreeView>

#include <string>
#include <vector>

namespace thld {

class CacheFilter;
class CacheModel;

class CacheTreeView : public QTreeView {
    Q_OBJECT

public:
    CacheTreeView(CacheModel& model, CacheFilter& filter, QWidget* parent = nullptr);

    // The folder the packages are cached in, for Show in File Manager.
    void SetCacheFolder(const std::string& folder) { cacheFolder_ = folder; }
    // While the window works, the menu is not offered and the Delete key does nothing.
    void SetCommandsAllowed(bool allowed);
    // The package rows selected, in the model's order.
    std::vector<int> SelectedRows() const;
    // Sizes the columns to the rows shown (the name takes the rest).
    void SizeColumns();
    // Goes to the package of the requirement `shown`; nothing for any other row.
    void OpenRequirement(const QModelIndex& shown);

signals:
    // Delete or Permanent on these package rows (none: the ticked ones).
    void DeleteAsked(const std::vector<int>& rows);
    void PermanentAsked(const std::vector<int>& rows);
    // The filter hides a package to be shown: the window empties the filter field.
    void FilterInTheWay();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void TickSelected();
    void ShowPackageMenu(const QPoint& at);
    void OpenCurrent();

    CacheModel& model_;
    CacheFilter& filter_;
    std::string cacheFolder_;
    bool commandsAllowed_ = true;
    QAction* deleteAction_ = nullptr;
};

}  // namespace thld
