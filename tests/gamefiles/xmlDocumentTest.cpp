// Reading, walking and writing documents.
#include "xmlTestSupport.h"

#include <gmock/gmock.h>

#include <string>
#include <utility>
#include <vector>

using testing::EndsWith;
using testing::HasSubstr;
using testing::StartsWith;
using xmltest::Open;
using xmltest::Saved;

namespace {

const char* const kPages = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<language id=\"44\">\n"
                           "  <!-- names -->\n"
                           "  <page id=\"17\" title=\"Names\" descr=\"Objects\">\n"
                           "    <t id=\"1\">One</t>\n"
                           "    <t id=\"2\">Two</t>\n"
                           "  </page>\n"
                           "  <page id=\"7\" title=\"Sectors\"/>\n"
                           "</language>\n";

TEST(XmlDocument, UnchangedDocumentsAreWrittenBackAsRead) {
    const std::string documents[] = {
        kPages,
        // Byte order mark, CR LF, doctype, processing instruction, comments
        // around the root, CDATA and escapes.
        "\xEF\xBB\xBF<?xml version=\"1.0\"?>\r\n<!DOCTYPE language>\r\n<?style x?>\r\n"
        "<language id=\"44\">\r\n\t<page id=\"1\" title=\"a &amp; b\">\r\n"
        "\t\t<t id=\"1\"><![CDATA[<b>]]> &lt;x&gt;</t>\r\n\t</page>\r\n</language>\r\n"
        "<!-- end -->\r\n",
        // No declaration, no line break at the end.
        "<universe xmlns=\"XUNIVERS.xsd\"><o t=\"1\"/></universe>",
    };
    for (const std::string& document : documents) {
        clsXMLParser xml;
        ASSERT_TRUE(Open(xml, document));
        EXPECT_EQ(Saved(xml), document);
    }
}

TEST(XmlDocument, PackedAndPlainFilesLoadToTheSameDocument) {
    clsXMLParser xml;
    ASSERT_TRUE(Open(xml, kPages));
    const QString packed = xmltest::DataPath("440001.pck");
    ASSERT_TRUE(xml.SaveToFile(packed, 2)) << xml.GetLastError().toStdString();
    EXPECT_THAT(testsupport::readFile(packed.toStdString()), StartsWith("\x1F\x8B"));

    clsXMLParser reread;
    ASSERT_TRUE(reread.OpenFile(packed)) << reread.GetLastError().toStdString();
    EXPECT_EQ(reread.GetNodeName(), "page");
    EXPECT_EQ(Saved(reread), kPages);
}

TEST(XmlDocument, OpenPutsTheCursorOnTheRootsFirstElementChild) {
    clsXMLParser xml;
    ASSERT_TRUE(Open(xml, kPages));
    EXPECT_EQ(xml.GetNodeName(), "page");
    EXPECT_EQ(xml.GetNodeAttr(QStringLiteral("id")), "17");

    // A root without element children opens with no cursor.
    ASSERT_TRUE(Open(xml, "<language id=\"1\"><!-- empty --></language>"));
    EXPECT_EQ(xml.GetNodeName(), "");
    EXPECT_FALSE(xml.Down());
    EXPECT_FALSE(xml.NextNode());
    EXPECT_EQ(xml.GetNodeAttrCount(), 0);
    EXPECT_TRUE(xml.SelectRoot());
    EXPECT_EQ(xml.GetNodeName(), "language");
}

TEST(XmlDocument, WalkingSkipsWhatIsNotAnElementAndStopsAtTheEnds) {
    clsXMLParser xml;
    ASSERT_TRUE(Open(xml, "<r><a/>text<!-- c --><?p?><b/> <c/></r>"));
    EXPECT_EQ(xml.GetNodeName(), "a");
    EXPECT_FALSE(xml.PrevNode());
    EXPECT_EQ(xml.GetNodeName(), "a");
    EXPECT_TRUE(xml.NextNode());
    EXPECT_EQ(xml.GetNodeName(), "b");
    EXPECT_TRUE(xml.NextNode());
    EXPECT_EQ(xml.GetNodeName(), "c");
    EXPECT_FALSE(xml.NextNode());
    EXPECT_EQ(xml.GetNodeName(), "c");
    EXPECT_TRUE(xml.PrevNode());
    EXPECT_EQ(xml.GetNodeName(), "b");

    EXPECT_FALSE(xml.Down());
    EXPECT_TRUE(xml.up());
    EXPECT_EQ(xml.GetNodeName(), "r");
    EXPECT_FALSE(xml.up()) << "never to the document node";
    EXPECT_EQ(xml.GetNodeName(), "r");
    EXPECT_TRUE(xml.Down());
    EXPECT_EQ(xml.GetNodeName(), "a");
}

TEST(XmlDocument, SelectionsOfTheShapesTheEditorsUse) {
    struct Case {
        const char* expression;
        const char* name;
        const char* id;
    };
    const Case cases[] = {
        {"/language", "language", "44"},
        {"//page", "page", "17"},
        {"//page[@id=\"7\"]", "page", "7"},
        {"//language[@id=44]", "language", "44"},
        {"//page[@id=17]/t[@id=2]", "t", "2"},
        {"page[@id=7]", "page", "7"},
        {".", "language", "44"},
    };
    clsXMLParser xml;
    ASSERT_TRUE(Open(xml, kPages));
    for (const Case& c : cases) {
        ASSERT_TRUE(xml.SelectRoot());
        EXPECT_TRUE(xml.SelectNode(c.expression)) << c.expression;
        EXPECT_EQ(xml.GetNodeName(), c.name) << c.expression;
        EXPECT_EQ(xml.GetNodeAttr(QStringLiteral("id")), c.id) << c.expression;
    }
    // Relative to the cursor, and no move when nothing is selected.
    ASSERT_TRUE(xml.SelectNode("//page[@id=17]"));
    EXPECT_TRUE(xml.SelectNode("t[@id=\"1\"]"));
    EXPECT_EQ(xml.GetNodeValue(), "One");
    EXPECT_FALSE(xml.SelectNode("//page[@id=99]"));
    EXPECT_EQ(xml.GetNodeValue(), "One");

    EXPECT_FALSE(xml.SelectNode("//page[@id="));
    EXPECT_THAT(xml.GetLastError().toStdString(), HasSubstr("//page[@id="));
    EXPECT_EQ(xml.GetNodeValue(), "One");
}

TEST(XmlDocument, TheValueIsTheElementsOwnTextJoinedByBlanks) {
    struct Case {
        const char* element;
        const char* value;
    };
    const Case cases[] = {
        {"<t>plain</t>", "plain"},
        {"<t>first<b>inner</b>second</t>", "first second"},
        {"<t>a<!-- c -->b</t>", "a b"},
        {"<t><![CDATA[<x>]]></t>", "<x>"},
        {"<t> </t>", " "},
        {"<t>\n  <b>inner</b>\n</t>", ""},
        {"<t/>", ""},
    };
    for (const Case& c : cases) {
        clsXMLParser xml;
        ASSERT_TRUE(Open(xml, std::string("<r>") + c.element + "</r>"));
        EXPECT_EQ(xml.GetNodeValue(), c.value) << c.element;
    }
}

TEST(XmlDocument, WritingATextReplacesItsWholeTextContent) {
    clsXMLParser xml;
    ASSERT_TRUE(Open(xml, "<r>\n  <t id=\"1\">old<!-- note -->er<b/>est</t>\n</r>"));
    ASSERT_TRUE(xml.SetNodeValue(QStringLiteral("new text")));
    EXPECT_EQ(xml.GetNodeValue(), "new text");
    EXPECT_EQ(Saved(xml), "<r>\n  <t id=\"1\">new text<!-- note --><b/></t>\n</r>");

    ASSERT_TRUE(xml.SetNodeValue(QString()));
    EXPECT_EQ(xml.GetNodeValue(), "");

    // Blanks beside a child element are not taken for indentation.
    for (const char* blank : {" ", "\n  "}) {
        ASSERT_TRUE(xml.SetNodeValue(QString::fromUtf8(blank)));
        EXPECT_EQ(xml.GetNodeValue(), blank);
        ASSERT_TRUE(xml.SetNodeValue(QStringLiteral("after")));
        EXPECT_EQ(xml.GetNodeValue(), "after");
    }
}

TEST(XmlDocument, AttributesByNameOrPosition) {
    clsXMLParser xml;
    ASSERT_TRUE(Open(xml, "<r><o t=\"5\" x=\"10\" y=\"-3\"/></r>"));
    EXPECT_EQ(xml.GetNodeAttrCount(), 3);
    EXPECT_EQ(xml.GetNodeAttr(2), "10");
    EXPECT_EQ(xml.GetAttrName(3), "y");
    EXPECT_EQ(xml.GetNodeAttr(QStringLiteral("y")), "-3");
    EXPECT_EQ(xml.GetNodeAttr(QStringLiteral("z")), "");
    EXPECT_EQ(xml.GetNodeAttr(4), "");
    EXPECT_EQ(xml.GetAttrName(0), "");

    EXPECT_FALSE(xml.SetNodeAttr(4, 1)) << "a position is never created";
    EXPECT_EQ(xml.GetNodeAttrCount(), 3);
    EXPECT_TRUE(xml.SetNodeAttr(2, 12));
    EXPECT_TRUE(xml.SetNodeAttr(QStringLiteral("z"), 7.5));
    EXPECT_TRUE(xml.DeleteNodeAttr(QStringLiteral("t")));
    EXPECT_FALSE(xml.DeleteNodeAttr(QStringLiteral("t")));
    EXPECT_FALSE(xml.SetNodeAttr(QStringLiteral("bad name"), 1));
    EXPECT_EQ(Saved(xml), "<r><o x=\"12\" y=\"-3\" z=\"7.5\"/></r>");
}

TEST(XmlDocument, AllAttributesAndTheNameAsBytesWithoutCopies) {
    clsXMLParser xml;
    ASSERT_TRUE(
        Open(xml, "<r><\xC3\xA9l t=\"5\" n\xC3\xA4me=\" 1 \" y=\"\xE2\x82\xAC\"/><o/></r>"));
    EXPECT_EQ(xml.GetNodeNameUtf8(), "\xC3\xA9l");
    std::vector<std::pair<std::string, std::string>> read;
    EXPECT_TRUE(xml.ForEachNodeAttr([&](QByteArrayView name, QByteArrayView value) {
        read.emplace_back(name.toByteArray().toStdString(), value.toByteArray().toStdString());
        return true;
    }));
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"t", "5"}, {"n\xC3\xA4me", " 1 "}, {"y", "\xE2\x82\xAC"}};
    EXPECT_EQ(read, expected);

    int visited = 0;
    EXPECT_FALSE(xml.ForEachNodeAttr([&](QByteArrayView, QByteArrayView) { return ++visited < 2; }))
        << "the visitor stops the walk";
    EXPECT_EQ(visited, 2);

    ASSERT_TRUE(xml.NextNode());
    EXPECT_TRUE(xml.ForEachNodeAttr([](QByteArrayView, QByteArrayView) { return false; }))
        << "an element without attributes is not visited";
    ASSERT_TRUE(xml.SelectNode(QStringLiteral("/")));
    EXPECT_TRUE(xml.GetNodeNameUtf8().isEmpty()) << "the document node is no element";
}

