#include "shell/widgets/frmText.h"

#include "platform/widgets/DialogRunner.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>

#include <gtest/gtest.h>

TEST(frmText, TextAndAddTextJoinWithoutSeparator) {
    frmText window;
    window.SetText("Errors:\n");
    window.AddText("line 3");
    window.AddText("line 4\n");
    EXPECT_EQ(window.Text(), "Errors:\nline 3line 4\n");
    EXPECT_EQ(window.findChild<QPushButton*>("btnOK")->text(), "Close");
}

TEST(frmText, ModelessShowHasTheCaptionAndCloseDeletesIt) {
    QWidget owner;
    QPointer<frmText> window = new frmText;
    window->SetText("Sector 1 [SEC1]\n");
    window->MyShow("Errors in file data", false, &owner);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Errors in file data");
    EXPECT_EQ(window->parentWidget(), &owner);
    window->findChild<QPushButton*>("btnOK")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST(frmText, ModalShowGoesThroughTheDialogSeam) {
    platform::ScriptedDialogs dialogs;
    QString seen;
    dialogs.answerAs<frmText>([&](frmText& shown) {
        seen = shown.Text();
        shown.findChild<QPushButton*>("btnOK")->click();
    });
    frmText window;
    window.SetText("report");
    window.MyShow("Duplicit string IDs in page", true);
    EXPECT_EQ(seen, "report");
    EXPECT_EQ(dialogs.shown(), QStringList{"frmText"});
    EXPECT_FALSE(window.isVisible());
}

TEST(frmText, LongLinesWrapInsteadOfScrollingSideways) {
    frmText window;
    const QString line = "Ship index 4, name \"SS_SH_CITADEL\": the line holds 61 values, but "
                         "its turrets, gun groups and guns need 73 of them.\n";
    window.SetText(line + line);
    window.show();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    auto* text = window.findChild<QPlainTextEdit*>("txt");
    EXPECT_GT(text->fontMetrics().horizontalAdvance(line), text->viewport()->width());
    EXPECT_EQ(text->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(window.Text(), line + line);
}
