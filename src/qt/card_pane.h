#pragma once
// The card of the package selected in the tree, beside it: a map's screenshot drawn at its
// proportions (scaled smoothly to the device's pixels, so crisp at any pixel ratio), its title
// large, its author and ideal player count, the package's size and whether it will load offline.
// The card is read off the window's thread (CardReader); until it comes the pane shows the
// package's name. A new listing empties the pane.

#include <QWidget>

#include <QImage>
#include <QPixmap>

#include <cstddef>
#include <memory>
#include <optional>

#include "game/package_card.h"

class QLabel;
class QTreeView;

namespace thld {

class CacheFilter;
class CacheModel;

// A picture drawn as large as the widget allows, at its own proportions, centred.
class ScreenshotView : public QWidget {
    Q_OBJECT

public:
    explicit ScreenshotView(QWidget* parent = nullptr);
    void SetImage(QImage image);
    const QImage& Image() const { return image_; }
    bool hasHeightForWidth() const override { return !image_.isNull(); }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    QPixmap scaled_;  // image_ at the last size drawn, in device pixels
};

class CardPane : public QWidget {
    Q_OBJECT

public:
    CardPane(CacheModel& model, QWidget* parent = nullptr);
    // Shows the card of the package of the tree's current row (of a requirement: its package's).
    void Follow(QTreeView& tree, const CacheFilter& filter);
    // Shows the card of model row `row`, or nothing.
    void ShowRow(std::optional<int> row);

private:
    void OnCardRead(std::size_t item, const std::shared_ptr<const PackageCard>& card, const QString& problem);

    CacheModel& model_;
    std::optional<int> row_;  // the row shown
    ScreenshotView* picture_;
    QLabel* title_;
    QLabel* author_;
    QLabel* players_;
    QLabel* size_;
    QLabel* offline_;
    QLabel* note_;
};

}  // namespace thld
