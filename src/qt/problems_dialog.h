#pragma once
// The cache's problems (CheckCache) in a dialog: one group per kind with its title and what can be
// done, each problem under it with the command line that mends it where there is one, which Copy
// Command puts on the clipboard.

#include <QDialog>

#include <vector>

#include "game/cache_checks.h"

namespace thld {

class ProblemsDialog : public QDialog {
    Q_OBJECT

public:
    ProblemsDialog(const std::vector<CacheProblem>& problems, QWidget* parent = nullptr);
};

// One problem as a line of the dialog, and the command that mends it (empty where none does).
QString ProblemLine(const CacheProblem& problem);
QString ProblemCommand(const CacheProblem& problem);

}  // namespace thld
