#include "qt/problems_dialog.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "commands/fix_command.h"
#include "commands/problem_groups.h"
#include "commands/problem_lines.h"
#include "qt/qt_text.h"

namespace thld {

namespace {

using Kind = CacheProblem::Kind;

// Every column's full text in its tooltip, for a row that is wrapped or cut at any width.
void GiveTooltips(QTreeWidgetItem* item)
{
    for (int column = 0; column < item->columnCount(); ++column)
        item->setToolTip(column, item->text(column));
}

}  // namespace

QString ProblemLineText(const CacheProblem& problem) { return ToQt(ProblemLine(problem)); }

QString ProblemCommand(const CacheProblem& p) { return ToQt(FixCommand(p).value_or(std::string())); }

ProblemsDialog::ProblemsDialog(const std::vector<CacheProblem>& problems, FixAsked fix, QWidget* parent)
    : QDialog(parent), fix_(std::move(fix))
{
    setWindowTitle(QStringLiteral("Problems of the Cache"));
    auto* layout = new QVBoxLayout(this);
    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("problemsSummary"));
    summary_->setWordWrap(true);
    layout->addWidget(summary_);

    tree_ = new QTreeWidget;
    tree_->setObjectName(QStringLiteral("problemsTree"));
    tree_->setAccessibleName(QStringLiteral("Problems"));
    tree_->setAccessibleDescription(QStringLiteral("The cache's problems, grouped by kind, with what can be done"));
    tree_->setHeaderLabels({QStringLiteral("Problem"), QStringLiteral("Command that mends it")});
    tree_->setColumnCount(2);
    tree_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tree_->header()->setStretchLastSection(false);
    tree_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    tree_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    // Long lines wrap within their column, never cut short; rows grow to hold them.
    tree_->setWordWrap(true);
    tree_->setTextElideMode(Qt::ElideNone);
    tree_->setUniformRowHeights(false);
    connect(tree_->header(), &QHeaderView::sectionResized, this, [this](int column) {
        if (column == 0)
            FitRows();
    });
    layout->addWidget(tree_, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    returnButton_ = buttons->addButton(QStringLiteral("&Return to Cache"), QDialogButtonBox::ActionRole);
    returnButton_->setObjectName(QStringLiteral("returnButton"));
    returnButton_->setAccessibleDescription(
        QStringLiteral("Puts the installed copies of the selected mismatches back into the cache"));
    tidyButton_ = buttons->addButton(QStringLiteral("&Tidy"), QDialogButtonBox::ActionRole);
    tidyButton_->setObjectName(QStringLiteral("tidyButton"));
    tidyButton_->setAccessibleDescription(
        QStringLiteral("Removes the stale lines, and deletes the selected files without a line"));
    copy_ = buttons->addButton(QStringLiteral("&Copy Command"), QDialogButtonBox::ActionRole);
    copy_->setObjectName(QStringLiteral("copyCommandButton"));
    copy_->setAccessibleDescription(QStringLiteral("Copies the selected problem's command, to paste into a terminal"));
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &ProblemsDialog::UpdateButtons);
    connect(tree_, &QTreeWidget::currentItemChanged, this, &ProblemsDialog::UpdateButtons);
    connect(copy_, &QPushButton::clicked, this, [this] {
        if (QTreeWidgetItem* current = tree_->currentItem())
            QGuiApplication::clipboard()->setText(current->text(1));
    });
    for (auto [button, kind] :
         {std::pair{returnButton_, ProblemFix::Return}, std::pair{tidyButton_, ProblemFix::Tidy}}) {
        connect(button, &QPushButton::clicked, this, [this, kind] {
            const std::vector<bool> chosen = Chosen(kind);
            if (!fix_ || std::find(chosen.begin(), chosen.end(), true) == chosen.end())
                return;
            fixing_ = true;
            UpdateButtons();
            fix_(kind, problems_, chosen);
        });
    }
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    ShowProblems(problems);
    resize(760, 420);
}

