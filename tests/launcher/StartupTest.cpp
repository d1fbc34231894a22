#include "launcher/Main.h"

#include "launcher/GameData.h"

#include "LauncherTestSupport.h"
#include "common/mdlCommonGlobals.h"
#include "launcher/frmAbout.h"
#include "launcher/frmFiles.h"
#include "launcher/frmMain2.h"
#include "platform/ScriptedPrompts.h"
#include "support/TestFolders.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

using mdlCommon::Settings;
using platform::Hive;
using platform::RegKey;

namespace {

class StartupTest : public testing::Test {
protected:
    void setGamePath(const QString& path) {
        RegKey::root(Hive::HKEY_LOCAL_MACHINE)
            .createKey("SOFTWARE\\Ormalis Software\\Zorv")
            .setText("path", path);
    }

    platform::ScriptedPrompts prompts;
    platform::ScopedPrompts installed{prompts};
    launchertest::RecordingActions actions;
};

} // namespace

TEST_F(StartupTest, CopiesTheGamePathAndWarnsWithoutLanguageFiles) {
    const QString data = QString::fromStdString(testsupport::dataDir().string());
    setGamePath(data);
    const auto launcher = launcher::Main(actions, {});
    ASSERT_TRUE(launcher);
    EXPECT_TRUE(launcher->isVisible());
    EXPECT_EQ(
        RegKey::root(Hive::HKEY_CURRENT_USER).openKey("software\\Zorv DIV Avuruz").text("DataPath"),
        data);
    const auto messages = prompts.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, platform::PromptIcon::Critical);
    EXPECT_TRUE(messages[0].text.startsWith("Error loading resources: \n\n"));
    EXPECT_TRUE(
        messages[0].text.endsWith("\n\nObject descriptions and names will be unavailable."));
}

TEST_F(StartupTest, AMissingModCatalogOnlyWarns) {
    const QString data = QString::fromStdString(testsupport::dataDir().string());
    testsupport::writeFile(testsupport::dataDir() / "t" / "440001.xml",
                           "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<language id=\"44\">\n"
                           "<page id=\"17\" title=\"Names\" descr=\"\">\n<t id=\"1\">A</t>\n"
                           "</page>\n</language>\n");
    setGamePath(data);
    RegKey::root(Hive::HKEY_LOCAL_MACHINE)
        .createKey("SOFTWARE\\Brannox\\Zorv")
        .setText("ModName", "gone");
    const auto launcher = launcher::Main(actions, {"-tfile", "TShips.txt"});
    ASSERT_TRUE(launcher);
    const auto messages = prompts.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(
        messages[0].text,
        QString("Warning:\nError loading active mod \"%1/mods/gone.cat\".\nThis is not fatal. "
                "Maybe your \"Directory with data\" is different from real Zorv path?")
            .arg(data));
    EXPECT_EQ(actions.calls, QStringList{"tfile:TShips.txt"});
}

TEST_F(StartupTest, FileListNamesTheFilesAndTheMod) {
    testsupport::writeFile(testsupport::dataDir() / "types" / "TShips.txt", "1;0;\n");
    testsupport::writeFile(testsupport::dataDir() / "readme.txt", "x");
    std::filesystem::create_directories(testsupport::dataDir() / "empty");
    Settings().SetZorvPath(QString::fromStdString(testsupport::dataDir().string()));
    launcher::OpenGameFiles();
    launcher::frmFiles files;
    files.ShowFiles(false, nullptr);
    EXPECT_EQ(files.ActiveModEdit->text(), "(none)");
    QStringList names;
    for (int i = 0; i < files.View->topLevelItemCount(); ++i)
        names << files.View->topLevelItem(i)->text(0);
    names.sort();
    EXPECT_EQ(names, (QStringList{"\\readme.txt", "types\\TShips.txt"}));
}

TEST_F(StartupTest, AboutShowsTheThreeLibraries) {
    launcher::frmAbout about;
    EXPECT_TRUE(about.Credits->toPlainText().startsWith("DIV Avuruz"));
    about.TabStrip1->setCurrentIndex(1);
    const QStringList lines = about.Credits->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("Zorv FileDriver (zorvfd.dll): ")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("Zorv VirtualFileSystem (zorvvfs.dll): "));
    EXPECT_TRUE(lines[2].startsWith("Zorv Objects (zorvobjects.dll): "));
    EXPECT_EQ(lines[2].count('.'), 3 + 1) << "four-part version after the file name";
    about.TabStrip1->setCurrentIndex(0);
    about.TabStrip1->setCurrentIndex(1);
    EXPECT_EQ(about.Credits->toPlainText().split('\n').size(), 3);
}

TEST(AboutTest, BrowserCommandTakesTheAddress) {
    EXPECT_EQ(launcher::BrowserCommand("firefox %1", "x"), "firefox x");
    EXPECT_EQ(launcher::BrowserCommand("open \"%1\" --new", "x"), "open \"x\" --new");
    EXPECT_EQ(launcher::BrowserCommand("xdg-open", "x"), "xdg-open x");
}
