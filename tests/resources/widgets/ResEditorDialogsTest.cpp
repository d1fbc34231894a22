// The text, page, new-file and merge dialogs, driven through their controls.
#include "common/mdlCommonGlobals.h"
#include "platform/ScriptedPrompts.h"
#include "resources/ResEditorDocument.h"
#include "resources/ResourceTestSupport.h"
#include "resources/clsDescServer.h"
#include "resources/widgets/frmNewXML.h"
#include "resources/widgets/frmPageEdit.h"
#include "resources/widgets/frmResMerge.h"
#include "resources/widgets/frmStringEdit.h"
#include "shell/mdlZorvConst.h"
#include "support/ClickRows.h"

#include <gmock/gmock.h>

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>

using restest::Language;
using restest::Page;
using restest::Text;
using restest::WriteLanguageFile;

namespace {

class ResEditorDialogsTest : public testing::Test {
protected:
    void SetUp() override {
        mdlZorvConst::InitArrays();
        mdlCommon::Settings().SetZorvPath(restest::DataPath(""));
    }

    std::shared_ptr<clsPage> Open(const std::string& xml, int32_t pageId) {
        QString error;
        EXPECT_TRUE(document.Open(WriteLanguageFile("440001.xml", xml), error));
        auto page = document.Pages().find(clsPage::MakeKey(pageId));
        if (page)
            document.LoadPageTexts(*page);
        return page;
    }

    std::vector<std::string> Told() const {
        std::vector<std::string> texts;
        for (const auto& question : prompts.messages())
            texts.push_back(question.text.toStdString());
        return texts;
    }

