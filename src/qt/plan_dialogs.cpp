#include "qt/plan_dialogs.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

#include "qt/qt_text.h"

namespace thld {

namespace {

QLabel* WrappedLabel(const std::string& text, const char* name)
{
    auto* label = new QLabel(ToQt(text));
    label->setObjectName(QString::fromUtf8(name));
    label->setTextFormat(Qt::PlainText);  // package names are shown as they are
    label->setWordWrap(true);
    return label;
}

}  // namespace

PlanConfirmationDialog::PlanConfirmationDialog(const PlanConfirmation& confirmation, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("planConfirmation"));
    setWindowTitle(ToQt(confirmation.title));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(WrappedLabel(confirmation.heading, "planHeading"));

    auto* list = new QTreeWidget;
    list->setObjectName(QStringLiteral("planList"));
    list->setAccessibleName(QStringLiteral("What will be done"));
    list->setAccessibleDescription(ToQt(confirmation.heading));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setHeaderLabels({QStringLiteral("Package"), QStringLiteral("Size and place")});
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    list->header()->setStretchLastSection(false);
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(confirmation.lines.size()));
    for (const PlanConfirmation::Line& line : confirmation.lines) {
        auto* row = new QTreeWidgetItem({ToQt(line.name), ToQt(line.detail)});
        row->setToolTip(0, row->text(0));
        row->setToolTip(1, row->text(1));
        rows.append(row);
    }
    list->addTopLevelItems(rows);
    layout->addWidget(list, 1);
    if (!confirmation.passedOver.empty())
        layout->addWidget(WrappedLabel(confirmation.passedOver, "planPassedOver"));

    auto* buttons = new QDialogButtonBox;
    QPushButton* action = buttons->addButton(ToQt(confirmation.action), QDialogButtonBox::AcceptRole);
    action->setObjectName(QStringLiteral("planActionButton"));
    QPushButton* cancel = buttons->addButton(ToQt(confirmation.cancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("planCancelButton"));
    // Enter cancels: going ahead takes a click, or Tab and Space, on the button that says what it does.
    action->setAutoDefault(false);
    action->setDefault(false);
    cancel->setAutoDefault(true);
    cancel->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    cancel->setFocus();
    resize(620, 440);
}

RunProgressDialog::RunProgressDialog(const QString& title, const QString& status, Progress progress, QWidget* parent)
    : QDialog(parent), progress_(std::move(progress))
{
    setObjectName(QStringLiteral("runProgress"));
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    status_ = new QLabel(status);
    status_->setObjectName(QStringLiteral("runStatus"));
    status_->setWordWrap(true);
    layout->addWidget(status_);
    bar_ = new QProgressBar;
    bar_->setObjectName(QStringLiteral("runProgressBar"));
    bar_->setAccessibleName(QStringLiteral("Progress"));
    layout->addWidget(bar_);
    auto* buttons = new QDialogButtonBox;
    cancel_ = buttons->addButton(QDialogButtonBox::Cancel);
    cancel_->setObjectName(QStringLiteral("runCancelButton"));
    cancel_->setAccessibleDescription(QStringLiteral("Leaves the packages not reached yet as they are"));
    close_ = buttons->addButton(QDialogButtonBox::Close);
    close_->setObjectName(QStringLiteral("runCloseButton"));
    close_->hide();
    connect(cancel_, &QPushButton::clicked, this, [this] {
        cancel_->setEnabled(false);
        emit Cancelled();
    });
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(buttons);
    timer_ = new QTimer(this);
    timer_->setInterval(50);
    connect(timer_, &QTimer::timeout, this, &RunProgressDialog::ShowProgress);
    timer_->start();
    ShowProgress();
    setMinimumWidth(420);
    show();
}

void RunProgressDialog::ShowProgress()
{
    const auto [done, total] = progress_();
    bar_->setRange(0, static_cast<int>(std::min<std::size_t>(total, INT_MAX)));
    bar_->setValue(static_cast<int>(std::min<std::size_t>(done, std::min<std::size_t>(total, INT_MAX))));
}

void RunProgressDialog::reject()
{
    if (close_->isHidden()) {
        if (cancel_->isEnabled())
            cancel_->click();
        return;
    }
    QDialog::reject();
}

void RunProgressDialog::ShowSummary(const QString& summary)
{
    timer_->stop();
    status_->setText(summary);
    bar_->setRange(0, 1);
    bar_->setValue(1);
    cancel_->hide();
    close_->show();
    close_->setDefault(true);
    close_->setFocus();
}

}  // namespace thld
