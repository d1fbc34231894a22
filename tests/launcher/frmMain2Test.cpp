#include "launcher/frmMain2.h"

#include "launcher/LauncherView.h"

#include "LauncherTestSupport.h"
#include "common/mdlCommonGlobals.h"
#include "platform/ScriptedPrompts.h"
#include "shell/mdlComFunctions.h"
#include "shell/widgets/mdlComFunctionsWidgets.h"
#include "support/ClickRows.h"
#include "support/Eventually.h"
#include "support/TestFolders.h"
#include <QWindow>

#include <QListWidget>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using launcher::frmMain2;
using mdlCommon::Settings;
using platform::PromptAnswer;

namespace {

QStringList keys(const QListWidget* view) {
    QStringList found;
    for (int i = 0; i < view->count(); ++i)
        found << view->item(i)->data(mdlComFunctions::kItemKeyRole).toString();
    return found;
}

QString caption(const QListWidget* view, const QString& key) {
    const QListWidgetItem* item = mdlComFunctions::GetListItemByKey(view, key);
    return item ? item->text() : QString("(absent)");
}

class LauncherTest : public testing::Test {
protected:
    LauncherTest() { Settings().SetZorvPath(QString::fromStdString(testsupport::dataDir())); }

    platform::ScriptedPrompts prompts;
    platform::ScopedPrompts installed{prompts};
    launchertest::RecordingActions actions;
};

} // namespace

TEST_F(LauncherTest, ItemsFollowTheSettingsInTheirOrder) {
    {
        frmMain2 window(actions);
        EXPECT_EQ(keys(window.View),
                  (QStringList{"te", "ge", "tre", "zorv", "settings", "help", "about"}));
        EXPECT_EQ(caption(window.View, "te"), "DIV Avuruz");
        EXPECT_EQ(caption(window.View, "tre"), "Text Resource Editor");
    }
    Settings().SetCustomProgram("/opt/tools/My Tool.sh");
    Settings().SetExt3DViewerPath("/usr/bin/viewer3d");
    platform::RegKey::root(platform::Hive::HKEY_LOCAL_MACHINE)
        .createKey("SOFTWARE\\Zorv ModManager")
        .setText("path", "/opt/mm");
    frmMain2 window(actions);
    EXPECT_EQ(keys(window.View), (QStringList{"te", "ge", "tre", "zorvmm", "zorv", "custom",
                                              "3Dviwer", "settings", "help", "about"}));
    EXPECT_EQ(caption(window.View, "custom"), "My Tool");
    EXPECT_EQ(caption(window.View, "3Dviwer"), "viewer3d");
}

TEST_F(LauncherTest, ShowSetsTheCaptionAndOpensTheCommandLineFile) {
    frmMain2 window(actions);
    window.SetCommandLine({"-XML", "440001.xml"});
    window.MyShow();
    EXPECT_EQ(window.windowTitle(),
              QString("Zorv Editor (%1)").arg(mdlComFunctions::GetAppVersion()));
    EXPECT_EQ(actions.calls, QStringList{"xml:440001.xml"});
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(LauncherTest, UsageForThreeArgumentsOpensNothing) {
    frmMain2 window(actions);
    window.SetCommandLine({"a", "b", "c"});
    window.MyShow();
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].title, "Zorv Editor");
    EXPECT_TRUE(prompts.messages()[0].text.startsWith("Invalid command line parameters."));
    EXPECT_TRUE(actions.calls.isEmpty());
}

TEST_F(LauncherTest, MissingDataPathIsAskedAfterTheCommandLine) {
    Settings().SetZorvPath(QString());
    prompts.answer(PromptAnswer::Yes); // the invalid type box
    prompts.answer(PromptAnswer::Yes); // the data path question
    frmMain2 window(actions);
    window.SetCommandLine({"/x", "TWareB.txt"});
    window.MyShow();
    const auto messages = prompts.messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, "Invalid file type: -x\nMust be one of: -tfile, -xml, -map");
    EXPECT_EQ(messages[1].text, "Zorv Editor was unable to find Zorv path in your registry. Do "
                                "you want to set it now manually?");
    EXPECT_EQ(messages[1].buttons, platform::PromptButtons::YesNo);
    EXPECT_EQ(actions.calls, (QStringList{"tfile:TWareB.txt", "settings"}));
}

TEST_F(LauncherTest, ItemsStartTheirActions) {
    Settings().SetCustomProgram("/opt/tool");
    frmMain2 window(actions);
    for (const char* key : {"te", "ge", "tre", "custom", "help", "about", "settings"})
        window.ExecuteItem(key);
    EXPECT_EQ(actions.calls, (QStringList{"tfile:", "map:", "xml:", "run:/opt/tool", "help",
                                          "about", "settings"}));
}

