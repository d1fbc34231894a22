#include "launcher/frmSettings.h"

#include "common/mdlCommonGlobals.h"
#include "gamefiles/mdlZorvVFS.h"
#include "launcher/VFSFileList.h"
#include "platform/ScriptedPrompts.h"
#include "shell/mdlZorvConst.h"
#include "support/TestFolders.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using launcher::frmSettings;
using mdlCommon::Settings;

namespace {

class SettingsDialogTest : public testing::Test {
protected:
    SettingsDialogTest() { mdlZorvConst::InitArrays(); }

    platform::ScriptedPrompts prompts;
    platform::ScopedPrompts installed{prompts};
    frmSettings dialog;
};

QString folder(const char* name) {
    const auto path = testsupport::dataDir() / name;
    std::filesystem::create_directories(path);
    return QString::fromStdString(path.string());
}

} // namespace

TEST_F(SettingsDialogTest, ShowsTheStoredValues) {
    Settings().SetZorvPath("/games/zorv");
    Settings().SetDescLangID(49);
    Settings().SetCustomProgram("/opt/tool");
    dialog.ShowSettings(false, nullptr);
    EXPECT_EQ(dialog.DataDir->text(), "/games/zorv");
    // Only a stored game path is shown, never the one derived from the folder.
    EXPECT_EQ(dialog.ZorvPathEdit->text(), "");
    EXPECT_EQ(dialog.EditorEdit->text(), "/opt/tool");
    EXPECT_EQ(dialog.cmbLangID->count(), 3);
    EXPECT_EQ(dialog.cmbLangID->itemText(0), "44 - English");
    EXPECT_EQ(dialog.cmbLangID->currentText(), "49 - German");

    Settings().SetDescLangID(7);
    dialog.ShowSettings(false, nullptr);
    EXPECT_EQ(dialog.cmbLangID->currentIndex(), -1);
    EXPECT_EQ(dialog.cmbLangID->currentText(), "7");
}

TEST_F(SettingsDialogTest, LanguageNumbersAreDecimalWholeNumbers) {
    EXPECT_EQ(launcher::ParseLanguageId("7"), 7);
    EXPECT_EQ(launcher::ParseLanguageId(" 044 "), 44);
    EXPECT_EQ(launcher::ParseLanguageId("-3"), -3);
    for (const char* refused : {"abc", "", "7.5", "0x10", "+7", "2147483648", "1e3"})
        EXPECT_FALSE(launcher::ParseLanguageId(refused)) << refused;
}

TEST_F(SettingsDialogTest, ATypedLanguageIsCheckedAndStoredAsANumber) {
    Settings().SetLoadDescriptions(false);
    dialog.ShowSettings(false, nullptr);
    dialog.cmbLangID->setEditText("abc");
    dialog.btnOK->click();
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].text,
              "Lang ID: Entered value is incorrect. It must be whole or decimal number.");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.ModalResult, 0);

    dialog.cmbLangID->setEditText("7");
    dialog.btnOK->click();
    EXPECT_EQ(dialog.ModalResult, 1);
    EXPECT_FALSE(dialog.isVisible());
    const auto stored = platform::RegKey::root(platform::Hive::HKEY_CURRENT_USER)
                            .openKey("software\\Zorv DIV Avuruz")
                            .number("DescLanguage");
    EXPECT_EQ(stored, 7);
}

TEST_F(SettingsDialogTest, AChangedFolderIsScannedEvenAfterARefusedLanguage) {
    Settings().SetLoadDescriptions(false);
    const QString fresh = folder("fresh");
    testsupport::writeFile(testsupport::dataDir() / "fresh" / "types" / "TShips.txt", "1;0;\n");
    dialog.ShowSettings(false, nullptr);
    dialog.DataDir->setText(fresh);
    dialog.cmbLangID->setEditText("abc");
    dialog.btnOK->click();
    dialog.cmbLangID->setEditText("44");
    dialog.btnOK->click();
    const QList<launcher::VFSFileRow> rows = launcher::ListFiles();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].vfsName, "types\\TShips.txt");
}

TEST_F(SettingsDialogTest, DoubleBufferFollowsDirectDraw) {
    Settings().SetUseDirectDraw(false);
    Settings().SetUseDoubleBuffer(false);
    dialog.ShowSettings(false, nullptr);
    EXPECT_TRUE(dialog.chkUseDBuf->isEnabled());
    dialog.chkUseDD->click();
    EXPECT_TRUE(dialog.chkUseDBuf->isChecked());
    EXPECT_FALSE(dialog.chkUseDBuf->isEnabled());
    dialog.chkUseDD->click();
    EXPECT_TRUE(dialog.chkUseDBuf->isChecked());
    EXPECT_TRUE(dialog.chkUseDBuf->isEnabled());
}

TEST_F(SettingsDialogTest, CancelStoresNothing) {
    Settings().SetCustomProgram("/opt/tool");
    prompts.answerFile("/opt/other");
    dialog.ShowSettings(false, nullptr);
    dialog.btnEditorBrowse->click();
    EXPECT_EQ(dialog.EditorEdit->text(), "/opt/other");
    dialog.EditorEdit->clear();
    dialog.btnCancel->click();
    EXPECT_EQ(dialog.ModalResult, 2);
    EXPECT_EQ(Settings().CustomProgram(), "/opt/tool");
}

TEST_F(SettingsDialogTest, ClearedLanguageSwitchEmptiesTheStrings) {
    Settings().SetLoadDescriptions(true);
    dialog.ShowSettings(false, nullptr);
    dialog.chkLoadDesc->click();
    EXPECT_FALSE(dialog.cmbLangID->isEnabled());
    dialog.btnOK->click();
    EXPECT_FALSE(Settings().LoadDescriptions());
    EXPECT_TRUE(prompts.messages().empty());
}
