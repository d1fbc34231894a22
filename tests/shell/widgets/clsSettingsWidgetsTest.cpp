#include "shell/clsSettings.h"

#include "platform/ScriptedPrompts.h"
#include "shell/widgets/mdlComFunctionsWidgets.h"
#include "support/TestFolders.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

#include <array>
#include <optional>

using platform::Hive;
using platform::RegKey;

namespace {

RegKey userKey(const QString& path) {
    return RegKey::root(Hive::HKEY_CURRENT_USER).createKey("software\\Zorv DIV Avuruz\\" + path);
}

QListWidgetItem* addItem(QListWidget& view, const QString& key, const QString& caption) {
    auto* item = new QListWidgetItem(caption, &view);
    item->setData(mdlComFunctions::kItemKeyRole, key);
    return item;
}

class SettingsWindowsTest : public testing::Test {
protected:
    platform::ScriptedPrompts prompts;
    platform::ScopedPrompts installed{prompts};
    clsSettings settings;
};

} // namespace

TEST_F(SettingsWindowsTest, StoredRectangleIsRestoredOnTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        const char* name;
        std::optional<std::array<int32_t, 4>> stored; // left, top, width, height
        QRect expected;
    } cases[] = {
        {"nothing stored", std::nullopt, QRect(0, 0, 375, 143)},
        {"as stored", std::array{10, 20, 300, 200}, QRect(10, 20, 300, 200)},
        {"negative left and top", std::array{-8, -8, 400, 300}, QRect(0, 0, 400, 300)},
        {"off every screen", std::array{screen.right() + 500, screen.bottom() + 500, 300, 200},
         QRect(screen.right() - 299, screen.bottom() - 199, 300, 200)},
        {"no size", std::array{10, 10, 0, -5}, QRect(10, 10, 375, 143)},
        {"huge numbers", std::array{INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX}, screen},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RegKey::root(Hive::HKEY_CURRENT_USER).deleteKey("software\\Zorv DIV Avuruz\\main");
        if (c.stored) {
            const RegKey key = userKey("main");
            key.setNumber("left", (*c.stored)[0]);
            key.setNumber("top", (*c.stored)[1]);
            key.setNumber("width", (*c.stored)[2]);
            key.setNumber("height", (*c.stored)[3]);
        }
        QWidget window;
        ASSERT_TRUE(settings.LoadWindowPos(&window, "main", 375, 143));
        EXPECT_EQ(window.geometry(), c.expected);
    }
}

TEST_F(SettingsWindowsTest, WindowRectangleRoundTrips) {
    QWidget window;
    window.setGeometry(30, 40, 320, 240);
    settings.SaveWindowPos(&window, "main");
    EXPECT_EQ(userKey("main").number("left"), 30);
    EXPECT_EQ(userKey("main").number("height"), 240);
    QWidget restored;
    ASSERT_TRUE(clsSettings().LoadWindowPos(&restored, "main", 375, 143));
    EXPECT_EQ(restored.geometry(), QRect(30, 40, 320, 240));
}

TEST_F(SettingsWindowsTest, NoKeyLeavesTheWindowAlone) {
    testsupport::writeFile(testsupport::dataDir() / "plain-file", "");
    setenv("ZORV_REGISTRY_DIR", (testsupport::dataDir() / "plain-file" / "registry").c_str(), 1);
    QWidget window;
    window.setGeometry(5, 6, 70, 80);
    EXPECT_FALSE(settings.LoadWindowPos(&window, "main", 375, 143));
    EXPECT_EQ(window.geometry(), QRect(5, 6, 70, 80));
}

TEST_F(SettingsWindowsTest, LauncherCaptionsRoundTripByItemKey) {
    QListWidget view;
    addItem(view, "te", "DIV Avuruz");
    addItem(view, "ge", "Ruvaze Rezivo");
    addItem(view, "settings", "Settings");
    view.item(0)->setText("My T-files");
    settings.SaveIcons(&view);
    EXPECT_EQ(userKey("main\\icons\\te").text("caption"), "My T-files");
    userKey("main\\icons\\GONE").setText("caption", "no such item");
    userKey("main\\icons\\GE").deleteValue("caption");

    QListWidget fresh;
    addItem(fresh, "te", "DIV Avuruz");
    addItem(fresh, "ge", "Ruvaze Rezivo");
    addItem(fresh, "settings", "Settings");
    settings.LoadIcons(&fresh);
    EXPECT_EQ(fresh.item(0)->text(), "My T-files");
    EXPECT_EQ(fresh.item(1)->text(), "ge") << "a key without caption gives its name";
    EXPECT_EQ(fresh.item(2)->text(), "Settings");
    EXPECT_EQ(fresh.count(), 3);
}