void ProblemsDialog::ShowProblems(const std::vector<CacheProblem>& problems)
{
    problems_ = problems;
    fixing_ = false;
    summary_->setText(problems.empty()
                          ? QStringLiteral("No problems found.")
                          : QStringLiteral("%1 %2 found. Select them to fix them here, or copy the "
                                           "commands shown to mend them from a terminal.")
                                .arg(problems.size())
                                .arg(problems.size() == 1 ? QStringLiteral("problem") : QStringLiteral("problems")));
    tree_->clear();
    for (const ProblemGroup& group : kProblemGroups) {
        QTreeWidgetItem* heading = nullptr;
        for (std::size_t i = 0; i < problems.size(); ++i) {
            const CacheProblem& problem = problems[i];
            if (problem.kind != group.kind)
                continue;
            if (!heading) {
                heading = new QTreeWidgetItem(tree_, {QString::fromUtf8(ProblemWord(group.kind)) +
                                                      QStringLiteral(": ") + QString::fromUtf8(group.title)});
                heading->setFirstColumnSpanned(true);
                GiveTooltips(heading);
                QFont bold = heading->font(0);
                bold.setBold(true);
                heading->setFont(0, bold);
                auto* remedy = new QTreeWidgetItem(
                    heading, {QString::fromUtf8(group.remedy).replace(QLatin1Char('\n'), QLatin1Char(' '))});
                remedy->setFirstColumnSpanned(true);
                GiveTooltips(remedy);
                QFont italic = remedy->font(0);
                italic.setItalic(true);
                remedy->setFont(0, italic);
            }
            auto* line = new QTreeWidgetItem(heading, {ProblemLineText(problem), ProblemCommand(problem)});
            GiveTooltips(line);
            line->setData(0, Qt::UserRole, static_cast<qulonglong>(i) + 1);  // 0: no problem's line
        }
    }
    tree_->expandAll();
    FitRows();
    UpdateButtons();
}

void ProblemsDialog::FitRows()
{
    // A tree's rows do not grow for wrapped text by themselves: each is given the height of its
    // text wrapped at the width it is drawn in.
    const int margin = 2 * (tree_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tree_) + 1) + 2;
    const QFontMetrics metrics(tree_->font());
    for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
        QTreeWidgetItem* item = *it;
        int depth = 1;  // the root is decorated
        for (const QTreeWidgetItem* above = item->parent(); above; above = above->parent())
            ++depth;
        const int column = item->isFirstColumnSpanned() ? tree_->viewport()->width() : tree_->columnWidth(0);
        const int width = std::max(40, column - depth * tree_->indentation() - margin);
        const QFontMetrics shown(item->font(0).resolve(tree_->font()));
        const int height =
            shown.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, item->text(0)).height() + margin;
        item->setSizeHint(0, QSize(0, std::max(height, metrics.height() + margin)));
    }
    tree_->doItemsLayout();
}

void ProblemsDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    FitRows();
}

std::vector<bool> ProblemsDialog::Chosen(ProblemFix fix) const
{
    std::vector<bool> chosen(problems_.size(), false);
    bool stale = false;
    for (const QTreeWidgetItem* item : tree_->selectedItems()) {
        const qulonglong number = item->data(0, Qt::UserRole).toULongLong();
        if (number == 0)
            continue;
        const CacheProblem::Kind kind = problems_[number - 1].kind;
        if (fix == ProblemFix::Return ? kind == Kind::Mismatch : kind == Kind::Orphan)
            chosen[number - 1] = true;
        stale = stale || kind == Kind::Stale;
    }
    for (std::size_t i = 0; i < problems_.size(); ++i)
        if (fix == ProblemFix::Tidy && stale && problems_[i].kind == Kind::Stale)
            chosen[i] = true;
    return chosen;
}

void ProblemsDialog::UpdateButtons()
{
    const QTreeWidgetItem* current = tree_->currentItem();
    copy_->setEnabled(current && !current->text(1).isEmpty());
    const auto any = [](const std::vector<bool>& chosen) {
        return std::find(chosen.begin(), chosen.end(), true) != chosen.end();
    };
    returnButton_->setEnabled(fix_ && !fixing_ && any(Chosen(ProblemFix::Return)));
    tidyButton_->setEnabled(fix_ && !fixing_ && any(Chosen(ProblemFix::Tidy)));
    returnButton_->setVisible(static_cast<bool>(fix_));
    tidyButton_->setVisible(static_cast<bool>(fix_));
}

}  // namespace thld
