#include "qt/window_dialogs.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "qt/plan_dialogs.h"
#include "qt/qt_text.h"

namespace thld {

namespace {

QMessageBox::StandardButton Show(QMessageBox::Icon icon, const QString& title, const std::string& message,
                                 QMessageBox::StandardButtons buttons, QMessageBox::StandardButton byDefault)
{
    QMessageBox box(icon, title, ToQt(message), buttons, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);  // package names are shown as they are, markup and all
    box.setDefaultButton(byDefault);
    if (buttons.testFlag(QMessageBox::No))
        box.setEscapeButton(QMessageBox::No);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString MessageCaption() { return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(); }

}  // namespace

bool MessageBoxDialogs::Confirm(const std::string& title, const std::string& message)
{
    const QString caption = QString::fromUtf8(kQuestionTitlePrefix) + ToQt(title);
    return Show(QMessageBox::Question, caption, message, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

void MessageBoxDialogs::Tell(const std::string& message)
{
    Show(QMessageBox::Warning, MessageCaption(), message, QMessageBox::Ok, QMessageBox::Ok);
}

bool MessageBoxDialogs::Offer(const std::string& title, const std::string& message, const std::string& action)
{
    QMessageBox box(QMessageBox::Information, ToQt(title), ToQt(message), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    QPushButton* go = box.addButton(ToQt(action), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(go);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == go;
}

bool MessageBoxDialogs::ConfirmPlan(const PlanConfirmation& confirmation)
{
    return PlanConfirmationDialog(confirmation, QApplication::activeWindow()).exec() == QDialog::Accepted;
}

void MessageBoxDialogs::Stop(const std::string& message)
{
    Show(QMessageBox::Critical, MessageCaption(), message, QMessageBox::Ok, QMessageBox::Ok);
}

}  // namespace thld
