// Loading the page cache of a language from its files, and the look-ups.
#include "ResourceTestSupport.h"
#include "resources/clsDescServer.h"

#include <gmock/gmock.h>

using restest::Language;
using restest::Page;
using restest::Text;
using restest::WriteLanguageFile;
using testing::HasSubstr;
using testing::StartsWith;

namespace {

QString Text2(const clsDescServer& server, int32_t page, int32_t id) {
    return server.GetString2(page, id, QString());
}

TEST(DescServerLoad, ALaterFileCompletesAndOverridesAnEarlierOne) {
    WriteLanguageFile("440001.xml", Language(44, Page("7", "Sectors", Text("1", "Home")) +
                                                     Page("17", "Names",
                                                          Text("5", "old five") + Text("6", "six") +
                                                              Text("7", "seven"))));
    WriteLanguageFile("440002.pck",
                      Language(44, Page("17", "-", Text("5", "new five") + Text("7", "-")) +
                                       Page("100", "Other", Text("1", "never cached"))));
    restest::OpenDataFolder();

    clsDescServer server;
    ASSERT_TRUE(server.LoadResources(44)) << server.GetLastError().toStdString();
    EXPECT_EQ(Text2(server, 17, 5), "new five");
    EXPECT_EQ(Text2(server, 17, 6), "six");
    EXPECT_EQ(Text2(server, 17, 7), "seven");
    EXPECT_EQ(Text2(server, 7, 1), "Home");
    EXPECT_EQ(server.FindPage(17)->Name, "Names");
    EXPECT_EQ(server.FindPage(100), nullptr);
    EXPECT_EQ(server.pages().count(), 2);
    EXPECT_EQ(server.pages().keyAt(1), "17k") << "pages in the order of the cached list";
}

TEST(DescServerLoad, ARepeatedTextIdKeepsItsFirstPlaceAndIsLogged) {
    WriteLanguageFile("440001.xml",
                      Language(44, Page("17", "Names",
                                        Text("3", "first") + Text("4", "four") +
                                            Text("3", "second") + Text("5", "{17,3}"))));
    restest::OpenDataFolder();
    clsDescServer server;
    ASSERT_TRUE(server.LoadResources(44)) << server.GetLastError().toStdString();
    const auto page = server.FindPage(17);
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->Strings.count(), 3);
    EXPECT_EQ(page->Strings.at(1)->ID, 3);
    EXPECT_EQ(page->Strings.at(1)->RawText(), "second");
    EXPECT_EQ(Text2(server, 17, 5), "second ");
    EXPECT_TRUE(page->DuplicitIDs);
    EXPECT_EQ(page->GetLastError(), "Warning: duplicit string ID=3 found in page 17");
}

TEST(DescServerLoad, ATextKeepsItsTextAfterItsServerAndDocumentAreGone) {
    // Texts are read from the file's bytes when first asked for: those bytes
    // must outlive the document and the server.
    WriteLanguageFile(
        "440001.xml",
        Language(44,
                 Page("17", "Names",
                      Text("1", "Gr\u00fc\u00dfe \u263a") + Text("2", "a<!-- c -->b") +
                          Text("3", "<![CDATA[<x>]]> &amp; y") + Text("4", "") +
                          Text("5", "after") + Text("6", "{17,<!-- c -->5}") + Text("7", "last"))));
    restest::OpenDataFolder();
    std::shared_ptr<clsString> kept[7];
    clsString copy;
    {
        clsDescServer server;
        ASSERT_TRUE(server.LoadResources(44)) << server.GetLastError().toStdString();
        const auto page = server.FindPage(17);
        ASSERT_NE(page, nullptr);
        for (int id = 1; id <= 7; ++id) {
            kept[id - 1] = page->FindString(id);
            ASSERT_NE(kept[id - 1], nullptr) << id;
        }
        copy = *kept[1];
    }
    EXPECT_EQ(kept[0]->RawText(), QString::fromUtf8("Gr\u00fc\u00dfe \u263a"));
    EXPECT_EQ(kept[1]->RawText(), "a b");
    EXPECT_EQ(copy.RawText(), "a b");
    EXPECT_EQ(kept[2]->RawText(), "<x>  & y") << "the parts joined by a blank";
    EXPECT_EQ(kept[3]->RawText(), "");
    // Single texts and joined ones mixed on one page keep their own bytes;
    // a joined text can be a reference list.
    EXPECT_EQ(kept[4]->RawText(), "after");
    EXPECT_EQ(kept[5]->RawText(), "{17, 5}");
    EXPECT_EQ(kept[5]->Text(), "after ");
    EXPECT_EQ(kept[6]->RawText(), "last");
    EXPECT_EQ(kept[0]->Clone()->Text(), kept[0]->RawText());
}

