// The Text Resource Editor window, driven offscreen with scripted prompts
// and dialogs.
#include "resources/widgets/frmResEditor.h"
#include "common/mdlCommonGlobals.h"
#include "platform/ScriptedPrompts.h"
#include "platform/widgets/DialogRunner.h"
#include "resources/ResourceTestSupport.h"
#include "resources/clsDescServer.h"
#include "resources/widgets/frmNewXML.h"
#include "resources/widgets/frmPageEdit.h"
#include "resources/widgets/frmResMerge.h"
#include "resources/widgets/frmStringEdit.h"
#include "shell/mdlZorvConst.h"
#include "shell/widgets/frmFind.h"
#include "shell/widgets/frmText.h"
#include "support/ClickRows.h"

#include <gmock/gmock.h>

#include <QAction>
#include <QCheckBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QTreeView>

using restest::Language;
using restest::Page;
using restest::Text;
using restest::WriteLanguageFile;
using testing::ElementsAre;

namespace {

class frmResEditorTest : public testing::Test {
protected:
    void SetUp() override {
        ResetDescServer();
        mdlZorvConst::InitArrays();
        mdlCommon::Settings().SetZorvPath(restest::DataPath(""));
        mdlCommon::Settings().SetDescLangID(44);
        window.setAttribute(Qt::WA_DeleteOnClose, false);
    }
    void TearDown() override { ResetDescServer(); }

    void SelectPage(int row) {
        window.PageView->setCurrentIndex(window.PageView->model()->index(row, 0));
    }
    void SelectText(int row) {
        window.TextView->setCurrentIndex(window.TextView->model()->index(row, 0));
    }
    QString Cell(QTreeView* list, int row, int column) {
        return list->model()->index(row, column).data().toString();
    }
    std::vector<std::string> Told() const {
        std::vector<std::string> texts;
        for (const auto& question : prompts.messages())
            texts.push_back(question.text.toStdString());
        return texts;
    }
    void EditTextTo(const QString& raw) {
        dialogs.answerAs<frmStringEdit>([raw](frmStringEdit& edit) {
            edit.TextEdit->setPlainText(raw);
            edit.btnOK->click();
        });
        window.mnuStrEdit_Click();
    }

