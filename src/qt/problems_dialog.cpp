#include "qt/problems_dialog.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "commands/problem_groups.h"
#include "qt/qt_text.h"
#include "qt/size_words.h"

namespace thld {

namespace {

using Kind = CacheProblem::Kind;

QString Listed(const std::vector<std::string>& names)
{
    QString text;
    for (const std::string& name : names)
        text += (text.isEmpty() ? QString() : QStringLiteral(", ")) + ToQt(name);
    return text;
}

QString Quoted(const std::string& name) { return QStringLiteral("\"") + ToQt(name) + QStringLiteral("\""); }

}  // namespace

QString ProblemLine(const CacheProblem& p)
{
    switch (p.kind) {
    case Kind::Mismatch:
        return ToQt(p.name) + QStringLiteral(": installed as ") + ToQt(p.path);
    case Kind::Stale:
        return ToQt(p.name) + QStringLiteral(" (") + ToQt(p.key) + QStringLiteral(".uxx is gone)");
    case Kind::Orphan:
        return ToQt(p.key) + QStringLiteral(".uxx: ") + ToQt(p.fileKind) + QStringLiteral(", ") + SizeForPeople(p.size);
    case Kind::Duplicate:
        return ToQt(p.name) + QStringLiteral(": newest ") + ToQt(p.keys.front()) + QStringLiteral(", also ") +
               Listed(std::vector<std::string>(p.keys.begin() + 1, p.keys.end()));
    case Kind::Missing:
        return ToQt(p.name) + QStringLiteral(" needs ") + Listed(p.missing);
    }
    return QString();
}

QString ProblemCommand(const CacheProblem& p)
{
    switch (p.kind) {
    case Kind::Mismatch:
        return QStringLiteral("tallyhold return ") + Quoted(p.name);
    case Kind::Stale:
        return QStringLiteral("tallyhold tidy --stale");
    case Kind::Orphan:
        return QStringLiteral("tallyhold tidy --orphans");
    case Kind::Duplicate:
    case Kind::Missing:
        break;
    }
    return QString();
}

ProblemsDialog::ProblemsDialog(const std::vector<CacheProblem>& problems, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Problems of the Cache"));
    auto* layout = new QVBoxLayout(this);
    auto* summary = new QLabel(
        problems.empty() ? QStringLiteral("No problems found.")
                         : QStringLiteral("%1 %2 found. The commands shown mend them from a "
                                          "terminal.")
                               .arg(problems.size())
                               .arg(problems.size() == 1 ? QStringLiteral("problem") : QStringLiteral("problems")));
    summary->setObjectName(QStringLiteral("problemsSummary"));
    summary->setWordWrap(true);
    layout->addWidget(summary);

    auto* tree = new QTreeWidget;
    tree->setObjectName(QStringLiteral("problemsTree"));
    tree->setAccessibleName(QStringLiteral("Problems"));
    tree->setAccessibleDescription(QStringLiteral("The cache's problems, grouped by kind, with what can be done"));
    tree->setHeaderLabels({QStringLiteral("Problem"), QStringLiteral("Command that mends it")});
    tree->setColumnCount(2);
    for (const ProblemGroup& group : kProblemGroups) {
        QTreeWidgetItem* heading = nullptr;
        for (const CacheProblem& problem : problems) {
            if (problem.kind != group.kind)
                continue;
            if (!heading) {
                heading = new QTreeWidgetItem(tree, {QString::fromUtf8(ProblemWord(group.kind)) + QStringLiteral(": ") +
                                                     QString::fromUtf8(group.title)});
                heading->setFirstColumnSpanned(true);
                QFont bold = heading->font(0);
                bold.setBold(true);
                heading->setFont(0, bold);
                auto* remedy = new QTreeWidgetItem(
                    heading, {QString::fromUtf8(group.remedy).replace(QLatin1Char('\n'), QLatin1Char(' '))});
                remedy->setFirstColumnSpanned(true);
                QFont italic = remedy->font(0);
                italic.setItalic(true);
                remedy->setFont(0, italic);
            }
            auto* line = new QTreeWidgetItem(heading, {ProblemLine(problem), ProblemCommand(problem)});
            line->setToolTip(0, line->text(0));
        }
    }
    tree->expandAll();
    tree->header()->setStretchLastSection(false);
    tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    tree->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    tree->setWordWrap(true);
    layout->addWidget(tree, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QPushButton* copy = buttons->addButton(QStringLiteral("&Copy Command"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("copyCommandButton"));
    copy->setAccessibleDescription(QStringLiteral("Copies the selected problem's command, to paste into a terminal"));
    copy->setEnabled(false);
    connect(tree, &QTreeWidget::currentItemChanged, copy,
            [copy](QTreeWidgetItem* current) { copy->setEnabled(current && !current->text(1).isEmpty()); });
    connect(copy, &QPushButton::clicked, this, [tree] {
        if (QTreeWidgetItem* current = tree->currentItem())
            QGuiApplication::clipboard()->setText(current->text(1));
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(760, 420);
}

}  // namespace thld
