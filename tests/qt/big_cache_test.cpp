// The window over a synthetic cache answers input while the cache is listed or checked, and shows the rows
// listed so far.
#include <gtest/gtest.h>

#include <QAbstractProxyModel>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <condition_variable>
#include <mutex>

#include "cache/cached_file.h"
#include "commands/messages.h"
#include "commands/status_messages.h"
#include "platform/file_fault.h"
#include "qt/qt_text.h"
#include "synthetic_cache.h"
#include "window_fixture.h"

namespace thld::test {
namespace {

// Holds the listing's reader at the open of one file until released, whatever happens meanwhile.
class HeldOpen {
public:
    explicit HeldOpen(std::string path) : path_(std::move(path))
    {
        previous_ = SetDiskFaultHook([this](DiskStep step, const std::string& path) -> std::optional<FileErrorCause> {
            if (step == DiskStep::OpenRead && path == path_) {
                std::unique_lock lock(mutex_);
                held_ = true;
                released_.wait(lock, [this] { return release_; });
            }
            return std::nullopt;
        });
    }
    ~HeldOpen() { SetDiskFaultHook(std::move(previous_)); }
    bool Held()
    {
        std::lock_guard lock(mutex_);
        return held_;
    }
    void Release()
    {
        std::lock_guard lock(mutex_);
        release_ = true;
        released_.notify_all();
    }

private:
    std::string path_;
    DiskFaultHook previous_;
    std::mutex mutex_;
    std::condition_variable released_;
    bool held_ = false, release_ = false;
};

TEST_F(WindowTest, TheWindowAnswersInputWhileTenThousandPackagesAreListed)
{
    const auto packages = bench::PlanCache(10000, 1999);
    bench::WriteCache(packages, game + "cache/");
    store.value = game;
    std::uint64_t total = 0;
    for (const auto& p : packages)
        total += p.size;

    HeldOpen held(CachedFilePath(game + "cache/", packages[6000].key));
    Start();
    ASSERT_TRUE(WaitFor([&] { return held.Held(); }));
    QTest::qWait(300);  // long enough for the progress to show

    // The listing is under way and the window takes input.
    EXPECT_TRUE(window->IsBusy());
    EXPECT_TRUE(Find<QProgressBar>("progressBar")->isVisible());
    EXPECT_GT(Find<QProgressBar>("progressBar")->value(), 0);
    EXPECT_EQ(Text("statusLabel"), QStringLiteral("Reviewing Cache File Types"));
    EXPECT_FALSE(Find<QPushButton>("deleteButton")->isEnabled());
    QTest::keyClicks(Find<QLineEdit>("filterField"), QStringLiteral("zz"));
    EXPECT_EQ(Find<QLineEdit>("filterField")->text(), QStringLiteral("zz"));
    window->resize(700, 500);
    QApplication::processEvents();
    EXPECT_EQ(window->size(), QSize(700, 500));

    held.Release();
    WaitIdle();
    EXPECT_FALSE(Find<QProgressBar>("progressBar")->isVisible());
    EXPECT_EQ(Model().rowCount(), 10000);
    EXPECT_EQ(ShownNames().size(), 0u);  // the filter typed meanwhile holds
    Find<QLineEdit>("filterField")->clear();
    EXPECT_EQ(ShownNames().size(), 10000u);
    EXPECT_EQ(Find<QLabel>("totalLabel")->toolTip().remove(QRegularExpression(QStringLiteral("[^0-9]"))),
              QString::number(total));
    EXPECT_TRUE(Find<QPushButton>("deleteButton")->isEnabled());
}

// File > Check the Cache runs off the window's thread: while it reads, the window shows what it does
// and takes input; the problems come once it has read.
TEST_F(WindowTest, TheWindowAnswersInputWhileTheCacheIsChecked)
{
    bench::WriteCache(bench::PlanCache(200, 1999), game + "cache/");
    store.value = game;
    Open();
    HeldOpen held(game + "cache/cache.ini");
    bool shown = false;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            shown = true;
            dialog->reject();
        }
    });
    answer.start(10);
    Action("&Check the Cache...")->trigger();
    ASSERT_TRUE(WaitFor([&] { return held.Held(); }));
    QTest::qWait(300);  // long enough for the progress to show

    EXPECT_TRUE(window->IsBusy());
    EXPECT_FALSE(shown);
    EXPECT_EQ(Text("statusLabel"), QStringLiteral("Checking the Cache"));
    EXPECT_FALSE(Find<QPushButton>("deleteButton")->isEnabled());
    QTest::keyClicks(Find<QLineEdit>("filterField"), QStringLiteral("zz"));
    EXPECT_EQ(Find<QLineEdit>("filterField")->text(), QStringLiteral("zz"));

    held.Release();
    EXPECT_TRUE(WaitFor([&] { return shown && !QApplication::activeModalWidget(); }));
    WaitIdle();
    EXPECT_TRUE(Find<QPushButton>("deleteButton")->isEnabled());
}

// Rows come as they are listed, in file order: a tick set meanwhile stays on its package, a sort
// asked for meanwhile holds once the listing ends, the requirements then appear, and a command
// waits for the end.
TEST_F(WindowTest, RowsShownWhileListingKeepTheirTicksAndSortAndCommandsWaitForTheEnd)
{
    const auto packages = bench::PlanCache(3000, 7);
    bench::WriteCache(packages, game + "cache/");
    store.value = game;
    HeldOpen held(CachedFilePath(game + "cache/", packages[2500].key));
    Start();
    if (!WaitFor([&] { return held.Held() && Model().rowCount() > 0; })) {
        held.Release();
        FAIL() << "no rows while the listing was held";
    }

    const std::vector<std::string> early = ShownNames();
    EXPECT_TRUE(window->IsBusy());
    EXPECT_FALSE(Model().Complete());
    EXPECT_TRUE(Text("totalLabel").contains(QStringLiteral("so far")));
    Tree()->setCurrentIndex(Tree()->model()->index(10, 0));
    QTest::keyClick(Tree(), Qt::Key_Space);
    EXPECT_EQ(Model().TickedCount(), 1u);
    Tree()->sortByColumn(CacheModel::SizeColumn, Qt::DescendingOrder);
    Click("deleteButton");
    EXPECT_TRUE(dialogs.said.empty());  // no question while listing

    held.Release();
    WaitIdle();
    const std::vector<PackageItem>& items = Model().Items();
    ASSERT_GT(items.size(), early.size());
    for (std::size_t i = 0; i < early.size(); ++i)
        EXPECT_EQ(items[i].name, early[i]) << i;
    ASSERT_EQ(Model().TickedCount(), 1u);
    EXPECT_TRUE(Model().Ticks()[10]);
    const auto* shown = static_cast<QAbstractProxyModel*>(Tree()->model());
    ASSERT_EQ(shown->rowCount(), static_cast<int>(items.size()));
    bool anyRequirement = false;
    for (int row = 0; row < shown->rowCount(); ++row) {
        const QModelIndex at = shown->index(row, 0);
        anyRequirement = anyRequirement || shown->rowCount(at) > 0;
        if (row > 0) {
            EXPECT_GE(items[shown->mapToSource(shown->index(row - 1, 0)).row()].size,
                      items[shown->mapToSource(at).row()].size)
                << row;
        }
    }
    EXPECT_TRUE(anyRequirement);

    dialogs.answers = {false};
    Click("deleteButton");
    WaitIdle();
    EXPECT_EQ(dialogs.said.size(), 1u);
}

}  // namespace
}  // namespace thld::test