    platform::ScriptedPrompts prompts;
    platform::ScopedPrompts scoped{prompts};
    platform::ScriptedDialogs dialogs;
    frmResEditor window;
};

const std::string kPageOne = Page("1", "Ships", Text("1", "Hawk") + Text("2", "{,1}"));
const std::string kPageTwo = Page("2", "Lasers", Text("7", "Beam\\nRay(||)Gun\\tX"));
const std::string kPageThree = Page("17", "Names", Text("17", "seventeen"));
const std::string kFile = Language(44, kPageOne + kPageTwo + kPageThree);

TEST_F(frmResEditorTest, OpeningAFileListsItsPagesAndTexts) {
    window.MyShow();
    EXPECT_EQ(window.windowTitle(), "Text Resource Editor [pages in memory]");
    EXPECT_FALSE(window.actSave->isEnabled());
    const QString path = WriteLanguageFile("440001.xml", kFile);
    window.OpenFile(path);
    EXPECT_EQ(window.windowTitle(), "Text Resource Editor [" + path + " (English)]");
    EXPECT_TRUE(window.actSave->isEnabled());
    EXPECT_EQ(mdlCommon::Settings().LastOpenedXMLFile(), path);
    EXPECT_EQ(window.BarPages->text(), "3 pages");
    EXPECT_EQ(Cell(window.PageView, 2, 0), "17");
    EXPECT_EQ(Cell(window.PageView, 2, 1), "Names");
    EXPECT_FALSE(window.SelectedPage());

    SelectPage(0);
    EXPECT_EQ(window.lblName->text(), "Ships");
    EXPECT_EQ(window.lblDesc->text(), "about Ships");
    EXPECT_EQ(window.BarLines->text(), "2 lines");
    EXPECT_EQ(Cell(window.TextView, 1, 1), "{,1}");
    SelectText(1);
    EXPECT_EQ(window.TextEdit->toPlainText(), "{,1}");
    window.chkRawtext->click();
    EXPECT_EQ(Cell(window.TextView, 1, 1), "Hawk ");
    EXPECT_EQ(window.SelectedString()->ID, 2) << "the row stays selected";
    EXPECT_EQ(window.TextEdit->toPlainText(), "Hawk ");
}

TEST_F(frmResEditorTest, FormattedTextsShowTheirEscapes) {
    window.OpenFile(WriteLanguageFile("440001.xml", kFile));
    SelectPage(1);
    SelectText(0);
    EXPECT_EQ(window.TextEdit->toPlainText(), "Beam\\nRay(||)Gun\\tX");
    window.chkRawtext->click();
    EXPECT_EQ(window.TextEdit->toPlainText(), "Beam\nRay\nGun\tX");
}

TEST_F(frmResEditorTest, AFileThatCannotBeOpenedLeavesAnEmptyEditor) {
    window.OpenFile(WriteLanguageFile("440001.xml", kFile));
    window.OpenFile(WriteLanguageFile("bad.xml", "<texts/>"));
    EXPECT_THAT(Told(), ElementsAre("Error opening file: File does not contain top level "
                                    "element <language>."));
    EXPECT_EQ(prompts.messages().front().title, "Text Resource Editor");
    EXPECT_EQ(window.windowTitle(), "Text Resource Editor");
    EXPECT_EQ(window.PageView->model()->rowCount(), 0);
    EXPECT_EQ(window.BarPages->text(), "0 pages");
}

TEST_F(frmResEditorTest, CancellingTheOpenDialogKeepsTheDocument) {
    const QString path = WriteLanguageFile("440001.xml", kFile);
    window.OpenFile(path);
    const QString caption = window.windowTitle();
    window.OpenFile();
    ASSERT_EQ(prompts.asked().size(), 1u);
    EXPECT_EQ(prompts.asked().front().file.fileName, path) << "the last file is proposed";
    EXPECT_EQ(window.windowTitle(), caption);
    EXPECT_EQ(window.Document().DocName(), path);
    EXPECT_EQ(window.Document().FileName(), path);
}

TEST_F(frmResEditorTest, TheSavePromptBeforeOpeningAndClosing) {
    const QString path = WriteLanguageFile("440001.xml", kFile);
    window.OpenFile(path);
    SelectPage(2);
    SelectText(0);
    EditTextTo("changed");
    EXPECT_EQ(window.windowTitle(), "Text Resource Editor [" + path + " (English)] *");

    prompts.answer(platform::PromptAnswer::Cancel);
    window.OpenFile(WriteLanguageFile("440002.xml", kFile));
    prompts.answer(platform::PromptAnswer::Cancel);
    window.close();
    EXPECT_THAT(Told(), ElementsAre("You have changed data in file 440001.xml\n"
                                    "Do you want to save your changes?",
                                    "You have changed data in file 440001.xml\n\n"
                                    "Do you want to save your changes?"));
    EXPECT_EQ(prompts.messages().front().buttons, platform::PromptButtons::YesNoCancel);
    EXPECT_EQ(window.Document().DocName(), path);
    EXPECT_TRUE(window.Document().Modified());

    // Yes saves and does not open.
    prompts.answer(platform::PromptAnswer::Yes);
    prompts.answerFile(path, 1);
    prompts.answer(platform::PromptAnswer::Yes);
    window.OpenFile(WriteLanguageFile("440002.xml", kFile));
    EXPECT_EQ(window.Document().DocName(), path);
    EXPECT_FALSE(window.Document().Modified());
    EXPECT_EQ(prompts.messages().back().text, path + " already exist.\nDo you want to replace it?");
    EXPECT_NE(testsupport::readFile(path.toStdString()).find("changed"), std::string::npos);
}

TEST_F(frmResEditorTest, SavingAndReopeningKeepsTheEditsAndTheRestByteForByte) {
    const QString path = WriteLanguageFile("440001.xml", kFile);
    window.OpenFile(path);
    SelectPage(0);
    SelectText(0);
    EditTextTo("Falcon");
    EXPECT_EQ(Cell(window.TextView, 0, 1), "Falcon");
    dialogs.answerAs<frmStringEdit>([](frmStringEdit& edit) {
        edit.IDEdit->setText("3");
        edit.TextEdit->setPlainText("Eagle");
        edit.btnOK->click();
    });
    window.mnuStrNew_Click();
    EXPECT_EQ(Cell(window.TextView, 2, 1), "Eagle");
    EXPECT_EQ(window.SelectedString()->ID, 1) << "the new row is not selected";
    EXPECT_EQ(window.BarLines->text(), "3 lines");

    const QString saved = restest::DataPath("t/440005.pck");
    prompts.answerFile(saved, 2);
    ASSERT_TRUE(window.Save());
    EXPECT_EQ(window.windowTitle(), "Text Resource Editor [" + saved + " (English)]");

    frmResEditor reopened;
    reopened.setAttribute(Qt::WA_DeleteOnClose, false);
    reopened.OpenFile(saved);
    reopened.PageView->setCurrentIndex(reopened.PageView->model()->index(0, 0));
    EXPECT_EQ(Cell(reopened.TextView, 0, 1), "Falcon");
    EXPECT_EQ(Cell(reopened.TextView, 2, 1), "Eagle");

    const QString plain = restest::DataPath("t/440006.xml");
    prompts.answerFile(plain, 1);
    ASSERT_TRUE(reopened.Save());
    const std::string written = testsupport::readFile(plain.toStdString());
    EXPECT_NE(written.find(kPageTwo + kPageThree), std::string::npos) << written;
}

TEST_F(frmResEditorTest, EveryEditIsRefusedInThePagesInMemory) {
    WriteLanguageFile("440001.xml", Language(44, kPageThree));
    restest::OpenDataFolder();
    ASSERT_TRUE(DescServer().LoadResources(44));
    window.MyShow();
    SelectPage(0);
    SelectText(0);
    ASSERT_TRUE(window.SelectedString());
    window.mnuStrEdit_Click();
    window.mnuStrNew_Click();
    window.mnuStrDel_Click();
    window.mnuPageEdit_Click();
    window.mnuPageNew_Click();
    window.mnuPageDel_Click();
    const std::string texts = "Texts loaded in memory cannot be modified. \n"
                              "Open the appropriate file and edit them there.";
    const std::string pages = "Pages loaded in memory cannot be modified. \n"
                              "Open the appropriate file and edit them there.";
    EXPECT_THAT(Told(), ElementsAre(texts, texts, texts,
                                    "Pages loaded in memory cannot be modified.\nOpen the "
                                    "appropriate file via the Open command and edit them there.",
                                    pages, pages));
    EXPECT_EQ(prompts.messages().front().icon, platform::PromptIcon::Information);
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_FALSE(window.actSave->isEnabled());
    EXPECT_EQ(DescServer().GetString(17, 17)->RawText(), "seventeen");
}

TEST_F(frmResEditorTest, ANewDocumentIsProposedInTheLanguageFolder) {
    for (const char* name : {"440001.xml", "440007.xml", "44abcd.xml", "440012.pck"})
        testsupport::writeFile(testsupport::dataDir() / "t" / name, "");
    window.MyShow();
    dialogs.answerAs<frmNewXML>([](frmNewXML& dialog) { dialog.btnOK->click(); });
    window.NewDocument();
    EXPECT_EQ(window.windowTitle(), "Text Resource Editor [new document (English)]");
    EXPECT_EQ(window.Document().FileName(), restest::DataPath("t/440008.xml"));
    EXPECT_TRUE(window.actSave->isEnabled());
    EXPECT_NE(&window.Document().Server(), &DescServer());

    dialogs.answerAs<frmPageEdit>([](frmPageEdit& edit) {
        edit.IDEdit->setText("17");
        edit.TitleEdit->setText("Names");
        edit.btnOK->click();
    });
    window.mnuPageNew_Click();
    ASSERT_TRUE(window.SelectedPage()) << "the new page is selected";
    EXPECT_EQ(window.SelectedPage()->PageID, 17);
    EXPECT_EQ(window.BarPages->text(), "1 pages");
    window.Save();
    ASSERT_FALSE(prompts.asked().empty());
    EXPECT_EQ(prompts.asked().back().file.fileName, restest::DataPath("t/440008.xml"));
}

TEST_F(frmResEditorTest, NewAndMergeAskToSaveFirst) {
    window.OpenFile(WriteLanguageFile("440001.xml", kFile));
    SelectPage(0);
    SelectText(0);
    EditTextTo("changed");
    prompts.answer(platform::PromptAnswer::Cancel);
    window.NewDocument();
    prompts.answer(platform::PromptAnswer::Cancel);
    window.Merge();
    EXPECT_EQ(Told().size(), 2u);
    EXPECT_EQ(dialogs.shown(), QStringList{"frmStringEdit"});
}

TEST_F(frmResEditorTest, AMergeLoadsTheFilesInNameOrder) {
    WriteLanguageFile("440002.xml",
                      Language(44, Page("17", "-", Text("5", "later") + Text("6", "{20,1}")) +
                                       Page("20", "Twenty", Text("1", "target"))));
    WriteLanguageFile("440001.xml", Language(44, Page("17", "Names", Text("5", "early"))));
    dialogs.answerAs<frmResMerge>([](frmResMerge& merge) {
        merge.FileList->selectAll();
        merge.btnOK->click();
    });
    window.Merge();
    EXPECT_EQ(window.windowTitle(), "Text Resource Editor [Merged Files (English)] *");
    EXPECT_EQ(Cell(window.PageView, 0, 1), "Names");
    SelectPage(0);
    EXPECT_EQ(Cell(window.TextView, 0, 1), "later");
    window.chkRawtext->click();
    EXPECT_EQ(Cell(window.TextView, 1, 1), "target ");
    EXPECT_TRUE(Told().empty());
}

TEST_F(frmResEditorTest, APageIdWithLeadingZerosThatIsTakenIsRefused) {
    window.OpenFile(WriteLanguageFile("440001.xml", kFile));
    dialogs.answerAs<frmPageEdit>([](frmPageEdit& edit) {
        edit.IDEdit->setText("017");
        edit.btnOK->click();
    });
    window.mnuPageNew_Click();
    EXPECT_THAT(Told(), ElementsAre("This ID is already used in different page."));
    EXPECT_EQ(window.BarPages->text(), "3 pages");
    EXPECT_FALSE(window.Document().Modified());
}

TEST_F(frmResEditorTest, FindingByIdWithWholeWords) {
    window.OpenFile(WriteLanguageFile(
        "440001.xml", Language(44, kPageThree + Page("7", "Sectors", "") + kPageOne)));
    window.ShowFind(true);
    QString data = "7";
    QVariant tag;
    bool found = false;
    window.m_find_OnFindNext(true, true, data, tag, found);
    ASSERT_TRUE(found);
    EXPECT_EQ(window.SelectedPage()->PageID, 7);
    EXPECT_EQ(tag.toInt(), 1);
    window.m_find_OnFindNext(true, true, data, tag, found);
    EXPECT_FALSE(found) << "no wrap";

    SelectPage(0);
    tag = QVariant();
    window.m_find_OnFindNext(false, true, data, tag, found);
    EXPECT_EQ(window.SelectedPage()->PageID, 17);

    window.ShowFind(false);
    SelectText(0);
    tag = QVariant();
    data = "sevenTEEN";
    window.m_find_OnFindNext(true, false, data, tag, found);
    EXPECT_TRUE(found);
    EXPECT_EQ(window.SelectedString()->ID, 17);
}

TEST_F(frmResEditorTest, RepeatedTextIdsAreReportedOnFirstSelection) {
    window.OpenFile(WriteLanguageFile(
        "440001.xml", Language(44, Page("3", "Twice", Text("1", "a") + Text("1", "b")))));
    SelectPage(0);
    const auto reports = window.findChildren<frmText*>();
    ASSERT_EQ(reports.size(), 1);
    EXPECT_EQ(reports.front()->windowTitle(), "Duplicit string IDs in page");
    EXPECT_EQ(reports.front()->Text(), "Warning: duplicit string ID=1 found in page 3");
    EXPECT_EQ(window.TextView->model()->rowCount(), 1);
    EXPECT_EQ(Cell(window.TextView, 0, 1), "b");

    window.PageView->clearSelection();
    SelectPage(0);
    EXPECT_EQ(window.findChildren<frmText*>().size(), 1) << "shown once";
}

TEST_F(frmResEditorTest, DeletingAsksAndMarksTheDocumentModified) {
    window.OpenFile(WriteLanguageFile("440001.xml", kFile));
    SelectPage(0);
    SelectText(1);
    prompts.answer(platform::PromptAnswer::No);
    window.mnuStrDel_Click();
    EXPECT_EQ(window.TextView->model()->rowCount(), 2);
    prompts.answer(platform::PromptAnswer::Yes);
    window.mnuStrDel_Click();
    EXPECT_EQ(window.TextView->model()->rowCount(), 1);
    EXPECT_FALSE(window.SelectedString());
    EXPECT_TRUE(window.windowTitle().endsWith(" *"));

    prompts.answer(platform::PromptAnswer::Yes);
    window.mnuPageDel_Click();
    EXPECT_EQ(window.BarPages->text(), "2 pages");
    EXPECT_FALSE(window.SelectedPage());
    EXPECT_THAT(Told(), ElementsAre("Do you really want to remove selected text?",
                                    "Do you really want to remove selected text?",
                                    "Do you really want to remove selected page?"));
}

TEST_F(frmResEditorTest, TheClickedPageAndTextAreShownAndNoneBesideTheRows) {
    window.OpenFile(WriteLanguageFile("440001.xml", kFile));
    window.show();
    const auto row = [](QTreeView* list, int number) { return list->model()->index(number, 0); };
    testsupport::ClickRow(window.PageView, row(window.PageView, 1));
    EXPECT_EQ(window.lblName->text(), "Lasers");
    testsupport::ClickRow(window.PageView, row(window.PageView, 0));
    EXPECT_EQ(window.lblName->text(), "Ships");
    testsupport::ClickRow(window.TextView, row(window.TextView, 1));
    EXPECT_EQ(window.TextEdit->toPlainText(), "{,1}");

    // Beside the rows nothing is chosen: nothing is shown, nothing deleted.
    testsupport::ClickBesideRows(window.TextView);
    EXPECT_EQ(window.TextEdit->toPlainText(), "");
    window.mnuStrDel_Click();
    testsupport::ClickBesideRows(window.PageView);
    EXPECT_EQ(window.lblName->text(), "");
    EXPECT_EQ(window.TextView->model()->rowCount(), 0);
    window.mnuPageDel_Click();
    EXPECT_TRUE(Told().empty());

    dialogs.answerAs<frmPageEdit>([](frmPageEdit& edit) { edit.reject(); });
    testsupport::DoubleClickRow(window.PageView, row(window.PageView, 2));
    EXPECT_EQ(window.lblName->text(), "Names");
    EXPECT_EQ(dialogs.shown(), QStringList{"frmPageEdit"});
}

TEST_F(frmResEditorTest, ReloadNeedsDescriptionsSwitchedOn) {
    mdlCommon::Settings().SetLoadDescriptions(false);
    window.Reload();
    EXPECT_THAT(Told(), ElementsAre("Loading descriptions is turned off in settings."));
}

} // namespace

