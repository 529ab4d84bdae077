#pragma once
// Whether the maps the tree shows will load offline once made permanent, found off the window's
// thread: a map's answer can take the reading of thousands of files (all it requires, followed
// through), which the window never waits for. Asked for an item, it gives the answer when found and
// otherwise looks for it, telling (Answered) on the window's thread once it has it; the items asked
// for last are looked for first. A new listing's check drops every answer and question before it.

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "cache/package_item.h"
#include "game/cache_checks.h"

namespace thld {

class ThreadMailbox;

class OfflineAnswers : public QObject {
    Q_OBJECT

public:
    explicit OfflineAnswers(QObject* parent = nullptr);
    // Waits for the thread, which stops before the next file it would read.
    ~OfflineAnswers() override;

    // Answers from now on by `check` (none: nothing is looked for), made from `items`.
    void Use(std::shared_ptr<const std::vector<PackageItem>> items, std::shared_ptr<const OfflineCheck> check);
    // The answer of OfflineCheck::Missing for the item, when found; otherwise nothing, and it is
    // looked for (once).
    const std::optional<std::vector<MissingImport>>* Answer(std::size_t item);
    // Whether an item asked for is still looked for.
    bool Pending() const { return asked_.size() != answers_.size(); }

signals:
    void Answered(std::size_t item);

private:
    void Work();

    ThreadMailbox& mailbox_;  // the answers' way to the window's thread
    // The window's thread's own.
    std::unordered_map<std::size_t, std::optional<std::vector<MissingImport>>> answers_;
    std::unordered_set<std::size_t> asked_;  // those answered among them
    bool checking_ = false;                  // a check is in use
    // Shared with the thread.
    std::mutex mutex_;
    std::condition_variable woken_;
    std::vector<std::size_t> questions_;
    std::shared_ptr<const std::vector<PackageItem>> items_;
    std::shared_ptr<const OfflineCheck> check_;
    std::atomic<unsigned> generation_{0};  // of the check in use
    bool ending_ = false;
    std::thread thread_;  // started at the first question
};

}  // namespace thld
