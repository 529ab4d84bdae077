#pragma once
// The cache's problems (CheckCache) in a dialog: one group per kind with its title and what can be
// done, each problem under it with the command line that mends it where there is one, which Copy
// Command puts on the clipboard. Return to Cache (for the selected mismatches) and Tidy (for the
// selected stale lines and orphans) hand the fix to the window, which runs it and hands the
// problems found afterwards back (ShowProblems).

#include <QDialog>

#include <functional>
#include <vector>

#include "game/cache_checks.h"

class QPushButton;
class QTreeWidget;
class QLabel;

namespace thld {

enum class ProblemFix {
    Return,  // the chosen mismatches' installed copies back into the cache
    Tidy,    // the chosen stale lines removed, the chosen orphans deleted
};

class ProblemsDialog : public QDialog {
    Q_OBJECT

public:
    // Asked to fix: the kind, the problems shown and which of them are chosen (`chosen[i]` for
    // problems[i]). While the fix runs the fix buttons are off, until ShowProblems.
    using FixAsked = std::function<void(ProblemFix, const std::vector<CacheProblem>&, const std::vector<bool>&)>;

    ProblemsDialog(const std::vector<CacheProblem>& problems, FixAsked fix = {}, QWidget* parent = nullptr);
    // Shows these problems in place of those shown, and takes fixes again.
    void ShowProblems(const std::vector<CacheProblem>& problems);

private:
    // For Tidy: the selected orphans, and every stale line once one is selected (as the command
    // line removes them all, and deletes orphans only when named).
    std::vector<bool> Chosen(ProblemFix fix) const;
    void UpdateButtons();
    // Gives every row the height its wrapped text needs at the columns' widths.
    void FitRows();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::vector<CacheProblem> problems_;
    FixAsked fix_;
    QLabel* summary_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QPushButton* copy_ = nullptr;
    QPushButton* returnButton_ = nullptr;
    QPushButton* tidyButton_ = nullptr;
    bool fixing_ = false;
};

// One problem as a line of the dialog (the core's ProblemLine), and the command that mends it
// (empty where none does).
QString ProblemLineText(const CacheProblem& problem);
QString ProblemCommand(const CacheProblem& problem);

}  // namespace thld
