#include "platform/widgets/DialogRunner.h"

#include <QDialog>
#include <QPushButton>

#include <gtest/gtest.h>

using platform::RunModal;
using platform::ScriptedDialogs;

TEST(DialogRunner, StepsAnswerDialogsInOrderAndNestedOnesTakeTheNext) {
    ScriptedDialogs dialogs;
    QDialog outer;
    outer.setObjectName("outer");
    QDialog inner;
    inner.setObjectName("inner");
    int innerResult = -1;
    dialogs.answer([&](QDialog& shown) {
        EXPECT_TRUE(shown.isVisible());
        innerResult = RunModal(inner);
        shown.accept();
    });
    dialogs.answer([](QDialog& shown) { shown.done(7); });
    EXPECT_EQ(RunModal(outer), QDialog::Accepted);
    EXPECT_EQ(innerResult, 7);
    EXPECT_EQ(dialogs.shown(), (QStringList{"outer", "inner"}));
    EXPECT_FALSE(outer.isVisible());
}

TEST(DialogRunner, ADialogLeftOpenOrUnscriptedIsRejected) {
    ScriptedDialogs dialogs;
    QDialog dialog;
    dialog.setObjectName("frmEdit");
    dialogs.answer([](QDialog&) {});
    EXPECT_EQ(RunModal(dialog), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(RunModal(dialog), QDialog::Rejected);
    EXPECT_EQ(dialogs.pending(), 0);
    {
        // A typed step for another class leaves the dialog untouched.
        ScriptedDialogs nested;
        bool ran = false;
        nested.answerAs<QPushButton>([&](QPushButton&) { ran = true; });
        EXPECT_EQ(RunModal(dialog), QDialog::Rejected);
        EXPECT_FALSE(ran);
    }
    EXPECT_EQ(dialogs.shown().size(), 2);
}
