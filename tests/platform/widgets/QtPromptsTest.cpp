#include "platform/widgets/QtPrompts.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace platform;

TEST(QtPrompts, MessageBoxShowsTheQuestionAndGivesThePressedButton) {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QMessageBox::StandardButton> shown;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        for (QAbstractButton* button : box->buttons())
            shown << box->standardButton(button);
        defaultButton = box->standardButton(box->defaultButton());
        box->button(QMessageBox::No)->click();
    });
    QtPrompts prompts;
    const PromptAnswer answer = prompts.ask({"Ruvaze Rezivo", "Do you want to save your changes?",
                                             PromptIcon::Question, PromptButtons::YesNoCancel, 2});
    EXPECT_EQ(answer, PromptAnswer::No);
    EXPECT_EQ(title, "Ruvaze Rezivo");
    EXPECT_EQ(text, "Do you want to save your changes?");
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(shown.size(), 3);
    EXPECT_TRUE(shown.contains(QMessageBox::Cancel));
    EXPECT_EQ(defaultButton, QMessageBox::Cancel);
}
