#include "shell/clsSettings.h"

#include "platform/ProgramPaths.h"
#include "platform/Registry.h"
#include "platform/ScriptedPrompts.h"
#include "shell/mdlComFunctions.h"
#include "support/TestFolders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using platform::Hive;
using platform::RegKey;
using platform::RegValue;
namespace fs = std::filesystem;

namespace {

const QString kRoot = "software\\Zorv DIV Avuruz";

RegKey machineKey(const QString& path) {
    return RegKey::root(Hive::HKEY_LOCAL_MACHINE).createKey(path);
}
RegKey userKey(const QString& path = QString()) {
    return RegKey::root(Hive::HKEY_CURRENT_USER)
        .createKey(path.isEmpty() ? kRoot : kRoot + "\\" + path);
}

fs::path toPath(const QString& path) {
    return fs::path(path.toStdString());
}

class SettingsTest : public testing::Test {
protected:
    void SetUp() override {
        // The temporary folders of these tests go below the test's own folder.
        fs::create_directories(testsupport::dataDir() / "tmp");
        setenv("TMPDIR", (testsupport::dataDir() / "tmp").c_str(), 1);
    }
    void TearDown() override { unsetenv("TMPDIR"); }

    platform::ScriptedPrompts prompts;
    platform::ScopedPrompts installed{prompts};
    clsSettings settings;
};

} // namespace

TEST_F(SettingsTest, FirstRunGivesTheDefaultsAndCopiesTheGamePath) {
    machineKey("SOFTWARE\\Ormalis Software\\Zorv").setText("path", "C:\\Games\\Zorv");
    EXPECT_TRUE(settings.LoadDescriptions());
    EXPECT_TRUE(settings.UseDoubleBuffer());
    EXPECT_TRUE(settings.UseDirectDraw());
    EXPECT_TRUE(settings.AutoArrangeIcons());
    EXPECT_EQ(settings.DescLangID(), 44);
    EXPECT_EQ(settings.Ext3DViewerCmdLine(), "\"%1\"");
    EXPECT_EQ(settings.Ext3DViewerPath(), "");
    EXPECT_EQ(settings.CustomProgram(), "");
    EXPECT_EQ(settings.LastOpenedXMLFile(), "");
    EXPECT_EQ(settings.ZorvPath(), "C:\\Games\\Zorv");
    EXPECT_EQ(userKey().text("DataPath"), "C:\\Games\\Zorv");
    EXPECT_EQ(settings.ZorvEXEPath(), "C:\\Games\\Zorv\\zorv.exe");
    EXPECT_TRUE(prompts.asked().empty());
}

TEST_F(SettingsTest, NoGamePathGivesNoGameProgram) {
    EXPECT_EQ(settings.ZorvPath(), "");
    EXPECT_EQ(settings.ZorvEXEPath(), "");
    settings.SetZorvPath("/games/zorv");
    EXPECT_EQ(settings.ZorvEXEPath(), "/games/zorv/zorv.exe");
}

TEST_F(SettingsTest, EmptyTextsDeleteSomeValuesAndStoreOthers) {
    machineKey("SOFTWARE\\Ormalis Software\\Zorv").setText("path", "/install");
    const struct {
        const char* valueName;
        std::function<void(const QString&)> set;
        std::function<QString()> get;
        bool deletes;
        QString readAfterEmpty;
    } cases[] = {
        {"EditorEXEPath", [&](auto v) { settings.SetCustomProgram(v); },
         [&] { return settings.CustomProgram(); }, true, ""},
        {"LastOpenXMLFile", [&](auto v) { settings.SetLastOpenedXMLFile(v); },
         [&] { return settings.LastOpenedXMLFile(); }, true, ""},
        {"ZorvEXEPath", [&](auto v) { settings.SetZorvEXEPath(v); },
         [&] { return settings.ZorvEXEPath(); }, true, "/install/zorv.exe"},
        {"3DViewerPath", [&](auto v) { settings.SetExt3DViewerPath(v); },
         [&] { return settings.Ext3DViewerPath(); }, false, ""},
        {"3DViewerCmdLine", [&](auto v) { settings.SetExt3DViewerCmdLine(v); },
         [&] { return settings.Ext3DViewerCmdLine(); }, false, ""},
        {"DataPath", [&](auto v) { settings.SetZorvPath(v); }, [&] { return settings.ZorvPath(); },
         false, "/install"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.valueName);
        c.set("/some/value");
        EXPECT_EQ(c.get(), "/some/value");
        c.set("");
        if (c.deletes)
            EXPECT_EQ(userKey().value(c.valueName), std::nullopt);
        else
            EXPECT_TRUE(userKey().text(c.valueName).has_value());
        EXPECT_EQ(c.get(), c.readAfterEmpty);
    }
}