TEST(XmlDocument, ParseErrorsNameTheReasonTheSourceLineAndItsNumber) {
    struct Case {
        const char* text;
        const char* source;
        const char* line;
    };
    const Case cases[] = {
        {"<language>\n  <page>\n  </pgae>\n</language>", "Source:   </pgae>", " Line: 3"},
        {"<a/>\n<b/>\n", "Source: <b/>", " Line: 2"},
        {"", "Source: ", " Line: 1"},
    };
    for (const Case& c : cases) {
        clsXMLParser xml;
        EXPECT_FALSE(xml.OpenFile(xmltest::WriteFile("bad.xml", c.text)));
        const std::string error = xml.GetLastError().toStdString();
        EXPECT_THAT(error, StartsWith("Error: ")) << c.text;
        EXPECT_THAT(error, HasSubstr(c.source)) << c.text;
        EXPECT_THAT(error, EndsWith(c.line)) << c.text;
    }
}

TEST(XmlDocument, AFailedOpenKeepsTheDocumentAndItsPlaces) {
    clsXMLParser xml;
    ASSERT_TRUE(Open(xml, kPages));
    ASSERT_TRUE(xml.SelectNode("//t[@id=2]"));
    const int32_t bookmark = xml.AddBookmark();
    xml.Push();

    EXPECT_FALSE(xml.OpenFile(xmltest::DataPath("missing.xml")));
    EXPECT_THAT(xml.GetLastError().toStdString(), HasSubstr("missing.xml"));
    EXPECT_FALSE(xml.OpenFile(xmltest::WriteFile("bad.xml", "<a>")));

    EXPECT_EQ(xml.GetNodeValue(), "Two");
    ASSERT_TRUE(xml.SelectRoot());
    EXPECT_TRUE(xml.SelectBookmark(bookmark));
    EXPECT_EQ(xml.GetNodeValue(), "Two");
    xml.Pop();
    EXPECT_EQ(xml.GetNodeValue(), "Two");
    EXPECT_EQ(xml.AddBookmark(), bookmark + 1);
}

TEST(XmlDocument, SavingReportsTheLibrarysError) {
    clsXMLParser xml;
    ASSERT_TRUE(Open(xml, kPages));
    const QString folderAsFile = xmltest::DataPath("");
    EXPECT_FALSE(xml.SaveToFile(folderAsFile, 1));
    EXPECT_FALSE(xml.GetLastError().isEmpty());

    xml.Unload();
    EXPECT_FALSE(xml.SaveToFile(xmltest::DataPath("empty.xml"), 1)) << "nothing to write";
    EXPECT_FALSE(std::filesystem::exists(testsupport::dataDir() / "empty.xml"));
}

} // namespace