TEST(DescServerLoad, ARepeatedTextIdIsResolvedAsItsLaterText) {
    // The later text decides whether the kept one is a reference list.
    WriteLanguageFile(
        "440001.xml",
        Language(44, Page("17", "Names",
                          Text("3", "plain") + Text("4", "four") + Text("6", "{17,4}") +
                              Text("3", "{17,4}") + Text("6", "plain six"))));
    restest::OpenDataFolder();
    clsDescServer server;
    ASSERT_TRUE(server.LoadResources(44)) << server.GetLastError().toStdString();
    EXPECT_EQ(Text2(server, 17, 3), "four ");
    EXPECT_EQ(Text2(server, 17, 6), "plain six");
    EXPECT_FALSE(server.GetString(17, 6)->Translated());
}

TEST(DescServerLoad, LookUpsFallBackToTheDefaultOrAPlaceholder) {
    WriteLanguageFile("440001.xml", Language(44, Page("2000", "Extra", Text("1", "first"))));
    restest::OpenDataFolder();
    clsDescServer server;
    ASSERT_TRUE(server.LoadResources(44)) << server.GetLastError().toStdString();
    EXPECT_EQ(server.GetString(2000, 1)->Text(), "first");
    EXPECT_EQ(server.GetString(2000, 2), nullptr);
    EXPECT_EQ(server.GetString(17, 1), nullptr);
    EXPECT_EQ(server.GetString2(17, 3, QString()), "[string 17:3]");
    EXPECT_EQ(server.GetString2(17, 3, QStringLiteral("fallback")), "fallback");

    const auto kept = server.FindPage(2000);
    server.Unload();
    EXPECT_TRUE(server.pages().isEmpty());
    EXPECT_EQ(kept->FindString(1)->Text(), "first") << "a window keeps its pages";
}

TEST(DescServerLoad, IdsWithLeadingZerosAreFoundByTheirNumber) {
    WriteLanguageFile(
        "440001.xml",
        Language(44, Page("017", "Names", Text("005", "five") + Text("6", "{017,05}"))));
    restest::OpenDataFolder();
    clsDescServer server;
    ASSERT_TRUE(server.LoadResources(44)) << server.GetLastError().toStdString();
    EXPECT_EQ(Text2(server, 17, 5), "five");
    EXPECT_EQ(Text2(server, 17, 6), "five ");
}

TEST(DescServerLoad, FilesOfOtherLanguagesOrWithoutNumbersAreLeftOut) {
    WriteLanguageFile("440001.xml", Language(49, Page("17", "German", Text("1", "eins"))));
    WriteLanguageFile("44notes.xml", Language(44, Page("17", "Notes", Text("1", "note"))));
    WriteLanguageFile("490001.xml", Language(44, Page("17", "Elsewhere", Text("1", "x"))));
    restest::OpenDataFolder();
    clsDescServer server;
    EXPECT_TRUE(server.LoadResources(44)) << "another language id contributes nothing";
    EXPECT_TRUE(server.pages().isEmpty());
}

TEST(DescServerLoad, WithoutFilesTheErrorSaysWhy) {
    restest::OpenDataFolder();
    clsDescServer server;
    EXPECT_FALSE(server.LoadResources(44));
    EXPECT_EQ(server.GetLastError(), "No XML/PCK resource files with LangID=44 found.");

    WriteLanguageFile("44readme.txt", "not a language file");
    restest::OpenDataFolder();
    EXPECT_FALSE(server.LoadResources(44));
    EXPECT_THAT(server.GetLastError().toStdString(),
                StartsWith("No XML/PCK resource files with LangID=44 found"));
    EXPECT_THAT(server.GetLastError().toStdString(), HasSubstr("number"));
}

