#include "qt/status_line.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <climits>

#include "qt/qt_text.h"

namespace thld {

namespace {

// Work that ends sooner than this shows no progress bar.
constexpr qint64 kProgressDelayMs = 150;

void Describe(QWidget* widget, const char* name, const char* accessibleName, const char* description)
{
    widget->setObjectName(QString::fromUtf8(name));
    widget->setAccessibleName(QString::fromUtf8(accessibleName));
    widget->setAccessibleDescription(QString::fromUtf8(description));
}

}  // namespace

StatusLine::StatusLine(QStatusBar& bar) : QObject(&bar)
{
    ticked_ = new QLabel;
    Describe(ticked_, "tickedLabel", "Ticked packages", "How many packages are ticked and their size");
    status_ = new QLabel;
    Describe(status_, "statusLabel", "Status", "What a long operation is doing");
    bar_ = new QProgressBar;
    Describe(bar_, "progressBar", "Progress", "How far a long operation has got");
    bar_->setMaximumWidth(220);
    bar.addWidget(ticked_, 1);
    bar.addPermanentWidget(status_);
    bar.addPermanentWidget(bar_);
    status_->hide();
    bar_->hide();
    timer_ = new QTimer(this);
    timer_->setInterval(50);
    connect(timer_, &QTimer::timeout, this, &StatusLine::ShowProgress);
}

void StatusLine::ShowTicked(std::size_t count, std::uint64_t bytes,
                            std::optional<std::pair<std::size_t, std::size_t>> shown)
{
    std::string line = messages::TickedLine(count, bytes);
    if (shown)
        line += "; " + messages::ShownOf(shown->first, shown->second);
    ticked_->setText(ToQt(line));
}

void StatusLine::StartWork(std::function<Progress()> progress)
{
    progress_ = std::move(progress);
    since_ = QDateTime::currentMSecsSinceEpoch();
    timer_->start();
}

void StatusLine::EndWork()
{
    timer_->stop();
    progress_ = nullptr;
    status_->hide();
    bar_->hide();
}

void StatusLine::ShowProgress()
{
    if (QApplication::activeModalWidget()) {
        // The work waits for an answer: no progress to show, and the delay starts afresh after it.
        since_ = QDateTime::currentMSecsSinceEpoch();
        status_->hide();
        bar_->hide();
        return;
    }
    if (!progress_ || QDateTime::currentMSecsSinceEpoch() - since_ < kProgressDelayMs)
        return;
    const Progress now = progress_();
    const int total = static_cast<int>(std::min<std::size_t>(now.total, INT_MAX));
    status_->setText(QString::fromUtf8(messages::WorkStatus(now.work)));
    bar_->setRange(0, total);
    bar_->setValue(static_cast<int>(std::min<std::size_t>(now.done, static_cast<std::size_t>(total))));
    status_->show();
    bar_->show();
}

}  // namespace thld