    platform::ScriptedPrompts prompts;
    platform::ScopedPrompts scoped{prompts};
    ResEditorDocument document;
};

const std::string kFile =
    Language(44, Page("0", "Zero", Text("0", "none") + Text("1", "one")) +
                     Page("17", "Names", Text("7", "seven") + Text("17", "seventeen")));

TEST_F(ResEditorDialogsTest, EditingATextKeepsItsIdAndTellsWhetherItChanged) {
    const auto page = Open(kFile, 0);
    const auto text = page->FindString(0);
    frmStringEdit dialog;
    dialog.ShowString(document, page, text, false);
    EXPECT_FALSE(dialog.IDEdit->isEnabled());
    EXPECT_EQ(dialog.IDEdit->text(), "0") << "an existing text with id 0 is edited";
    EXPECT_EQ(dialog.TextEdit->toPlainText(), "none");
    dialog.btnOK_Click();
    EXPECT_EQ(dialog.ModalResult, 1);
    EXPECT_FALSE(text->Dirty);
    EXPECT_FALSE(document.Modified());

    frmStringEdit again;
    again.ShowString(document, page, text, false);
    again.TextEdit->setPlainText("nothing");
    again.btnOK_Click();
    EXPECT_TRUE(text->Dirty);
    EXPECT_EQ(text->RawText(), "nothing");
    EXPECT_TRUE(document.Modified());
}

TEST_F(ResEditorDialogsTest, ANewTextNeedsAFreeId) {
    const auto page = Open(kFile, 17);
    auto text = std::make_shared<clsString>();
    text->PageID = 17;
    frmStringEdit dialog;
    dialog.ShowString(document, page, text, true);
    EXPECT_TRUE(dialog.IDEdit->isEnabled());
    EXPECT_EQ(dialog.IDEdit->text(), "");
    dialog.TextEdit->setPlainText("added");
    dialog.btnOK_Click();
    dialog.IDEdit->setText("7");
    dialog.btnOK_Click();
    EXPECT_THAT(Told(), testing::ElementsAre("You must enter text ID.",
                                             "This text ID is already used in this page."));
    EXPECT_EQ(dialog.ModalResult, 0);
    EXPECT_EQ(page->Strings.count(), 2);

    dialog.IDEdit->setText("0");
    dialog.btnOK_Click();
    EXPECT_EQ(dialog.ModalResult, 1);
    ASSERT_EQ(page->Strings.count(), 3);
    EXPECT_EQ(page->Strings.at(3)->RawText(), "added");
    EXPECT_EQ(text->ID, 0);
    EXPECT_EQ(text->RawText(), "added");
}

TEST_F(ResEditorDialogsTest, TheTranslatedTabShowsReferencesAndEscapesReadOnly) {
    const auto page = Open(kFile, 17);
    const auto text = page->FindString(7);
    frmStringEdit dialog;
    dialog.ShowString(document, page, text, false);
    dialog.TextEdit->setPlainText("{17,17}");
    dialog.MainTab->setCurrentIndex(1);
    EXPECT_EQ(dialog.TextEdit->toPlainText(), "seventeen ");
    EXPECT_TRUE(dialog.TextEdit->isReadOnly());
    dialog.MainTab->setCurrentIndex(0);
    EXPECT_EQ(dialog.TextEdit->toPlainText(), "{17,17}");
    EXPECT_FALSE(dialog.TextEdit->isReadOnly());

    dialog.TextEdit->setPlainText("First\\nSecond(||)Third\\tFourth");
    dialog.MainTab->setCurrentIndex(1);
    EXPECT_EQ(dialog.TextEdit->toPlainText(), "First\nSecond\nThird\tFourth");
    dialog.btnOK_Click();
    EXPECT_EQ(text->RawText(), "First\\nSecond(||)Third\\tFourth") << "stored with its escapes";
}

TEST_F(ResEditorDialogsTest, CancelChangesNothing) {
    const auto page = Open(kFile, 17);
    const auto text = page->FindString(7);
    frmStringEdit dialog;
    dialog.ShowString(document, page, text, false);
    dialog.TextEdit->setPlainText("changed");
    dialog.btnCancel_Click();
    EXPECT_EQ(dialog.ModalResult, 2);
    EXPECT_EQ(text->RawText(), "seven");

    frmPageEdit pageDialog;
    pageDialog.ShowPage(document, page, false);
    pageDialog.TitleEdit->setText("changed");
    pageDialog.btnCancel_Click();
    EXPECT_EQ(pageDialog.ModalResult, 2);
    EXPECT_EQ(page->Name, "Names");
    EXPECT_FALSE(document.Modified());
}

TEST_F(ResEditorDialogsTest, ANewPageNeedsAnIdNoOtherPageHas) {
    Open(kFile, 17);
    auto page = std::make_shared<clsPage>();
    frmPageEdit dialog;
    dialog.ShowPage(document, page, true);
    EXPECT_TRUE(dialog.IDEdit->isEnabled());
    dialog.btnOK_Click();
    dialog.IDEdit->setText("017");
    dialog.btnOK_Click();
    dialog.IDEdit->setText("0");
    dialog.btnOK_Click();
    EXPECT_THAT(Told(), testing::ElementsAre("You must enter page ID.",
                                             "This ID is already used in different page.",
                                             "This ID is already used in different page."));
    dialog.IDEdit->setText("18");
    dialog.TitleEdit->setText("Ships");
    dialog.DescEdit->setText("More");
    dialog.btnOK_Click();
    EXPECT_EQ(dialog.ModalResult, 1);
    EXPECT_EQ(page->PageID, 18);
    EXPECT_EQ(page->Name, "Ships");
    ASSERT_TRUE(document.Pages().find("18k"));
    EXPECT_EQ(document.Pages().find("18k")->desc, "More");
}

TEST_F(ResEditorDialogsTest, EditingAPageWithIdZeroAndAFailedWrite) {
    const auto zero = Open(kFile, 0);
    frmPageEdit dialog;
    dialog.ShowPage(document, zero, false);
    EXPECT_EQ(dialog.IDEdit->text(), "0");
    EXPECT_FALSE(dialog.IDEdit->isEnabled());
    dialog.TitleEdit->setText("Nothing");
    dialog.btnOK_Click();
    EXPECT_EQ(dialog.ModalResult, 1);
    EXPECT_EQ(zero->Name, "Nothing");
    EXPECT_TRUE(zero->Dirty);

    auto gone = std::make_shared<clsPage>();
    gone->PageID = 9;
    frmPageEdit failing;
    failing.ShowPage(document, gone, false);
    failing.btnOK_Click();
    EXPECT_EQ(failing.ModalResult, 0);
    EXPECT_THAT(Told(), testing::ElementsAre("Error saving page to XML:\n"
                                             "Page 9 is not in the document."));
}

void Files(std::initializer_list<const char*> names) {
    for (const char* name : names)
        testsupport::writeFile(testsupport::dataDir() / "t" / name, "");
}

TEST_F(ResEditorDialogsTest, TheNewFileDialogProposesTheNextFreeNumber) {
    Files({"440001.xml", "440007.xml", "44abcd.xml", "440012.pck", "070003.xml"});
    mdlCommon::Settings().SetDescLangID(44);
    frmNewXML dialog;
    dialog.ShowNewFile();
    EXPECT_EQ(dialog.cmbLangID->currentText(), "44 - English");
    EXPECT_EQ(dialog.FileNoEdit->text(), "8");
    dialog.btnOK_Click();
    EXPECT_EQ(dialog.ModalResult, 1);
    EXPECT_EQ(dialog.LangID, 44);
    EXPECT_EQ(dialog.FileName, "440008.xml");

    frmNewXML typed;
    typed.ShowNewFile();
    typed.cmbLangID->setEditText("7");
    EXPECT_EQ(typed.FileNoEdit->text(), "4");
    typed.FileNoEdit->clear();
    typed.btnOK_Click();
    EXPECT_EQ(typed.FileName, "070004.xml") << "an empty number is proposed first";
}

TEST_F(ResEditorDialogsTest, TheNewFileDialogNeedsALanguage) {
    mdlCommon::Settings().SetDescLangID(99);
    frmNewXML dialog;
    dialog.ShowNewFile();
    EXPECT_EQ(dialog.cmbLangID->currentText(), "99");
    EXPECT_EQ(dialog.FileNoEdit->text(), "1");
    dialog.cmbLangID->setEditText("none");
    EXPECT_EQ(dialog.FileNoEdit->text(), "1") << "left as it was";
    dialog.btnOK_Click();
    EXPECT_THAT(Told(),
                testing::ElementsAre("You must either select language name or enter lang id."));
    dialog.cmbLangID->setEditText("44");
    dialog.FileNoEdit->setText("99999999999");
    dialog.btnOK_Click();
    EXPECT_EQ(dialog.ModalResult, 0) << "a number too large keeps the dialog open";
    dialog.btnCancel_Click();
    EXPECT_EQ(dialog.ModalResult, 2);
    EXPECT_EQ(dialog.FileName, "");
}

void SelectFiles(QListWidget* list, std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const auto found = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name;
        found.front()->setSelected(true);
    }
}

