#pragma once
// The rows the tree shows, in the order it shows them: the packages whose name, or map title or
// author (once read), holds the filter text (case aside), each with all its requirements, sorted by any column or,
// unsorted, in the order of cache.ini.

#include <QSortFilterProxyModel>

#include <optional>
#include <string>
#include <vector>

#include "qt/cache_model.h"

namespace thld {

class CacheFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit CacheFilter(CacheModel& model, QObject* parent = nullptr);

    void SetNameFilter(const QString& part);
    // The model rows of the packages shown, top to bottom.
    std::vector<int> ShownRows() const;

    // Every requirement of a package shown is shown: whether a row has children is the model's
    // answer. The tree asks it of every row it lays out, and the proxy's own answer maps the
    // children of each.
    bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    // Whether the text holds the filter text, case aside.
    bool Holds(const std::string& text) const;

    CacheModel& model_;
    QString part_;
    // The text in lower case where it is ASCII only: a name of ASCII only is then searched as it
    // is, without a conversion (a hundred thousand of them within a keystroke).
    std::optional<std::string> asciiPart_;
};

}  // namespace thld
