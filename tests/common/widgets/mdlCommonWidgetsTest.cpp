#include "common/widgets/mdlCommonWidgets.h"
#include "platform/HelpPages.h"
#include "platform/ScriptedPrompts.h"
#include "shell/mdlZorvConst.h"
#include "support/TestFolders.h"
#include "tfiles/TFileTestSupport.h"
#include "tfiles/mdlZorvShips.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QTreeWidget>
#include <QUrl>

namespace {

QStringList RowTexts(const QTreeWidget& list, int row) {
    const QTreeWidgetItem* item = list.topLevelItem(row);
    return {item->text(0), item->text(1), item->text(2),
            item->data(0, mdlCommon::kRowTagRole).toString()};
}

TEST(ListRows, AddSelectAndReadTheSelection) {
    QTreeWidget list;
    list.setColumnCount(3);
    EXPECT_EQ(mdlCommon::GetSelectedIndex(&list), -1);
    mdlCommon::AddListRow(&list, "ID", "SS_SH_1", "name");
    mdlCommon::AddListRow(&list, "Body ID", "10", 0, "0");
    mdlCommon::AddListRow(&list, "Name", "Shield");
    EXPECT_EQ(RowTexts(list, 0), (QStringList{"ID", "SS_SH_1", "", "name"}));
    EXPECT_EQ(RowTexts(list, 1), (QStringList{"Body ID", "10", "0", "0"}));
    EXPECT_FALSE(list.topLevelItem(2)->data(0, mdlCommon::kRowTagRole).isValid());

    EXPECT_TRUE(mdlCommon::SelectListIndex(&list, 2));
    EXPECT_EQ(mdlCommon::GetSelectedIndex(&list), 2);
    for (const int invalid : {0, 4, -1}) {
        EXPECT_FALSE(mdlCommon::SelectListIndex(&list, invalid)) << invalid;
        EXPECT_EQ(mdlCommon::GetSelectedIndex(&list), -1) << invalid;
    }
}

TEST(ListRows, WareRowsOfAShieldLine) {
    mdlZorvConst::InitArrays();
    clsTxtParser parser;
    ASSERT_TRUE(tfiletest::LoadBytes(
        parser, tfiletest::TFile({"10;11;2;3;4;5;6;7;8;9;10;250;1000;13;14;3;SS_SH_1;"})));
    const auto shield = parser.FindIndex(0);
    shield->otype = 2;
    QTreeWidget list;
    list.setColumnCount(3);
    mdlCommon::AddCommonHeadRows(&list, *shield);
    mdlCommon::AddCommonTailRows(&list, *shield);
    mdlCommon::AddWarePriceRows(&list, *shield, 12);
    ASSERT_EQ(list.topLevelItemCount(), 8);
    EXPECT_EQ(RowTexts(list, 0), (QStringList{"Body ID", "10", "0", "0"}));
    EXPECT_EQ(RowTexts(list, 1), (QStringList{"Picture ID", "11", "1", "1"}));
    EXPECT_EQ(RowTexts(list, 2), (QStringList{"Volume", "250", "11", "11"}));
    EXPECT_EQ(RowTexts(list, 6), (QStringList{"Ware class", "large", "15", "15"}));
    EXPECT_EQ(RowTexts(list, 7), (QStringList{"Price info", "28075 cr", "", ""}));
}

TEST(FillComboFromArray, EveryEntryWithItsIndex) {
    QComboBox combo;
    combo.addItem("old");
    mdlCommon::FillComboFromArray(&combo, mdlZorvShips::MissileTypeNames);
    ASSERT_EQ(combo.count(), 9);
    EXPECT_EQ(combo.itemText(0), "none");
    EXPECT_EQ(combo.itemData(0).toInt(), -1);
    EXPECT_EQ(combo.itemData(8).toInt(), 7);

    mdlCommon::FillComboFromArray(&combo, platform::BoundedArray<QString>(1, {"", "b"}));
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(0), ""); // empty entries too
    EXPECT_EQ(combo.itemData(1).toInt(), 2);

    mdlCommon::FillComboFromArray(&combo, {});
    EXPECT_EQ(combo.count(), 0);
}

// Takes the place of the desktop's browser.
class Browser : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

TEST(ShowHelp, OpensThePagesBesideTheProgram) {
    Browser browser;
    QDesktopServices::setUrlHandler("file", &browser, "open");
    mdlCommon::ShowHelp();
    mdlCommon::ShowHelp("settings.html");
    QDesktopServices::unsetUrlHandler("file");

    const QString help = QString::fromStdString((testsupport::programDir() / "help").string());
    ASSERT_EQ(browser.opened.size(), 2);
    EXPECT_EQ(browser.opened[0].toLocalFile(), help + "/index.html");
    EXPECT_EQ(browser.opened[1].toLocalFile(), help + "/settings.html");
    for (const QUrl& page : browser.opened)
        EXPECT_TRUE(QFileInfo(page.toLocalFile()).isFile()) << page.toString().toStdString();
}

TEST(ShowHelp, AFolderWithBlanksGivesAValidAddress) {
    const QUrl page = platform::HelpPageUrl("/opt/Zorv Editor/help files", "settings.html");
    EXPECT_TRUE(page.isValid());
    EXPECT_TRUE(page.isLocalFile());
    EXPECT_EQ(page.toLocalFile(), "/opt/Zorv Editor/help files/settings.html");
    EXPECT_EQ(page.toString(QUrl::FullyEncoded),
              "file:///opt/Zorv%20Editor/help%20files/settings.html");
}

TEST(ShowInvalidNumber, WithAndWithoutFieldName) {
    platform::ScriptedPrompts prompts;
    platform::ScopedPrompts installed(prompts);
    mdlCommon::ShowInvalidNumber(nullptr, "Lang ID");
    mdlCommon::ShowInvalidNumber(nullptr);
    const auto messages = prompts.messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].title, "Zorv Editor");
    EXPECT_EQ(messages[0].text,
              "Lang ID: Entered value is incorrect. It must be whole or decimal number.");
    EXPECT_EQ(messages[0].icon, platform::PromptIcon::Exclamation);
    EXPECT_EQ(messages[1].text, "Entered value is incorrect. It must be whole or decimal number.");
}

} // namespace

#include "mdlCommonWidgetsTest.moc"