TEST_F(LauncherTest, AProgramThatCannotStartIsReported) {
    Settings().SetCustomProgram("/opt/missing");
    actions.runResult = false;
    frmMain2 window(actions);
    window.ExecuteItem("custom");
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].text, "Error starting program:\n\ncannot start it");
    EXPECT_EQ(prompts.messages()[0].icon, platform::PromptIcon::Critical);
}

TEST_F(LauncherTest, SettingsOkRefreshesTheProgramItems) {
    Settings().SetCustomProgram("/opt/old.sh");
    frmMain2 window(actions);
    mdlComFunctions::GetListItemByKey(window.View, "custom")->setText("Renamed");
    actions.settings = [] {
        Settings().SetCustomProgram(QString());
        Settings().SetExt3DViewerPath("/usr/bin/view3d");
        return true;
    };
    window.ShowSettingsAndRefresh();
    EXPECT_EQ(caption(window.View, "custom"), "(absent)");
    EXPECT_EQ(caption(window.View, "3Dviwer"), "view3d");
    EXPECT_EQ(keys(window.View).last(), "3Dviwer");
}

TEST_F(LauncherTest, RenamesSurviveARestartAndEmptyOnesAreRefused) {
    {
        frmMain2 window(actions);
        QListWidgetItem* editor = mdlComFunctions::GetListItemByKey(window.View, "te");
        editor->setText("Tables");
        QListWidgetItem* help = mdlComFunctions::GetListItemByKey(window.View, "help");
        help->setText("   ");
        EXPECT_EQ(help->text(), "Help");
        window.close();
    }
    frmMain2 window(actions);
    EXPECT_EQ(caption(window.View, "te"), "Tables");
    EXPECT_EQ(caption(window.View, "help"), "Help");
}

TEST_F(LauncherTest, IconsSnapToTheGridAndArrangeInRows) {
    frmMain2 window(actions);
    window.resize(375, 300);
    window.show();
    ASSERT_TRUE(testsupport::Eventually([&] { return window.windowHandle()->isExposed(); }));
    const QSize cell = window.CellSize();
    ASSERT_GT(cell.width(), 0);
    ASSERT_GT(cell.height(), 0);
    QListWidgetItem* first = window.View->item(0);
    QListWidgetItem* second = window.View->item(1);
    EXPECT_EQ(window.View->visualItemRect(first).topLeft(), QPoint(5, 5));
    EXPECT_EQ(window.View->visualItemRect(second).topLeft(), QPoint(5 + cell.width(), 5));

    window.View->PlaceItem(first, QPoint(cell.width() * 2 + 3, cell.height() - 2));
    window.SnapIconToGrid(first);
    EXPECT_EQ(window.View->visualItemRect(first).topLeft(),
              QPoint(cell.width() * 2 + 5, cell.height() + 5));
}

TEST_F(LauncherTest, EnterAndDoubleClicksStartOnlyTheHighlightedTool) {
    frmMain2 window(actions);
    window.resize(600, 400);
    window.show();
    const auto row = [&](const QString& key) {
        return window.View->model()->index(
            window.View->row(mdlComFunctions::GetListItemByKey(window.View, key)), 0);
    };
    testsupport::ClickRow(window.View, row("help"));
    testsupport::PressKey(window.View, Qt::Key_Return);
    EXPECT_EQ(actions.calls, QStringList{"help"});

    // Beside the icons the highlight goes, and Enter starts nothing.
    testsupport::ClickBesideRows(window.View);
    ASSERT_TRUE(window.View->selectedItems().isEmpty());
    testsupport::PressKey(window.View, Qt::Key_Return);
    EXPECT_EQ(actions.calls, QStringList{"help"});

    testsupport::DoubleClickRow(window.View, row("about"));
    EXPECT_EQ(actions.calls, (QStringList{"help", "about"}));
}

TEST_F(LauncherTest, OpensShowingEveryItemWithoutScrolling) {
    Settings().SetCustomProgram("/opt/tools/My Tool.sh");
    Settings().SetExt3DViewerPath("/usr/bin/viewer3d");
    frmMain2 window(actions);
    window.show();
    EXPECT_GE(window.width(), 375);
    EXPECT_GE(window.height(), 143);
    const QRect shown = window.View->viewport()->rect();
    for (int i = 0; i < window.View->count(); ++i)
        EXPECT_TRUE(shown.contains(window.View->visualItemRect(window.View->item(i))))
            << window.View->item(i)->text().toStdString();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.View->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(window.View->verticalScrollBar()->isVisible());
}
