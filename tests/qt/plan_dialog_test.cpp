// The one confirmation for many packages as the user sees it, the help the program finds wherever
// it is installed, and the About box's identity.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "commands/plan_words.h"
#include "qt/about_dialog.h"
#include "qt/help_file.h"
#include "qt/plan_dialogs.h"
#include "qt/qt_text.h"
#include "support/temp_folder.h"

namespace thld::test {
namespace {

// Delete of 200 maps of 6,000 bytes each: the list, the count and size, the verb on the button,
// Cancel the default (Enter cancels).
TEST(PlanConfirmationDialogTest, ListsThePlanWithTheVerbOnItsButtonAndCancelAsTheDefault)
{
    std::vector<PackageItem> items(200);
    CommandPlan plan;
    plan.command = CommandPlan::Command::Delete;
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i].name = "DM-Map" + std::to_string(1000 + i) + ".unr";
        items[i].size = 6000;
        PlannedStep step;
        step.what = PlannedStep::What::Delete;
        step.name = items[i].name;
        step.item = i;
        step.question = i;
        plan.steps.push_back(step);
    }
    PlanConfirmationDialog dialog(ConfirmationOf(plan, items));
    dialog.show();
    QApplication::processEvents();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Delete Packages"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("planHeading"))->text(),
              QStringLiteral("These 200 packages (1.1 MiB) will be deleted from the cache:"));
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("planList"));
    ASSERT_EQ(list->topLevelItemCount(), 200);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("DM-Map1000.unr"));
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("5.9 KiB"));
    auto* action = dialog.findChild<QPushButton*>(QStringLiteral("planActionButton"));
    auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("planCancelButton"));
    EXPECT_EQ(action->text(), QStringLiteral("Delete 200 Packages"));
    EXPECT_EQ(cancel->text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(cancel->isDefault());
    EXPECT_FALSE(action->isDefault());
    const char* picture = THLD_QT_MANY_PICTURE;
    EXPECT_TRUE(dialog.grab().save(QString::fromUtf8(picture))) << picture;
    QTimer::singleShot(0, &dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Return); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
}

// The help of an installed package beside the program's bin folder, the README beside a program
// unpacked from a zip; nothing where there is none.
TEST(HelpFileTest, IsFoundWhereverTheProgramIsInstalled)
{
    TempFolder temp;
    temp.MakeFolder("usr/bin");
    temp.MakeFolder("usr/share/doc/tallyhold");
    temp.Write("usr/share/doc/tallyhold/README.md", "# Tallyhold");
    temp.MakeFolder("zip");
    temp.Write("zip/README.txt", "Tallyhold");
    temp.MakeFolder("bare/bin");
    const auto found = [&](const char* folder) {
        return FromQt(QDir::fromNativeSeparators(HelpFile(ToQt(temp / folder))));
    };
    EXPECT_EQ(found("usr/bin"), temp / "usr/share/doc/tallyhold/README.md");
    EXPECT_EQ(found("zip"), temp / "zip/README.txt");
    if (!QDir(QStringLiteral("/usr/share/doc/tallyhold")).exists() &&
        !QDir(QStringLiteral("/usr/local/share/doc/tallyhold")).exists()) {
        EXPECT_EQ(found("bare/bin"), "");
    }
}

TEST(AboutDialogTest, GivesTheProductThePublisherAndTheFourPartVersion)
{
    AboutDialog about;
    const QString identity = about.findChild<QLabel*>(QStringLiteral("aboutIdentity"))->text();
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^Tallyhold, version \\d+\\.\\d+\\.\\d+\\.\\d+, published by Brightwick$"))
            .match(identity)
            .hasMatch())
        << FromQt(identity);
}

}  // namespace
}  // namespace thld::test