TEST_F(SettingsTest, StoredNumbersAndFlags) {
    settings.SetLoadDescriptions(false);
    settings.SetUseDoubleBuffer(false);
    settings.SetAutoArrangeIcons(false);
    settings.SetDescLangID(49);
    EXPECT_EQ(userKey().number("LoadDesc"), 0);
    EXPECT_EQ(userKey("main").number("AutoArrangeIcons"), 0);
    EXPECT_FALSE(settings.LoadDescriptions());
    EXPECT_FALSE(settings.UseDoubleBuffer());
    EXPECT_FALSE(settings.AutoArrangeIcons());
    EXPECT_EQ(settings.DescLangID(), 49);

    userKey().setNumber("LoadDesc", 5);
    EXPECT_TRUE(settings.LoadDescriptions()) << "any number but 0 is on";
    userKey().setText("UseDirectDraw", "0");
    userKey().setText("DescLanguage", "33");
    EXPECT_TRUE(settings.UseDirectDraw()) << "a text where a number belongs reads as missing";
    EXPECT_EQ(settings.DescLangID(), 44);

    EXPECT_TRUE(settings.SaveRegValue("Sort", 0));
    EXPECT_EQ(settings.ReadRegValue("Sort", platform::REG_DWORD, 1), 0);
    EXPECT_EQ(settings.ReadRegValue("NameIdx", platform::REG_DWORD, 2), 2);
    EXPECT_FALSE(settings.ReadRegValue("NameIdx", platform::REG_DWORD).isValid());
    EXPECT_TRUE(settings.SaveRegValue("never stored", QString(), true));
    EXPECT_EQ(settings.RegGetLongValue(userKey(), "missing"), -1);
    EXPECT_EQ(settings.RegGetStringValue(userKey(), "missing"), "");
    EXPECT_EQ(settings.OpenRootHandleUserGE().path(), kRoot + "\\GE");
}

TEST_F(SettingsTest, ActiveModAndModManagerComeFromTheMachineHive) {
    const struct {
        const char* stored;
        QString name;
    } mods[] = {
        {"Mine", "Mine.cat"}, {"Mine.cat", "Mine.cat"}, {"Mine.CAT", "Mine.CAT"}, {"", ""},
        {nullptr, ""},
    };
    settings.SetZorvPath("C:\\Zorv");
    for (const auto& mod : mods) {
        SCOPED_TRACE(mod.stored ? mod.stored : "missing");
        const RegKey key = machineKey("SOFTWARE\\Brannox\\Zorv");
        if (mod.stored)
            key.setText("ModName", mod.stored);
        else
            key.deleteValue("ModName");
        EXPECT_EQ(settings.ActiveModName(), mod.name);
        EXPECT_EQ(settings.ActiveModFullName(),
                  mod.name.isEmpty() ? "" : "C:\\Zorv\\mods\\" + mod.name);
    }
    settings.SetZorvPath("/games/zorv");
    machineKey("SOFTWARE\\Brannox\\Zorv").setText("ModName", "Mine");
    EXPECT_EQ(settings.ActiveModFullName(), "/games/zorv/mods/Mine.cat");

    const struct {
        const char* path;
        const char* program;
        QString full;
    } managers[] = {
        {"C:\\MM", "", "C:\\MM\\ZorvModManager.exe"},
        {"/opt/mm", "mm", "/opt/mm/mm"},
        {"", "mm", ""},
    };
    for (const auto& manager : managers) {
        const RegKey key = machineKey("SOFTWARE\\Zorv ModManager");
        key.setText("path", manager.path);
        key.setText("exename", manager.program);
        EXPECT_EQ(settings.ZorvMMFullPath(), manager.full) << manager.path;
    }
}

