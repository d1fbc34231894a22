#include "common/widgets/RecentFilesMenu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace {

QStringList EntryTexts(const RecentFilesMenu& recent) {
    QStringList texts;
    for (const QAction* entry : recent.Menu()->actions())
        texts << entry->text();
    return texts;
}

TEST(RecentFilesMenu, ListsNewestFirstAndOpensTheChosenEntry) {
    QWidget owner;
    RecentFilesMenu recent(&owner);
    recent.SetFiles({"a.txt", "b.txt"});
    EXPECT_EQ(EntryTexts(recent), QStringList({"1 - a.txt", "2 - b.txt"}));
    EXPECT_EQ(recent.Latest(), "a.txt");

    // Opening the chosen file moves it up, which rebuilds the menu under the
    // entry that is still being triggered.
    QStringList chosen;
    QObject::connect(&recent, &RecentFilesMenu::Chosen, [&](const QString& path) {
        chosen << path;
        recent.Add(path);
    });
    recent.Menu()->actions().at(1)->trigger();
    EXPECT_EQ(chosen, QStringList{"b.txt"});
    EXPECT_EQ(EntryTexts(recent), QStringList({"1 - b.txt", "2 - a.txt"}));

    recent.Remove("a.txt");
    EXPECT_EQ(recent.Files(), QStringList{"b.txt"});
    recent.Remove("b.txt");
    EXPECT_TRUE(recent.Menu()->actions().isEmpty());
    EXPECT_EQ(recent.Latest(), "");
}

} // namespace
