#pragma once
// The two dialogs of a command run on many packages at once: the one confirmation, which lists what
// the plan will do with its count and total size and has the verb on its button (Cancel is the
// default); and the progress of the run, with Cancel, which ends showing what was done.

#include <QDialog>

#include <functional>
#include <utility>

#include "commands/plan_words.h"

class QDialogButtonBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace thld {

class PlanConfirmationDialog : public QDialog {
    Q_OBJECT

public:
    explicit PlanConfirmationDialog(const PlanConfirmation& confirmation, QWidget* parent = nullptr);
};

class RunProgressDialog : public QDialog {
    Q_OBJECT

public:
    // How far the run has got: questions answered, of how many.
    using Progress = std::function<std::pair<std::size_t, std::size_t>()>;
    // Shown over `parent` at once, without blocking it; Cancel emits Cancelled (once).
    RunProgressDialog(const QString& title, const QString& status, Progress progress, QWidget* parent);
    // The run has ended: the summary in place of the status, and Close in place of Cancel.
    void ShowSummary(const QString& summary);

signals:
    void Cancelled();

protected:
    // Escape and the close box during the run are Cancel: the dialog stays until the run ends.
    void reject() override;

private:
    void ShowProgress();

    Progress progress_;
    QLabel* status_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* close_ = nullptr;
    QTimer* timer_ = nullptr;
};

}  // namespace thld