TEST(DescServerLoad, ABadFileIsReportedAndTheOthersStillLoad) {
    struct Case {
        const char* name;
        std::string content;
        const char* error;
    };
    const Case cases[] = {
        {"440002.xml", "<language id=\"44\"><page id=\"7\"></language>", "Error: "},
        {"440002.xml", "<?xml version=\"1.0\"?><texts id=\"44\"/>",
         "File does not start with element <language> - "},
        {"440002.pck", "\x1F\x8B not really packed", "440002.pck"},
        {"440002.pck", "plain bytes, not gzip and not XML", "Error: "},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(testsupport::dataDir() / "t");
        WriteLanguageFile("440001.xml", Language(44, Page("17", "Names", Text("1", "kept"))));
        testsupport::writeFile(testsupport::dataDir() / "t" / c.name, c.content);
        WriteLanguageFile("440003.xml", Language(44, Page("7", "Sectors", Text("1", "also"))));
        restest::OpenDataFolder();

        clsDescServer server;
        EXPECT_FALSE(server.LoadResources(44)) << c.name;
        EXPECT_THAT(server.GetLastError().toStdString(), HasSubstr(c.error)) << c.content;
        EXPECT_THAT(server.GetLastError().toStdString(), HasSubstr("440002")) << c.content;
        EXPECT_EQ(Text2(server, 17, 1), "kept") << c.content;
        EXPECT_EQ(Text2(server, 7, 1), "also") << c.content;
    }
}

TEST(DescServerLoad, AnIdThatIsNotANumberIsReportedWithItsReason) {
    struct Case {
        std::string pages;
        const char* error;
    };
    const Case cases[] = {
        {Page("abc", "Bad", ""), "The id \"abc\" of a page is not a number"},
        {"  <page title=\"No id\"/>\n", "A page has no id"},
        {Page("7", "Sectors", Text("x1", "bad")),
         "The id \"x1\" of a text in page 7 is not a number"},
    };
    for (const Case& c : cases) {
        const QString path = WriteLanguageFile(
            "440001.xml", Language(44, Page("17", "Names", Text("1", "read first")) + c.pages));
        clsDescServer server;
        EXPECT_FALSE(server.LoadResourcesAr(44, {path}));
        EXPECT_THAT(server.GetLastError().toStdString(), HasSubstr(c.error));
        EXPECT_THAT(server.GetLastError().toStdString(), HasSubstr("440001.xml"));
        EXPECT_EQ(Text2(server, 17, 1), "read first");
    }

    // The cache reads only its own pages, and a bad id among them ends the load.
    restest::OpenDataFolder();
    clsDescServer server;
    EXPECT_FALSE(server.LoadResources(44));
    EXPECT_THAT(server.GetLastError().toStdString(),
                StartsWith("clsDescServer->LoadResources: The id \"x1\" of a text in page 7"));
    EXPECT_EQ(Text2(server, 17, 1), "read first");
}

TEST(DescServerLoad, ABadIdEndsTheLoadAtItsPlaceInThePageList) {
    // The file holds its pages in another order than the page list
    // (17, 7, 2000 ... 2013); page 2005 has a bad text id.
    WriteLanguageFile("440001.xml",
                      Language(44, Page("2006", "After", Text("1", "not reached")) +
                                       Page("2005", "Bad", Text("1", "ok") + Text("x", "bad")) +
                                       Page("2001", "Before", Text("1", "early")) +
                                       Page("7", "Sectors", Text("1", "seven")) +
                                       Page("17", "Names", Text("1", "seventeen"))));
    restest::OpenDataFolder();
    clsDescServer server;
    EXPECT_FALSE(server.LoadResources(44));
    EXPECT_THAT(server.GetLastError().toStdString(), HasSubstr("text in page 2005"));
    EXPECT_EQ(Text2(server, 17, 1), "seventeen");
    EXPECT_EQ(Text2(server, 7, 1), "seven");
    EXPECT_EQ(Text2(server, 2001, 1), "early");
    EXPECT_EQ(server.FindPage(2005), nullptr);
    EXPECT_EQ(server.FindPage(2006), nullptr);
    QStringList order;
    for (const auto& page : server.pages())
        order << QString::number(page->PageID);
    EXPECT_EQ(order.join(u' '), "17 7 2001");
}