namespace {

TEST_F(frmResEditorTest, EditingAPageRefreshesItsRowAndLabels) {
    window.OpenFile(WriteLanguageFile("440001.xml", kFile));
    SelectPage(1);
    dialogs.answerAs<frmPageEdit>([](frmPageEdit& edit) {
        edit.TitleEdit->setText("Beams");
        edit.DescEdit->setText("All lasers");
        edit.btnOK->click();
    });
    window.mnuPageEdit_Click();
    EXPECT_EQ(Cell(window.PageView, 1, 1), "Beams");
    EXPECT_EQ(window.lblName->text(), "Beams");
    EXPECT_EQ(window.lblDesc->text(), "All lasers");
    EXPECT_TRUE(window.windowTitle().endsWith(" *"));
}

TEST_F(frmResEditorTest, TheSplitterKeepsBothListsUsable) {
    window.resize(800, 500);
    window.show();
    window.Splitter->setSizes({5, 795});
    EXPECT_GE(window.PageView->width(), 2000 / 15);
    window.Splitter->setSizes({795, 5});
    EXPECT_GE(window.TextView->width(), 2000 / 15);
}

TEST_F(frmResEditorTest, ThePopupMenusNeedADocument) {
    emit window.PageView->customContextMenuRequested(QPoint(5, 5));
    EXPECT_FALSE(window.mnuPageNew->isEnabled());
    EXPECT_FALSE(window.mnuPageDel->isEnabled());
    window.mnuPage->close();
    window.MyShow();
    emit window.TextView->customContextMenuRequested(QPoint(5, 5));
    EXPECT_TRUE(window.mnuStrNew->isEnabled()) << "memory mode answers with its message instead";
    EXPECT_TRUE(window.mnuStrEdit->isEnabled());
    window.mnuStr->close();
}

TEST_F(frmResEditorTest, CtrlFOpensTheFindWindowForTheFocusedList) {
    window.show();
    window.OpenFile(WriteLanguageFile("440001.xml", kFile));
    QTest::keyClick(window.PageView, Qt::Key_F, Qt::ControlModifier);
    auto* find = window.findChild<frmFind*>();
    ASSERT_TRUE(find);
    EXPECT_EQ(find->windowTitle(), "Find Page");
    QTest::keyClick(window.TextView, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(window.findChildren<frmFind*>().size(), 1) << "the open one is reused";
    EXPECT_EQ(find->windowTitle(), "Find Text");
}

TEST_F(frmResEditorTest, DroppingAFileOnThePageListOpensIt) {
    const QString path = WriteLanguageFile("440001.xml", kFile);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path), QUrl::fromLocalFile(restest::DataPath("other.xml"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.PageView->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.PageView->viewport(), &drop);
    EXPECT_EQ(window.Document().DocName(), path);
    QMimeData text;
    text.setText("not a file");
    QDropEvent ignored(QPointF(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.PageView->viewport(), &ignored);
    EXPECT_EQ(window.Document().DocName(), path);
}

TEST_F(frmResEditorTest, ReloadRefreshesThePagesInMemory) {
    window.MyShow();
    EXPECT_EQ(window.BarPages->text(), "0 pages");
    WriteLanguageFile("440001.xml", Language(44, kPageThree));
    restest::OpenDataFolder();
    mdlCommon::Settings().SetLoadDescriptions(true);
    window.Reload();
    EXPECT_EQ(window.BarPages->text(), "1 pages");
    EXPECT_EQ(Cell(window.PageView, 0, 1), "Names");
    EXPECT_TRUE(Told().empty());

    mdlCommon::Settings().SetDescLangID(33);
    window.Reload();
    EXPECT_THAT(Told(), ElementsAre("No XML/PCK resource files with LangID=33 found."));
}

} // namespace
