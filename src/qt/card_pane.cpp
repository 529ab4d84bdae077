#include "qt/card_pane.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QPainter>
#include <QTreeView>
#include <QVBoxLayout>

#include "qt/cache_filter.h"
#include "qt/cache_model.h"
#include "qt/qt_text.h"
#include "qt/size_words.h"

namespace thld {

namespace {

QLabel* CardLabel(const char* name, const char* shown, const char* description, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAccessibleName(QString::fromLatin1(shown));
    label->setAccessibleDescription(QString::fromLatin1(description));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// Shows the text, or hides the label where there is none.
void SetShown(QLabel* label, const QString& text)
{
    label->setText(text);
    label->setVisible(!text.isEmpty());
}

}  // namespace

ScreenshotView::ScreenshotView(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void ScreenshotView::SetImage(QImage image)
{
    image_ = std::move(image);
    scaled_ = QPixmap();
    setVisible(!image_.isNull());
    updateGeometry();
    update();
}

int ScreenshotView::heightForWidth(int width) const
{
    return image_.isNull() ? 0 : width * image_.height() / image_.width();
}

QSize ScreenshotView::sizeHint() const { return image_.isNull() ? QSize() : QSize(256, heightForWidth(256)); }

void ScreenshotView::paintEvent(QPaintEvent*)
{
    if (image_.isNull())
        return;
    const QSize fitted = image_.size().scaled(size(), Qt::KeepAspectRatio);
    if (fitted.isEmpty())
        return;
    // Scaled once per size to the device's own pixels, so that a pixel ratio of 2 draws twice as
    // many of them.
    const qreal ratio = devicePixelRatioF();
    const QSize devicePixels = fitted * ratio;
    if (scaled_.size() != devicePixels) {
        scaled_ = QPixmap::fromImage(image_.scaled(devicePixels, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        scaled_.setDevicePixelRatio(ratio);
    }
    QPainter painter(this);
    const QPoint at((width() - fitted.width()) / 2, (height() - fitted.height()) / 2);
    painter.drawPixmap(at, scaled_);
}

CardPane::CardPane(CacheModel& model, QWidget* parent)
    : QWidget(parent),
      model_(model),
      picture_(new ScreenshotView(this)),
      title_(CardLabel("cardTitle", "Title", "The map's title, or the package's name", this)),
      author_(CardLabel("cardAuthor", "Author", "Who made the map", this)),
      players_(CardLabel("cardPlayers", "Players", "How many players the map is made for", this)),
      size_(CardLabel("cardSize", "Package", "The package's name, size and kind", this)),
      offline_(CardLabel("cardOffline", "Offline", "Whether the map will load offline once made permanent", this)),
      note_(CardLabel("cardNote", "Note", "What else the card tells: the screenshot or a problem of the file", this))
{
    setObjectName(QStringLiteral("cardPane"));
    picture_->setObjectName(QStringLiteral("cardScreenshot"));
    picture_->setAccessibleName(QStringLiteral("Screenshot"));
    picture_->setAccessibleDescription(QStringLiteral("The map's screenshot, as the game's menus show it"));
    QFont large = title_->font();
    large.setPointSizeF(large.pointSizeF() * 1.6);
    large.setBold(true);
    title_->setFont(large);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(picture_);
    for (QLabel* label : {title_, author_, players_, size_, offline_, note_})
        column->addWidget(label);
    column->addStretch(1);
    setMinimumWidth(180);
    connect(&model_.Cards(), &CardReader::CardRead, this, &CardPane::OnCardRead);
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] { ShowRow(std::nullopt); });
    ShowRow(std::nullopt);
}

void CardPane::Follow(QTreeView& tree, const CacheFilter& filter)
{
    connect(tree.selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, &filter](const QModelIndex& current) {
                QModelIndex source = filter.mapToSource(current);
                if (CacheModel::IsRequirement(source))
                    source = source.parent();
                ShowRow(source.isValid() ? std::optional<int>(source.row()) : std::nullopt);
            });
}

void CardPane::ShowRow(std::optional<int> row)
{
    row_ = row;
    picture_->SetImage(QImage());
    for (QLabel* label : {author_, players_, size_, offline_, note_})
        SetShown(label, QString());
    if (!row) {
        SetShown(title_, QString());
        SetShown(note_, QStringLiteral("Select a package to see its card."));
        return;
    }
    SetShown(title_, ToQt(model_.NameOf(*row)));
    if (!model_.Complete()) {
        SetShown(note_, QStringLiteral("The card is read once the listing has ended."));
        return;
    }
    model_.Cards().AskCard(static_cast<std::size_t>(*row));
}

void CardPane::OnCardRead(std::size_t item, const std::shared_ptr<const PackageCard>& card, const QString& problem)
{
    if (!row_ || static_cast<std::size_t>(*row_) != item)
        return;
    if (!problem.isEmpty()) {
        SetShown(note_, problem);
        return;
    }
    const PackageDescription* description = card->description ? &*card->description : nullptr;
    const LevelFacts* level = description && description->level ? &*description->level : nullptr;
    if (level && !level->title.empty())
        SetShown(title_, ToQt(level->title));
    if (level) {
        SetShown(author_, level->author.empty() ? QString() : QStringLiteral("by ") + ToQt(level->author));
        SetShown(players_, level->idealPlayerCount.empty()
                               ? QString()
                               : QStringLiteral("Players: ") + ToQt(level->idealPlayerCount));
    }
    SetShown(size_, ToQt(card->name) + QStringLiteral(", ") + SizeForPeople(card->size) + QStringLiteral(", ") +
                        ToQt(std::string(card->kind)));
    SetShown(offline_, card->offline == PackageCard::Offline::NotAsked
                           ? QString()
                           : QStringLiteral("Offline: ") + ToQt(OfflineText(*card)));
    QString note;
    if (description) {
        const ScreenshotFacts& shot = description->screenshot;
        if (shot.state == ScreenshotFacts::State::Shown) {
            const QImage image(shot.image.rgba.data(), static_cast<int>(shot.image.width),
                               static_cast<int>(shot.image.height), static_cast<qsizetype>(shot.image.width) * 4,
                               QImage::Format_RGBA8888);
            picture_->SetImage(image.copy());  // the pixels stay with the card; the view keeps its own
        } else if (level) {
            note = QStringLiteral("Screenshot: ") + ToQt(ScreenshotText(shot));
        }
        if (!description->reason.empty())
            note += (note.isEmpty() ? QString() : QStringLiteral("\n")) + ToQt(description->reason);
    }
    SetShown(note_, note);
}

}  // namespace thld