TEST_F(SettingsTest, RecentListsAreTrimmedAndRewrittenWithContiguousNumbers) {
    const QStringList five = {"a", "b", "c", "d", "e"};
    settings.SaveRecentTFiles(five);
    EXPECT_EQ(settings.LoadRecentTFiles(), five);
    settings.SaveRecentTFiles({"x", "y", "z"});
    EXPECT_EQ(userKey("mru\\TXTEditor").valueNames(), QStringList({"0", "1", "2"}));
    EXPECT_EQ(settings.LoadRecentTFiles(), QStringList({"x", "y", "z"}));

    settings.SaveRecentTFiles({"1", "2", "3", "4", "5", "6", "7"});
    EXPECT_EQ(userKey("mru\\TXTEditor").valueNames().size(), clsSettings::MaxRecentFiles);
    EXPECT_EQ(settings.LoadRecentTFiles(), QStringList({"1", "2", "3", "4", "5"}));
    EXPECT_TRUE(settings.LoadRecentGalaxyMaps().isEmpty()) << "the lists are apart";
}

TEST_F(SettingsTest, RecentListIsReadByItsNumberNames) {
    const RegKey key = userKey("mru\\GEditor");
    key.setText("2", "third");
    key.setText("0", "first");
    key.setText("10", "eleventh");
    key.setText("1", "second");
    key.setNumber("3", 5);
    key.setText("01", "not canonical");
    key.setText("note", "kept");
    EXPECT_EQ(settings.LoadRecentGalaxyMaps(),
              QStringList({"first", "second", "third", "eleventh"}));

    settings.SaveRecentGalaxyMaps({"only"});
    EXPECT_EQ(key.valueNames(), QStringList({"0", "note"}));
    EXPECT_EQ(settings.LoadRecentGalaxyMaps(), QStringList({"only"}));
}

TEST_F(SettingsTest, TwoSettingsObjectsSeeEachOthersWrites) {
    clsSettings other;
    settings.SetDescLangID(49);
    EXPECT_EQ(other.DescLangID(), 49);
    other.SaveRecentTFiles({"C:\\types\\TShips.txt"});
    EXPECT_EQ(settings.LoadRecentTFiles(), QStringList({"C:\\types\\TShips.txt"}));
    other.SetUseDirectDraw(false);
    EXPECT_FALSE(settings.UseDirectDraw());
}

TEST_F(SettingsTest, InstallInformationGoesToTheMachineKey) {
    ASSERT_TRUE(settings.InitEnviroment());
    const RegKey install = machineKey(kRoot);
    EXPECT_EQ(install.text("path"), platform::programDir());
    EXPECT_EQ(install.text("EXEName"), "shell_tests");
    EXPECT_EQ(install.text("version"), mdlComFunctions::GetAppVersion());
    EXPECT_EQ(settings.HelpPath(), platform::programDir() + "/help");
}