TEST(DescServerLoad, ALanguageFileInAMissingCatalogIsReported) {
    const QString catalog = restest::DataPath("mod/01.cat");
    std::filesystem::create_directories(testsupport::dataDir() / "mod");
    WriteLanguageFile("440001.xml", Language(44, Page("17", "Names", Text("1", "loose"))));
    ASSERT_TRUE(mdlZorvObjects::Zorv_EncodeXMLFile(
        catalog + "::t\\440002.xml",
        QByteArray::fromStdString(Language(44, Page("7", "Sectors", Text("1", "packed")))), 1))
        << mdlZorvObjects::GetLastErrorText().toStdString();
    restest::OpenDataFolder();
    ASSERT_TRUE(mdlZorvVFS::ZorvVFS_AppendCatalog(catalog))
        << mdlZorvVFS::GetLastErrorText().toStdString();
    clsDescServer server;
    ASSERT_TRUE(server.LoadResources(44)) << server.GetLastError().toStdString();
    EXPECT_EQ(Text2(server, 7, 1), "packed");

    std::filesystem::remove(testsupport::dataDir() / "mod" / "01.dat");
    std::filesystem::remove(testsupport::dataDir() / "mod" / "01.cat");
    EXPECT_FALSE(server.LoadResources(44));
    EXPECT_THAT(server.GetLastError().toStdString(), HasSubstr("01.cat::t\\440002.xml"));
    EXPECT_EQ(Text2(server, 17, 1), "loose");
}

TEST(DescServerLoad, MergingReadsEveryPageAndCompletesARepeatedOne) {
    const QString first =
        WriteLanguageFile("440001.xml", Language(44, Page("17", "Names", Text("1", "one")) +
                                                         Page("300", "Extra", Text("1", "extra")) +
                                                         Page("17", "-", Text("2", "two"))));
    const QString second =
        WriteLanguageFile("440002.xml", Language(44, Page("17", "Later", Text("1", "ONE"))));
    const QString bad =
        WriteLanguageFile("440003.xml", Language(44, Page("5", "x", Text("?", ""))));

    const QString missing = restest::DataPath("t/440000.xml");

    clsDescServer server;
    EXPECT_FALSE(server.LoadResourcesAr(44, {missing}));
    EXPECT_THAT(server.GetLastError().toStdString(), StartsWith("File "));
    EXPECT_THAT(server.GetLastError().toStdString(), HasSubstr("440000.xml"));
    EXPECT_FALSE(server.LoadResourcesAr(44, {bad, second, QString(), first}));
    EXPECT_THAT(server.GetLastError().toStdString(), HasSubstr("440003.xml"));
    EXPECT_THAT(server.GetLastError().toStdString(), HasSubstr("The id \"?\" of a text"));
    EXPECT_EQ(Text2(server, 17, 1), "ONE");
    EXPECT_EQ(Text2(server, 17, 2), "two");
    EXPECT_EQ(Text2(server, 300, 1), "extra");
    EXPECT_EQ(server.FindPage(17)->Name, "Later");

    EXPECT_TRUE(server.LoadResourcesAr(44, {first}));
    EXPECT_EQ(Text2(server, 17, 1), "one") << "adds to the cache";
}

TEST(DescServerLoad, TheProgramsServerCanBeReplaced) {
    WriteLanguageFile("440001.xml", Language(44, Page("17", "Names", Text("1", "one"))));
    restest::OpenDataFolder();
    ASSERT_TRUE(DescServer().LoadResources(44));
    EXPECT_EQ(DescServer().GetString2(17, 1), "one");
    ResetDescServer();
    EXPECT_EQ(DescServer().GetString2(17, 1), "[string 17:1]");
}

} // namespace