TEST_F(ResEditorDialogsTest, MergingLoadsTheChosenFilesInNameOrder) {
    WriteLanguageFile("440002.xml", Language(44, Page("17", "-", Text("5", "later"))));
    WriteLanguageFile("440001.xml", Language(44, Page("17", "Names", Text("5", "early"))));
    WriteLanguageFile("490001.xml", Language(49, ""));
    mdlCommon::Settings().SetDescLangID(44);
    frmResMerge dialog;
    ASSERT_TRUE(dialog.MyShow());
    EXPECT_EQ(dialog.Folder(), restest::DataPath("t"));
    EXPECT_EQ(dialog.LangIDEdit->text(), "44");
    ASSERT_EQ(dialog.FileList->count(), 2);
    SelectFiles(dialog.FileList, {"440002.xml", "440001.xml"});
    dialog.btnOK_Click();
    ASSERT_EQ(dialog.ModalResult, 1);
    EXPECT_EQ(dialog.LangID, 44);
    const auto page = dialog.DS->FindPage(17);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->Name, "Names");
    EXPECT_EQ(page->FindString(5)->RawText(), "later");
}

TEST_F(ResEditorDialogsTest, MergingTellsWhatIsMissingOrWrong) {
    WriteLanguageFile("440001.xml", "<texts/>");
    frmResMerge dialog;
    ASSERT_TRUE(dialog.SetFolder(restest::DataPath("t")));
    dialog.LangIDEdit->setText("49");
    EXPECT_EQ(dialog.FileList->count(), 0);
    dialog.btnOK_Click();
    dialog.LangIDEdit->clear();
    dialog.btnOK_Click();
    dialog.LangIDEdit->setText("44");
    SelectFiles(dialog.FileList, {"440001.xml"});
    dialog.btnOK_Click();
    const std::vector<std::string> told = Told();
    ASSERT_EQ(told.size(), 3u);
    EXPECT_EQ(told[0], "No files are selected.");
    EXPECT_EQ(told[1], "You must specify which language ID to use.");
    EXPECT_EQ(told[2], "Error loading files: \nFile does not start with element <language> - " +
                           restest::DataPath("t/440001.xml").toStdString());
    EXPECT_EQ(dialog.ModalResult, 0);
}

TEST_F(ResEditorDialogsTest, MergingMovesThroughFolders) {
    WriteLanguageFile("440001.xml", Language(44, ""));
    frmResMerge dialog;
    dialog.LangIDEdit->setText("44");
    EXPECT_FALSE(dialog.SetFolder(restest::DataPath("missing")));
    ASSERT_TRUE(dialog.SetFolder(restest::DataPath("t")));
    dialog.UpOneLevel();
    EXPECT_EQ(dialog.Folder(), QDir(restest::DataPath("")).absolutePath());
    EXPECT_EQ(dialog.FileList->count(), 0);
    dialog.show();
    const auto folder = [&dialog](const QString& name) {
        const QList<QListWidgetItem*> found = dialog.DirList->findItems(name, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.front();
    };
    ASSERT_TRUE(folder("t"));
    testsupport::DoubleClickRow(
        dialog.DirList, dialog.DirList->model()->index(dialog.DirList->row(folder("t")), 0));
    EXPECT_EQ(dialog.Folder(), restest::DataPath("t"));
    EXPECT_EQ(dialog.FileList->count(), 1);

    // Enter goes into the highlighted folder and presses no button; with no
    // folder highlighted it is the dialog's OK.
    dialog.UpOneLevel();
    testsupport::ClickRow(dialog.DirList, folder("t"));
    testsupport::PressKey(dialog.DirList, Qt::Key_Return);
    EXPECT_EQ(dialog.Folder(), restest::DataPath("t"));
    EXPECT_TRUE(Told().empty());
    dialog.UpOneLevel();
    testsupport::ClickRow(dialog.DirList, folder("t"));
    testsupport::ClickBesideRows(dialog.DirList);
    testsupport::PressKey(dialog.DirList, Qt::Key_Return);
    EXPECT_EQ(dialog.Folder(), QDir(restest::DataPath("")).absolutePath());
    EXPECT_EQ(Told(), std::vector<std::string>{"No files are selected."});
}

} // namespace
