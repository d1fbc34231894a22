// The editor's document: opening, the pages in memory, new and merged
// documents, edits and saving.
#include "resources/ResEditorDocument.h"
#include "ResourceTestSupport.h"
#include "resources/clsDescServer.h"

#include <gmock/gmock.h>

using restest::Language;
using restest::Page;
using restest::Text;
using restest::WriteLanguageFile;

namespace {

class ResEditorDocumentTest : public testing::Test {
protected:
    void SetUp() override { ResetDescServer(); }
    void TearDown() override { ResetDescServer(); }

    std::string Saved() {
        const QString path = restest::DataPath("saved.xml");
        QString error;
        EXPECT_TRUE(document.Save(path, 1, error)) << error.toStdString();
        return testsupport::readFile(path.toStdString());
    }

    std::shared_ptr<clsPage> OpenedPage(int32_t pageId) {
        auto page = document.Pages().find(clsPage::MakeKey(pageId));
        if (page)
            document.LoadPageTexts(*page);
        return page;
    }

    ResEditorDocument document;
    QString error;
};

const std::string kFile = Language(44, Page("1", "A", Text("1", "one") + Text("2", "{,1}")) +
                                           Page("2", "B", Text("5", "five")));

TEST_F(ResEditorDocumentTest, OpeningListsThePagesAndReadsTextsOnFirstSelection) {
    const QString path = WriteLanguageFile("440001.xml", kFile);
    ASSERT_TRUE(document.Open(path, error));
    EXPECT_EQ(document.DocName(), path);
    EXPECT_EQ(document.FileName(), path);
    EXPECT_EQ(document.LangID(), 44);
    EXPECT_FALSE(document.MemoryMode());
    ASSERT_EQ(document.Pages().count(), 2);
    const auto page = document.Pages().at(1);
    EXPECT_EQ(page->Name, "A");
    EXPECT_TRUE(page->NotLoaded);
    EXPECT_EQ(page->Strings.count(), 0);

    EXPECT_TRUE(document.LoadPageTexts(*page));
    EXPECT_FALSE(document.LoadPageTexts(*page)) << "read once";
    ASSERT_EQ(page->Strings.count(), 2);
    EXPECT_EQ(page->Strings.at(2)->Text(), "one ");
}

TEST_F(ResEditorDocumentTest, RepeatedPagesAndTextsOfOneFile) {
    const std::string file = Language(44, Page("3", "First", Text("1", "a") + Text("1", "b")) +
                                              Page("3", "-", Text("2", "c")) +
                                              Page("4", "Four", "") + Page("4", "Later", ""));
    ASSERT_TRUE(document.Open(WriteLanguageFile("440001.xml", file), error));
    ASSERT_EQ(document.Pages().count(), 2);
    const auto three = document.Pages().at(1);
    EXPECT_EQ(three->Name, "First");
    EXPECT_EQ(document.RowTitle(*three), "-") << "the list shows the later element's title";
    EXPECT_EQ(document.Pages().at(2)->Name, "Later");

    document.LoadPageTexts(*three);
    ASSERT_EQ(three->Strings.count(), 1) << "the first page element of the id holds the texts";
    EXPECT_EQ(three->Strings.at(1)->RawText(), "b");
    EXPECT_TRUE(three->DuplicitIDs);
    EXPECT_EQ(three->GetLastError(), "Warning: duplicit string ID=1 found in page 3");
}

TEST_F(ResEditorDocumentTest, AFileThatIsNotALanguageFileLeavesAnEmptyDocument) {
    ASSERT_TRUE(document.Open(WriteLanguageFile("440001.xml", kFile), error));
    QString text;
    ASSERT_TRUE(document.UpdateText(*OpenedPage(2)->FindString(5), "changed", text));
    ASSERT_TRUE(document.Modified());

    EXPECT_FALSE(document.Open(WriteLanguageFile("440002.xml", "<texts/>"), error));
    EXPECT_EQ(error, "File does not contain top level element <language>.");
    EXPECT_EQ(document.DocName(), "");
    EXPECT_EQ(document.Pages().count(), 0);
    EXPECT_FALSE(document.Modified());
}

TEST_F(ResEditorDocumentTest, EditsChangeTheDocumentAndMarkItModified) {
    ASSERT_TRUE(document.Open(WriteLanguageFile("440001.xml", kFile), error));
    const auto page = OpenedPage(1);
    std::vector<std::string> told;
    QObject::connect(
        &document, &ResEditorDocument::textAdded,
        [&](const QString&, const QString& key) { told.push_back(key.toStdString()); });

    auto added = std::make_shared<clsString>();
    added->ID = 1;
    added->SetRawText("again");
    EXPECT_FALSE(document.AddText(page, added, error));
    EXPECT_EQ(error, "This text ID is already used in this page.");
    EXPECT_FALSE(document.Modified());

    added->ID = 0;
    ASSERT_TRUE(document.AddText(page, added, error)) << error.toStdString();
    EXPECT_EQ(page->Strings.at(3), added) << "a new text joins at the end";
    EXPECT_THAT(told, testing::ElementsAre("1-0k"));
    EXPECT_TRUE(document.Modified());

    auto text = page->FindString(0);
    ASSERT_TRUE(document.UpdateText(*text, "zero", error)) << "a text with id 0 can be edited";
    EXPECT_TRUE(text->Dirty);
    ASSERT_TRUE(document.UpdateText(*text, "zero", error));
    EXPECT_FALSE(text->Dirty);

    ASSERT_TRUE(document.UpdatePage(*page, "Title", "Desc", error));
    EXPECT_TRUE(page->Dirty);
    ASSERT_TRUE(document.DeleteText(page, page->FindString(2), error));
    ASSERT_TRUE(document.DeletePage(document.Pages().find("2k"), error));
    EXPECT_EQ(document.Pages().count(), 1);
    EXPECT_EQ(Saved(), Language(44, "  <page id=\"1\" title=\"Title\" descr=\"Desc\">\n" +
                                        Text("1", "one") + Text("0", "zero") + "  </page>\n"));
    EXPECT_FALSE(document.Modified());
}

TEST_F(ResEditorDocumentTest, DeletingMarksTheDocumentModified) {
    ASSERT_TRUE(document.Open(WriteLanguageFile("440001.xml", kFile), error));
    const auto page = OpenedPage(2);
    ASSERT_TRUE(document.DeleteText(page, page->FindString(5), error));
    EXPECT_TRUE(document.Modified());
    Saved();
    ASSERT_TRUE(document.DeletePage(page, error));
    EXPECT_TRUE(document.Modified());
}

TEST_F(ResEditorDocumentTest, FailedEditsSayWhatIsMissing) {
    ASSERT_TRUE(document.Open(WriteLanguageFile("440001.xml", kFile), error));
    auto ghost = std::make_shared<clsPage>();
    ghost->PageID = 9;
    EXPECT_FALSE(document.UpdatePage(*ghost, "x", "y", error));
    EXPECT_EQ(error, "Page 9 is not in the document.");
    auto text = std::make_shared<clsString>();
    text->PageID = 9;
    text->ID = 4;
    EXPECT_FALSE(document.UpdateText(*text, "x", error));
    EXPECT_EQ(error, "Text 4 of page 9 is not in the document.");
    EXPECT_FALSE(document.AddText(ghost, text, error));
    EXPECT_EQ(error, "Page 9 is not in the document.");

    auto seventeen = std::make_shared<clsPage>();
    seventeen->PageID = 1;
    EXPECT_FALSE(document.AddPage(seventeen, error));
    EXPECT_EQ(error, "This ID is already used in different page.");
    EXPECT_FALSE(document.Modified());
}

TEST_F(ResEditorDocumentTest, EditsChangeThePageElementTheEditorShowsWhereverItStands) {
    // Page 7 inside a nested language element comes first in the document;
    // the root may hold a page 7 of its own after it.
    const auto nested = [](const std::string& page) {
        return "  <language id=\"49\">\n" + page + "  </language>\n";
    };
    const std::string shown =
        Page("7", "Nested", Text("1", "nested one") + Text("2", "nested two"));
    const std::string edited =
        "  <page id=\"7\" title=\"Title\" descr=\"Desc\">\n" + Text("1", "changed") + "  </page>\n";
    for (const std::string& rootPage :
         {Page("7", "Root", Text("1", "root one") + Text("2", "root two")), std::string()}) {
        SCOPED_TRACE(rootPage.empty() ? "only the nested page" : "the root's page after it");
        ASSERT_TRUE(document.Open(
            WriteLanguageFile("440001.xml", Language(44, nested(shown) + rootPage)), error));
        const auto page = OpenedPage(7);
        ASSERT_TRUE(page);
        ASSERT_EQ(page->Name, "Nested");
        ASSERT_EQ(page->FindString(1)->RawText(), "nested one");

        ASSERT_TRUE(document.UpdateText(*page->FindString(1), "changed", error));
        ASSERT_TRUE(document.UpdatePage(*page, "Title", "Desc", error));
        ASSERT_TRUE(document.DeleteText(page, page->FindString(2), error));
        EXPECT_EQ(Saved(), Language(44, nested(edited) + rootPage));

        ASSERT_TRUE(document.DeletePage(page, error));
        EXPECT_EQ(Saved(), Language(44, nested("") + rootPage));
    }
}

TEST_F(ResEditorDocumentTest, AnEditOfATextLeavesElementsWhoseIdOnlyComparesEqual) {
    // "1.0" equals 1 as a number, but the editor does not list it as text 1.
    const std::string others = Text("1.0", "decimal");
    ASSERT_TRUE(document.Open(
        WriteLanguageFile("440001.xml", Language(44, Page("7", "P", Text("1", "one") + others))),
        error));
    const auto page = OpenedPage(7);
    ASSERT_TRUE(page);
    ASSERT_EQ(page->FindString(1)->RawText(), "one");
    ASSERT_TRUE(document.UpdateText(*page->FindString(1), "changed", error));
    EXPECT_EQ(Saved(), Language(44, Page("7", "P", Text("1", "changed") + others)));
    ASSERT_TRUE(document.DeleteText(page, page->FindString(1), error));
    EXPECT_EQ(Saved(), Language(44, Page("7", "P", others)));
}

TEST_F(ResEditorDocumentTest, ATextTitleOrDescriptionHoldingU0000IsRefusedAndNothingIsSaved) {
    const QString path = WriteLanguageFile("440001.xml", kFile);
    ASSERT_TRUE(document.Open(path, error));
    const QString nul = QStringLiteral("cut") + QChar(0) + QStringLiteral("here");
    const auto page = OpenedPage(2);
    EXPECT_FALSE(document.UpdateText(*page->FindString(5), nul, error));
    EXPECT_THAT(error.toStdString(), testing::StartsWith("The text holds the character U+0000"));
    auto text = std::make_shared<clsString>();
    text->ID = 6;
    text->SetRawText(nul);
    EXPECT_FALSE(document.AddText(page, text, error));
    EXPECT_THAT(error.toStdString(), testing::HasSubstr("U+0000"));
    EXPECT_FALSE(document.UpdatePage(*page, nul, "", error));
    EXPECT_THAT(error.toStdString(), testing::StartsWith("The title holds"));
    auto added = std::make_shared<clsPage>();
    added->PageID = 3;
    added->desc = nul;
    EXPECT_FALSE(document.AddPage(added, error));
    EXPECT_THAT(error.toStdString(), testing::StartsWith("The description holds"));
    EXPECT_FALSE(document.Modified());
    EXPECT_EQ(page->FindString(5)->RawText(), "five");
    EXPECT_EQ(Saved(), testsupport::readFile(path.toStdString()));
}

TEST_F(ResEditorDocumentTest, ThePagesInMemoryAreReadOnly) {
    WriteLanguageFile("440001.xml", Language(44, Page("17", "Names", Text("1", "Ship"))));
    restest::OpenDataFolder();
    ASSERT_TRUE(document.ReloadMemory(44, error)) << error.toStdString();
    document.ShowMemory();
    EXPECT_EQ(document.DocName(), "pages in memory");
    EXPECT_EQ(document.LangID(), -1);
    ASSERT_EQ(document.Pages().count(), 1);
    const auto page = document.Pages().at(1);
    EXPECT_EQ(page, DescServer().FindPage(17)) << "the cached page itself";

    auto text = std::make_shared<clsString>();
    text->ID = 2;
    EXPECT_FALSE(document.AddText(page, text, error));
    EXPECT_FALSE(document.UpdateText(*page->FindString(1), "x", error));
    EXPECT_FALSE(document.DeleteText(page, page->FindString(1), error));
    EXPECT_FALSE(document.UpdatePage(*page, "x", "y", error));
    EXPECT_FALSE(document.DeletePage(page, error));
    auto added = std::make_shared<clsPage>();
    added->PageID = 5;
    EXPECT_FALSE(document.AddPage(added, error));
    EXPECT_FALSE(document.Save(restest::DataPath("out.xml"), 1, error));
    EXPECT_EQ(page->FindString(1)->RawText(), "Ship");
    EXPECT_EQ(page->Name, "Names");
    EXPECT_EQ(document.Pages().count(), 1);
    EXPECT_FALSE(document.Modified());
}

TEST_F(ResEditorDocumentTest, ANewDocumentNeverUsesTheProgramsServer) {
    WriteLanguageFile("440001.xml", Language(44, Page("17", "Names", Text("1", "Ship"))));
    restest::OpenDataFolder();
    document.ReloadMemory(44, error);
    document.ShowMemory();
    ASSERT_TRUE(document.New(49, "/t/490003.xml", error));
    EXPECT_EQ(document.DocName(), "new document");
    EXPECT_EQ(document.FileName(), "/t/490003.xml");
    EXPECT_EQ(document.LangID(), 49);
    EXPECT_FALSE(document.MemoryMode());
    EXPECT_EQ(document.Pages().count(), 0);
    EXPECT_NE(&document.Server(), &DescServer());

    auto page = std::make_shared<clsPage>();
    page->PageID = 3;
    ASSERT_TRUE(document.AddPage(page, error));
    ASSERT_TRUE(document.ReloadMemory(44, error));
    EXPECT_EQ(document.Pages().count(), 1) << "a reload leaves the new document alone";
    EXPECT_EQ(Saved(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<language id=\"49\">\n"
                       "  <page id=\"3\" title=\"\" descr=\"\"/>\n</language>\n");
    EXPECT_EQ(DescServer().pages().count(), 1);
}

TEST_F(ResEditorDocumentTest, AMergeResolvesReferencesAcrossTheMergedFiles) {
    const QString second = WriteLanguageFile(
        "440002.xml", Language(44, Page("17", "-", Text("5", "later") + Text("6", "-")) +
                                       Page("20", "Twenty", Text("1", "target"))));
    const QString first = WriteLanguageFile(
        "440001.xml",
        Language(44, Page("17", "Names",
                          Text("5", "early") + Text("6", "kept") + Text("7", "{20,1}{17,5}"))));
    auto merged = std::make_unique<clsDescServer>();
    ASSERT_TRUE(merged->LoadResourcesAr(44, {second, first}));
    ASSERT_TRUE(document.Merge(std::move(merged), 44, error)) << error.toStdString();
    EXPECT_EQ(document.DocName(), "Merged Files");
    EXPECT_EQ(document.FileName(), "");
    EXPECT_TRUE(document.Modified());
    ASSERT_EQ(document.Pages().count(), 2);
    const auto names = document.Pages().at(1);
    EXPECT_EQ(names->Name, "Names");
    EXPECT_EQ(names->FindString(5)->RawText(), "later");
    EXPECT_EQ(names->FindString(6)->RawText(), "kept");
    EXPECT_EQ(names->FindString(7)->Text(), "target later ");

    EXPECT_EQ(Saved(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<language id=\"44\">\n"
                       "  <page id=\"17\" title=\"Names\" descr=\"about -\">\n"
                       "    <t id=\"6\">kept</t>\n    <t id=\"7\">{20,1}{17,5}</t>\n"
                       "    <t id=\"5\">later</t>\n  </page>\n"
                       "  <page id=\"20\" title=\"Twenty\" descr=\"about Twenty\">\n"
                       "    <t id=\"1\">target</t>\n  </page>\n</language>\n");
}

TEST_F(ResEditorDocumentTest, SavingPackedAndReopeningKeepsTheEdits) {
    ASSERT_TRUE(document.Open(WriteLanguageFile("440001.xml", kFile), error));
    const auto page = OpenedPage(2);
    ASSERT_TRUE(document.UpdateText(*page->FindString(5), "FIVE", error));
    const QString packed = restest::DataPath("t/440001.pck");
    ASSERT_TRUE(document.Save(packed, 2, error)) << error.toStdString();
    EXPECT_EQ(document.DocName(), packed);
    EXPECT_EQ(testsupport::readFile(packed.toStdString()).substr(0, 2), "\x1F\x8B");

    ResEditorDocument reopened;
    ASSERT_TRUE(reopened.Open(packed, error));
    const auto again = reopened.Pages().find("2k");
    reopened.LoadPageTexts(*again);
    EXPECT_EQ(again->FindString(5)->RawText(), "FIVE");
}

TEST_F(ResEditorDocumentTest, AFileInsideACatalogIsOpenedAndSavedBack) {
    std::filesystem::create_directories(testsupport::dataDir() / "mod");
    const QString inside = restest::DataPath("mod/01.cat") + "::t\\440001.xml";
    ASSERT_TRUE(mdlZorvObjects::Zorv_EncodeXMLFile(inside, QByteArray::fromStdString(kFile), 2))
        << mdlZorvObjects::GetLastErrorText().toStdString();
    ASSERT_TRUE(document.Open(inside, error)) << error.toStdString();
    EXPECT_EQ(document.DocName(), inside);
    ASSERT_TRUE(document.UpdateText(*OpenedPage(2)->FindString(5), "cinq", error));
    ASSERT_TRUE(document.Save(inside, 2, error)) << error.toStdString();

    ResEditorDocument reopened;
    ASSERT_TRUE(reopened.Open(inside, error));
    const auto page = reopened.Pages().find("2k");
    reopened.LoadPageTexts(*page);
    EXPECT_EQ(page->FindString(5)->RawText(), "cinq");
}

} // namespace