TEST_F(SettingsTest, TemporaryFolderIsPrivateToTheInstanceAndRemovedWithIt) {
    ASSERT_TRUE(settings.InitEnviroment());
    const fs::path temp = toPath(settings.TempRoot);
    EXPECT_EQ(temp.parent_path(), testsupport::dataDir() / "tmp");
    EXPECT_EQ(temp.filename().string().rfind("Zorv Editor-", 0), 0u);
    struct stat info {};
    ASSERT_EQ(lstat(temp.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(info.st_uid, geteuid());

    fs::path otherTemp;
    {
        clsSettings other;
        ASSERT_TRUE(other.InitEnviroment());
        otherTemp = toPath(other.TempRoot);
        EXPECT_NE(otherTemp, temp);
    }
    EXPECT_FALSE(fs::exists(otherTemp)) << "released with its object";

    // What the program leaves there goes; what a link inside points at stays.
    const fs::path outside = testsupport::dataDir() / "outside.txt";
    testsupport::writeFile(outside, "keep me");
    testsupport::writeFile(temp / "model.txt", "copy");
    testsupport::writeFile(temp / "sub" / "deeper.txt", "copy");
    fs::create_symlink(outside, temp / "link");
    settings.DeleteTemp();
    EXPECT_FALSE(fs::exists(temp));
    EXPECT_EQ(testsupport::readFile(outside), "keep me");
}

TEST_F(SettingsTest, TemporaryFolderRemovalFollowsNoPlantedLink) {
    ASSERT_TRUE(settings.InitEnviroment());
    const fs::path temp = toPath(settings.TempRoot);
    const fs::path victim = testsupport::dataDir() / "victim";
    testsupport::writeFile(victim / "precious.txt", "keep me");
    fs::remove(temp);
    fs::create_directory_symlink(victim, temp);
    settings.DeleteTemp();
    EXPECT_EQ(testsupport::readFile(victim / "precious.txt"), "keep me");
    fs::remove(temp);

    clsSettings other;
    other.TempRoot = QString::fromStdString(victim.string());
    other.DeleteTemp();
    EXPECT_TRUE(fs::exists(victim / "precious.txt")) << "only its own folder is removed";
}

TEST_F(SettingsTest, TemporaryFolderIsRemovedAfterAFailedStart) {
    const fs::path record = testsupport::dataDir() / "temp-root.txt";
    // Start-up ends the program at once: no settings object is released.
    EXPECT_EXIT(
        {
            auto* started = new clsSettings;
            started->InitEnviroment();
            std::ofstream(record) << started->TempRoot.toStdString();
            std::exit(3);
        },
        testing::ExitedWithCode(3), "");
    const std::string temp = testsupport::readFile(record);
    ASSERT_FALSE(temp.empty());
    EXPECT_FALSE(fs::exists(temp));
}

TEST_F(SettingsTest, BrowserCommandComesFromTheClassesHive) {
    EXPECT_EQ(settings.GetBrowser(), "xdg-open");
    const RegKey classes = RegKey::root(Hive::HKEY_CLASSES_ROOT);
    classes.createKey("Applications\\iexplore.exe\\shell\\open\\command")
        .setText("", "browser --new %1");
    EXPECT_EQ(settings.GetBrowser(), "browser --new %1");
    classes.createKey(".html").setText("", "htmlfile");
    classes.createKey("HTMLFILE\\shell\\open\\command").setText("", "firefox %1");
    EXPECT_EQ(settings.GetBrowser(), "firefox %1");
}

TEST_F(SettingsTest, UnwritableRegistryStillStartsWithDefaultsAndReportsOncePerHive) {
    testsupport::writeFile(testsupport::dataDir() / "plain-file", "not a folder");
    setenv("ZORV_REGISTRY_DIR", (testsupport::dataDir() / "plain-file" / "registry").c_str(), 1);
    platform::Registry::takeReports();

    EXPECT_TRUE(settings.InitEnviroment());
    EXPECT_FALSE(settings.TempRoot.isEmpty());
    EXPECT_TRUE(settings.LoadDescriptions());
    settings.SetDescLangID(49);
    settings.SaveRecentTFiles({"a"});
    EXPECT_EQ(settings.DescLangID(), 44);
    EXPECT_TRUE(settings.LoadRecentTFiles().isEmpty());
    EXPECT_FALSE(settings.SaveRegValue("Sort", 0));

    // Reported for the window layer to show, not asked from inside the settings.
    EXPECT_TRUE(prompts.asked().empty());
    const QStringList reports = platform::Registry::takeReports();
    ASSERT_EQ(reports.size(), 2);
    EXPECT_TRUE(reports[0].contains("HKEY_LOCAL_MACHINE.hive"));
    EXPECT_TRUE(reports[1].contains("HKEY_CURRENT_USER.hive"));
}
