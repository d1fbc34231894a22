// Browsing and editing one open language document, with the events the
// editor receives.
#include "ResourceTestSupport.h"
#include "resources/clsDescServer.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

using restest::Language;
using restest::Page;
using restest::Text;
using restest::WriteLanguageFile;
using testing::ElementsAre;

namespace {

// What a server raised, one line per event.
struct Events {
    std::vector<std::string> lines;
    std::vector<std::shared_ptr<clsString>> texts;

    explicit Events(clsDescServer& server) {
        QObject::connect(&server, &clsDescServer::OnLanguageSectionEnter,
                         [this](int32_t id) { lines.push_back("language " + std::to_string(id)); });
        QObject::connect(&server, &clsDescServer::OnPageRead,
                         [this](int32_t id, const QString& title, const QString& desc) {
                             lines.push_back("page " + std::to_string(id) + " " +
                                             title.toStdString() + "/" + desc.toStdString());
                         });
        QObject::connect(&server, &clsDescServer::OnStringRead,
                         [this](const std::shared_ptr<clsString>& text) {
                             texts.push_back(text);
                             lines.push_back("text " + std::to_string(text->ID) + " " +
                                             text->Text().toStdString());
                         });
    }
};

std::string Saved(clsDescServer& server) {
    const QString path = restest::DataPath("saved.xml");
    EXPECT_TRUE(server.SaveFile(path, 1)) << server.GetLastError().toStdString();
    return testsupport::readFile(path.toStdString());
}

clsString MakeText(int32_t pageId, int32_t id, const QString& raw) {
    clsString text;
    text.PageID = pageId;
    text.ID = id;
    text.SetRawText(raw);
    return text;
}

std::chrono::nanoseconds ThreadTime() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

clsPage MakePage(int32_t pageId, const QString& title, const QString& desc) {
    clsPage page;
    page.PageID = pageId;
    page.Name = title;
    page.desc = desc;
    return page;
}

const std::string kDocument = Language(
    44, Page("1", "A", Text("1", "one") + "    <!-- note -->\n" + "    <x id=\"2\">{,1}</x>\n") +
            Page("2", "B", Text("5", "five")));

TEST(DescServerDocument, BrowsingRaisesTheLanguageThePagesAndTheTexts) {
    clsDescServer server;
    Events events(server);
    ASSERT_TRUE(server.OpenXMLFile(WriteLanguageFile("440001.xml", kDocument)));
    EXPECT_TRUE(server.EnumPages());
    server.EnumStrings(1);
    server.EnumStrings(9);
    EXPECT_THAT(events.lines, ElementsAre("language 44", "page 1 A/about A", "page 2 B/about B",
                                          "text 1 one", "text 2 one "));
    EXPECT_EQ(events.texts[1]->RawText(), "{,1}");
    EXPECT_EQ(events.texts[1]->PageID, 1);
}

TEST(DescServerDocument, DocumentsThatAreNotLanguageDocuments) {
    clsDescServer server;
    Events events(server);
    EXPECT_FALSE(server.OpenXMLFile(WriteLanguageFile("bad.xml", "<texts/>")));
    EXPECT_EQ(server.GetLastError(), "File does not contain top level element <language>.");
    EXPECT_FALSE(server.OpenXMLFile(restest::DataPath("t/missing.xml")));
    EXPECT_FALSE(server.GetLastError().isEmpty());

    ASSERT_TRUE(server.OpenXMLFile(WriteLanguageFile("empty.xml", Language(49, ""))));
    EXPECT_FALSE(server.EnumPages()) << "no page";
    EXPECT_THAT(events.lines, ElementsAre("language 49"));

    ASSERT_TRUE(server.OpenXMLFile(
        WriteLanguageFile("ids.xml", Language(44, Page("x", "Bad", "") + Page("3", "Good", "")))));
    EXPECT_FALSE(server.EnumPages());
    EXPECT_EQ(server.GetLastError(), "The id \"x\" of a page is not a number.");
    EXPECT_EQ(events.lines.back(), "page 3 Good/about Good");
}

TEST(DescServerDocument, InsertingPagesAndTexts) {
    clsDescServer server;
    ASSERT_TRUE(server.OpenXMLFile(WriteLanguageFile("440001.xml", kDocument)));
    clsString missing = MakeText(5, 1, "x");
    EXPECT_FALSE(server.InsertString(missing));
    EXPECT_EQ(Saved(server), kDocument) << "nothing changed";

    ASSERT_TRUE(server.InsertPage(MakePage(5, "New", "Fresh")));
    clsString added = MakeText(5, 1, "{1,1}");
    ASSERT_TRUE(server.InsertString(added));
    EXPECT_EQ(added.Text(), "one ") << "resolved on writing";
    EXPECT_EQ(
        Saved(server),
        Language(44, Page("1", "A",
                          Text("1", "one") + "    <!-- note -->\n" + "    <x id=\"2\">{,1}</x>\n") +
                         Page("2", "B", Text("5", "five")) +
                         "  <page id=\"5\" title=\"New\" descr=\"Fresh\"><t id=\"1\">{1,1}</t>"
                         "</page>\n"));
}

TEST(DescServerDocument, InsertedTextsGoToTheFirstPageOfTheirIdAsEditsGoOn) {
    // Page 3 stands nested inside another element before its place below
    // the root; page 4 comes twice.
    const std::string document =
        Language(44, "  <group><page id=\"3\"/></group>\n" + Page("3", "C", "") +
                         Page("4", "D1", "") + Page("4", "D2", ""));
    clsDescServer server;
    ASSERT_TRUE(server.OpenXMLFile(WriteLanguageFile("440001.xml", document)));
    const auto insert = [&](int32_t page, int32_t id) {
        clsString text = MakeText(page, id, QString::number(id));
        return server.InsertString(text);
    };
    ASSERT_TRUE(insert(3, 1));
    ASSERT_TRUE(insert(4, 2));
    // Deleting the first page of an id sends texts to the next one.
    ASSERT_TRUE(server.DeletePage(MakePage(4, "", "")));
    ASSERT_TRUE(insert(4, 3));
    // A page added later is found; deleting the only page of an id leaves
    // nothing to insert into.
    ASSERT_TRUE(server.InsertPage(MakePage(6, "F", "")));
    ASSERT_TRUE(insert(6, 4));
    ASSERT_TRUE(server.DeletePage(MakePage(6, "", "")));
    EXPECT_FALSE(insert(6, 5));
    EXPECT_EQ(Saved(server),
              Language(44, "  <group><page id=\"3\"><t id=\"1\">1</t></page></group>\n" +
                               Page("3", "C", "") +
                               "  <page id=\"4\" title=\"D2\" descr=\"about D2\">\n"
                               "  <t id=\"3\">3</t></page>\n"));
}

// The processor time this thread spends building a document of that many
// texts spread over 40 pages, least of the runs: unlike the clock on the
// wall, it leaves out the time other programs hold the processor.
std::chrono::nanoseconds BuildTime(int texts, int runs) {
    constexpr int kPages = 40;
    std::chrono::nanoseconds least = std::chrono::hours(1);
    for (int run = 0; run < runs; ++run) {
        clsDescServer server;
        const auto start = ThreadTime();
        EXPECT_TRUE(server.CreateDocument(44));
        for (int page = 1; page <= kPages; ++page)
            EXPECT_TRUE(server.InsertPage(MakePage(page, "P", "")));
        for (int id = 0; id < texts; ++id) {
            clsString text = MakeText(id % kPages + 1, id, id % 10 ? "text" : "{1,0}");
            EXPECT_TRUE(server.InsertString(text));
        }
        least = std::min(least, ThreadTime() - start);
        Events events(server);
        server.EnumStrings(kPages);
        EXPECT_EQ(events.texts.size(), size_t(texts / kPages));
    }
    return least;
}

TEST(DescServerDocument, AMergedDocumentOfManyTextsBuildsInLinearTime) {
    // Eight times the texts: linear growth takes about eight times as long,
    // searching the document for each text's page fifty times and more.
    const auto small = BuildTime(5000, 3);
    // A burst of load can slow one build: the larger one gets a second try.
    auto large = BuildTime(40000, 1);
    if (large >= small * 24)
        large = std::min(large, BuildTime(40000, 1));
    EXPECT_LT(large, small * 24) << "small " << small.count() << " ns, large " << large.count()
                                 << " ns";
}

TEST(DescServerDocument, UpdatingWritesTheWholeTextAndResolvesItAgain) {
    const std::string document =
        Language(44, Page("017", "A", Text("1", "split<!-- c -->text") + Text("2", "{,1}")));
    clsDescServer server;
    Events events(server);
    ASSERT_TRUE(server.OpenXMLFile(WriteLanguageFile("440001.xml", document)));
    server.EnumStrings(17);
    EXPECT_EQ(events.texts.at(1)->Text(), "split text ");

    clsString one = MakeText(17, 1, "whole");
    ASSERT_TRUE(server.UpdateString(one));
    clsString two = MakeText(17, 2, "{,1}{17,2}");
    ASSERT_TRUE(server.UpdateString(two));
    EXPECT_EQ(two.Text(), "whole  ") << "the index follows the edit; the self-reference is empty";
    EXPECT_TRUE(server.UpdatePage(MakePage(17, "Title", "Desc")));
    EXPECT_EQ(Saved(server), Language(44, "  <page id=\"017\" title=\"Title\" descr=\"Desc\">\n" +
                                              Text("1", "whole<!-- c -->") +
                                              Text("2", "{,1}{17,2}") + "  </page>\n"));

    clsString absent = MakeText(17, 3, "x");
    EXPECT_FALSE(server.UpdateString(absent));
    EXPECT_FALSE(server.UpdatePage(MakePage(9, "x", "y")));
}

TEST(DescServerDocument, WithARepeatedIdTheShownTextIsTheOneChanged) {
    const std::string document =
        Language(44, Page("1", "A", Text("4", "first") + Text("4", "second") + Text("5", "other")));
    clsDescServer server;
    Events events(server);
    ASSERT_TRUE(server.OpenXMLFile(WriteLanguageFile("440001.xml", document)));
    server.EnumStrings(1);
    clsPage page;
    page.PageID = 1;
    for (const auto& text : events.texts)
        page.AddString(text);
    const auto shown = page.FindString(4);
    EXPECT_EQ(shown->RawText(), "second");

    shown->SetRawText("changed");
    ASSERT_TRUE(server.UpdateString(*shown));
    EXPECT_EQ(Saved(server),
              Language(44, Page("1", "A",
                                Text("4", "first") + Text("4", "changed") + Text("5", "other"))));
    ASSERT_TRUE(server.DeleteString(*shown));
    EXPECT_EQ(Saved(server), Language(44, Page("1", "A", Text("4", "first") + Text("5", "other"))));
}

TEST(DescServerDocument, DeletingPagesAndTexts) {
    clsDescServer server;
    Events events(server);
    ASSERT_TRUE(server.OpenXMLFile(WriteLanguageFile("440001.xml", kDocument)));
    server.EnumStrings(1); // leaves the cursor on the page's last text
    ASSERT_TRUE(server.DeleteString(MakeText(1, 2, "")));
    EXPECT_FALSE(server.DeleteString(MakeText(1, 2, "")));
    ASSERT_TRUE(server.DeletePage(MakePage(2, "", "")));
    EXPECT_FALSE(server.DeletePage(MakePage(2, "", "")));
    events.lines.clear();
    server.EnumStrings(2);
    EXPECT_TRUE(events.lines.empty());
    EXPECT_EQ(Saved(server),
              Language(44, Page("1", "A", Text("1", "one") + "    <!-- note -->\n")));

    clsString text = MakeText(1, 3, "{1,1}");
    EXPECT_TRUE(server.TranslateString(text));
    EXPECT_EQ(text.Text(), "one ");
}

TEST(DescServerDocument, ReferencesFollowEveryEditOfTheirTargets) {
    clsDescServer server;
    ASSERT_TRUE(server.OpenXMLFile(WriteLanguageFile(
        "440001.xml", Language(44, Page("1", "A", Text("1", "a") + Text("2", "b")) +
                                       Page("2", "B", Text("1", "{1,1}{1,2}{1,3}"))))));
    const auto resolved = [&](int32_t id) {
        clsString text = MakeText(2, id, "{1,1}{1,2}{1,3}");
        EXPECT_TRUE(server.InsertString(text));
        return text.Text();
    };
    EXPECT_EQ(resolved(2), "a b  ");
    clsString one = MakeText(1, 1, "changed");
    ASSERT_TRUE(server.UpdateString(one));
    clsString three = MakeText(1, 3, "new");
    ASSERT_TRUE(server.InsertString(three));
    EXPECT_EQ(resolved(3), "changed b new ");
    ASSERT_TRUE(server.DeleteString(MakeText(1, 2, "")));
    EXPECT_EQ(resolved(4), "changed  new ");
    ASSERT_TRUE(server.DeletePage(MakePage(1, "", "")));
    EXPECT_EQ(resolved(5), "   ");
}

TEST(DescServerDocument, NewDocumentsAreSavedPlainOrPacked) {
    clsDescServer server;
    ASSERT_TRUE(server.CreateDocument(44));
    EXPECT_EQ(Saved(server), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<language id=\"44\"/>\n");

    ASSERT_TRUE(server.InsertPage(MakePage(17, "Names", "Objects")));
    clsString text = MakeText(17, 1, "Ship");
    ASSERT_TRUE(server.InsertString(text));
    const QString packed = restest::DataPath("440009.pck");
    ASSERT_TRUE(server.SaveFile(packed, 2)) << server.GetLastError().toStdString();
    EXPECT_EQ(testsupport::readFile(packed.toStdString()).substr(0, 2), "\x1F\x8B");

    clsDescServer reader;
    Events events(reader);
    ASSERT_TRUE(reader.OpenXMLFile(packed));
    reader.EnumPages();
    reader.EnumStrings(17);
    EXPECT_THAT(events.lines, ElementsAre("language 44", "page 17 Names/Objects", "text 1 Ship"));

    EXPECT_FALSE(server.SaveFile(restest::DataPath("no/such/folder/x.xml"), 3));
    EXPECT_FALSE(server.GetLastError().isEmpty());
}

} // namespace
