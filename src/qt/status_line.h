#pragma once
// The main window's status line: what is ticked (and how many rows a filter shows) on the left;
// while the window works, what it is doing and a progress bar on the right, shown only once the
// work has taken a moment, and hidden while a dialog waits for an answer.

#include <QObject>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "commands/window_messages.h"

class QLabel;
class QProgressBar;
class QStatusBar;
class QTimer;

namespace thld {

class StatusLine : public QObject {
    Q_OBJECT

public:
    struct Progress {
        messages::Work work = messages::Work::Planning;
        std::size_t done = 0;
        std::size_t total = 0;  // 0: something goes on, without telling how far it has got
    };
    explicit StatusLine(QStatusBar& bar);

    // `shown` of `total` rows where a filter narrows the tree.
    void ShowTicked(std::size_t count, std::uint64_t bytes, std::optional<std::pair<std::size_t, std::size_t>> shown);
    // Work has started; `progress` is asked how far it has got while it lasts.
    void StartWork(std::function<Progress()> progress);
    void EndWork();

private:
    void ShowProgress();

    QLabel* ticked_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QTimer* timer_ = nullptr;
    std::function<Progress()> progress_;
    qint64 since_ = 0;  // ms, by the window's clock
};

}  // namespace thld
