// What a save keeps: an unchanged document comes back byte for byte
// whoever wrote it, an edit changes only the bytes of what was edited, and
// what the program writes anew reads back and saves again unchanged. Also
// the files and values an XML document cannot hold.
#include "xmlTestSupport.h"

#include "gamefiles/mdlZorvObjects.h"

#include <gmock/gmock.h>

#include <QStringEncoder>

#include <string>

using testing::HasSubstr;
using testing::StartsWith;
using xmltest::Open;
using xmltest::Saved;

namespace {

// Spellings another program may write, none of them ours.
const std::string kForeign = "<?xml version='1.0' encoding=\"UTF-8\" ?>\r\n"
                             "<!-- made elsewhere -->\r\n"
                             "<r  a='1'\tb=\"&#65;&#233;&apos;\" >\r\n"
                             "\t<o t='2' s=\"0\"></o>\r\n"
                             "\t<t id=\"1\">x &gt; y &#1; \"q\"\n z</t>\r\n"
                             "\t<e x = \"1\" />\r\n"
                             "</r >\r\n\r\n";

// Reads every element, attribute and text, as the editors do.
void WalkAll(clsXMLParser& xml) {
    ASSERT_TRUE(xml.SelectRoot());
    do {
        xml.Push();
        if (xml.Down()) {
            do {
                for (int32_t i = 1; i <= xml.GetNodeAttrCount(); ++i)
                    xml.GetNodeAttr(i);
                xml.GetNodeValue();
            } while (xml.NextNode());
        }
        xml.Pop();
    } while (xml.NextNode());
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

std::string Encoded(const std::string& utf8, QStringConverter::Encoding encoding) {
    QStringEncoder encoder(encoding);
    return encoder.encode(QString::fromStdString(utf8)).operator QByteArray().toStdString();
}

TEST(XmlKeep, AnUnchangedDocumentSavesAsItWasWrittenInEveryEncoding) {
    const std::string latin1 = Replaced(Replaced(kForeign, "UTF-8", "ISO-8859-1"), "x &gt;",
                                        "caf\xE9 &#8364; <!-->--> x &gt;");
    const std::string cases[] = {
        kForeign,
        "\xEF\xBB\xBF" + kForeign,
        Encoded(Replaced(kForeign, "UTF-8", "UTF-16"), QStringConverter::Utf16LE),
        Encoded(Replaced(kForeign, "UTF-8", "UTF-16"), QStringConverter::Utf16BE),
        latin1,
    };
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(bytes);
        clsXMLParser xml;
        ASSERT_TRUE(Open(xml, bytes));
        WalkAll(xml);
        EXPECT_EQ(Saved(xml), bytes);
    }
}

TEST(XmlKeep, AnEditChangesOnlyTheBytesOfWhatWasEdited) {
    struct Case {
        const char* name;
        void (*edit)(clsXMLParser&);
        std::string expected;
    } cases[] = {
        {"attribute",
         [](clsXMLParser& xml) {
             ASSERT_TRUE(xml.SelectNode("//o"));
             ASSERT_TRUE(xml.SetNodeAttr(QStringLiteral("s"), 5));
         },
         Replaced(kForeign, "<o t='2' s=\"0\"></o>", "<o t=\"2\" s=\"5\"></o>")},
        {"text",
         [](clsXMLParser& xml) {
             ASSERT_TRUE(xml.SelectNode("//t"));
             ASSERT_TRUE(xml.SetNodeValue(QStringLiteral("<\r\n\u00e9&")));
         },
         Replaced(kForeign, "x &gt; y &#1; \"q\"\n z", "&lt;&#13;\r\n\u00e9&amp;")},
        {"deleted element",
         [](clsXMLParser& xml) {
             ASSERT_TRUE(xml.SelectNode("//e"));
             ASSERT_TRUE(xml.DeleteNode("."));
         },
         Replaced(kForeign, "\t<e x = \"1\" />\r\n", "")},
        {"inserted element",
         [](clsXMLParser& xml) {
             ASSERT_TRUE(xml.SelectRoot());
             ASSERT_TRUE(xml.CreateNode(QStringLiteral("n"), QStringLiteral("v")));
             ASSERT_TRUE(xml.SetNodeAttr(QStringLiteral("k"), QStringLiteral("a\tb\"")));
         },
         Replaced(kForeign, "\t<e x = \"1\" />\r\n",
                  "\t<e x = \"1\" />\r\n\t<n k=\"a&#9;b&quot;\">v</n>\r\n")},
        {"child in an empty-element tag",
         [](clsXMLParser& xml) {
             ASSERT_TRUE(xml.SelectNode("//e"));
             ASSERT_TRUE(xml.CreateNode(QStringLiteral("c")));
         },
         Replaced(kForeign, "<e x = \"1\" />", "<e x = \"1\"><c/></e>")},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        clsXMLParser xml;
        ASSERT_TRUE(Open(xml, kForeign));
        test.edit(xml);
        const std::string once = Saved(xml);
        EXPECT_EQ(once, test.expected);
        ASSERT_TRUE(Open(xml, once));
        EXPECT_EQ(Saved(xml), once) << "save, load, save is a fixed point";
    }
}

TEST(XmlKeep, WhatTheProgramWritesAnewHasOneSpelling) {
    clsXMLParser xml;
    ASSERT_TRUE(xml.CreateDocument(QStringLiteral("universe"), QStringLiteral("XUNIVERS.xsd")));
    ASSERT_TRUE(xml.CreateNode(QStringLiteral("o"), QVariant(), QStringLiteral("XUNIVERS.xsd")));
    ASSERT_TRUE(xml.SetNodeAttr(QStringLiteral("t"), 1));
    ASSERT_TRUE(xml.CreateNode(QStringLiteral("o"), QVariant(), QStringLiteral("XUNIVERS.xsd")));
    ASSERT_TRUE(xml.SetNodeAttr(QStringLiteral("t"), 2));
    const std::string created = Saved(xml);
    EXPECT_EQ(created, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<universe xmlns=\"XUNIVERS.xsd\">\n"
                       "  <o t=\"1\">\n"
                       "    <o t=\"2\"/>\n"
                       "  </o>\n"
                       "</universe>\n");
    ASSERT_TRUE(Open(xml, created));
    EXPECT_EQ(Saved(xml), created);
    ASSERT_TRUE(xml.SelectNode("//o[@t=2]"));
    ASSERT_TRUE(xml.SetNodeAttr(QStringLiteral("t"), 2));
    EXPECT_EQ(Saved(xml), created) << "an element rewritten with its own values";
}

TEST(XmlKeep, ATextSetBesideChildElementsReadsBackWithoutTheLayout) {
    clsXMLParser xml;
    ASSERT_TRUE(Open(xml, "<r>\n  <a/>\n</r>"));
    ASSERT_TRUE(xml.SelectRoot());
    ASSERT_TRUE(xml.SetNodeValue(QStringLiteral("t")));
    const std::string saved = Saved(xml);
    EXPECT_EQ(saved, "<r>\n  <a/>t</r>");
    ASSERT_TRUE(Open(xml, saved));
    ASSERT_TRUE(xml.SelectRoot());
    EXPECT_EQ(xml.GetNodeValue(), "t");
}

TEST(XmlKeep, LineEndsInsideAnInstructionStayAsRead) {
    const std::string bytes = "<?x\n4\n\r\n\r\n?>\n<r a=\"1\"/>\n";
    clsXMLParser xml;
    ASSERT_TRUE(Open(xml, bytes));
    ASSERT_TRUE(xml.SelectRoot());
    ASSERT_TRUE(xml.SetNodeAttr(QStringLiteral("a"), 2));
    const std::string once = Saved(xml);
    EXPECT_EQ(once, Replaced(bytes, "a=\"1\"", "a=\"2\""));
    ASSERT_TRUE(Open(xml, once));
    ASSERT_TRUE(xml.SelectRoot());
    ASSERT_TRUE(xml.SetNodeAttr(QStringLiteral("a"), 2));
    EXPECT_EQ(Saved(xml), once);
}

TEST(XmlKeep, ACommentEndsOnlyAfterItsOwnStart) {
    // A text after such a comment keeps its carriage return, and in an
    // ISO-8859-1 file a reference to a character the encoding lacks stays a
    // reference.
    for (const std::string comment : {"<!-->", "<!--->"}) {
        SCOPED_TRACE(comment);
        const std::string bytes = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<r>" + comment +
                                  " --><t>&#8364;</t><u>a</u></r>\n";
        clsXMLParser xml;
        ASSERT_TRUE(Open(xml, bytes));
        EXPECT_EQ(Saved(xml), bytes);
        ASSERT_TRUE(xml.SelectNode("//u"));
        ASSERT_TRUE(xml.SetNodeValue(QStringLiteral("a\rb")));
        const std::string edited = Saved(xml);
        EXPECT_EQ(edited, Replaced(bytes, "<u>a</u>", "<u>a&#13;b</u>"));
        ASSERT_TRUE(Open(xml, edited));
        ASSERT_TRUE(xml.SelectNode("//u"));
        EXPECT_EQ(xml.GetNodeValue(), "a\rb");
        ASSERT_TRUE(xml.SelectNode("//t"));
        EXPECT_EQ(xml.GetNodeValue(), u"\u20ac");
    }
}

TEST(XmlKeep, FilesAnXmlDocumentCannotHoldAreRefusedOnOpen) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* reason;
        int line;
    } cases[] = {
        {"reference to U+0000 in a text", "<r>\n<t id=\"1\">x&#0;y</t>\n</r>", "U+0000", 2},
        {"reference to U+0000 in a value", "<r>\n\n<p title=\"a&#x00;b\"/>\n</r>", "U+0000", 3},
        {"malformed declaration", "<?xml version=\"1.0\"/> encoding=\"latin1\"?>\n<r>\xE9</r>",
         "declaration", 1},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        clsXMLParser xml;
        EXPECT_FALSE(xml.OpenFile(xmltest::WriteFile("refused.xml", test.bytes)));
        EXPECT_THAT(xml.GetLastError().toStdString(),
                    testing::AllOf(StartsWith("Error: "), HasSubstr(test.reason),
                                   testing::EndsWith(" Line: " + std::to_string(test.line))));
    }
}

TEST(XmlKeep, ATextOrValueHoldingU0000IsRefusedAndTheDocumentStaysAsItWas) {
    const std::string bytes = "<r a=\"1\"><t>x</t></r>";
    clsXMLParser xml;
    ASSERT_TRUE(Open(xml, bytes));
    const QString nul = QStringLiteral("a") + QChar(0) + QStringLiteral("b");
    ASSERT_TRUE(xml.SelectNode("//t"));
    EXPECT_FALSE(xml.SetNodeValue(nul));
    EXPECT_THAT(xml.GetLastError().toStdString(), HasSubstr("U+0000"));
    EXPECT_FALSE(xml.CreateNode(QStringLiteral("n"), nul));
    EXPECT_THAT(xml.GetLastError().toStdString(), HasSubstr("U+0000"));
    ASSERT_TRUE(xml.SelectRoot());
    EXPECT_FALSE(xml.SetNodeAttr(QStringLiteral("a"), nul));
    EXPECT_FALSE(xml.SetNodeAttr(QStringLiteral("new"), nul));
    EXPECT_THAT(xml.GetLastError().toStdString(), HasSubstr("U+0000"));
    EXPECT_EQ(xml.GetNodeAttrCount(), 1);
    EXPECT_FALSE(xml.SelectNode("//n"));
    EXPECT_EQ(Saved(xml), bytes);
}

TEST(XmlKeep, AFileThatWouldBuildMillionsOfNodesIsRefusedNamingIt) {
    std::string many = "<r>";
    for (int i = 0; i < 2'000'000; ++i)
        many += "<a/>";
    many += "</r>";
    clsXMLParser xml;
    const QString path = xmltest::WriteFile("many.xml", many);
    EXPECT_FALSE(xml.OpenFile(path));
    EXPECT_THAT(xml.GetLastError().toStdString(),
                testing::AllOf(HasSubstr(path.toStdString()), HasSubstr("not read")));
    // Packed, the same file is a few kilobytes.
    const QString packed = xmltest::DataPath("many.pck");
    ASSERT_TRUE(mdlZorvObjects::Zorv_EncodeXMLFile(packed, QByteArray::fromStdString(many), 2));
    EXPECT_FALSE(xml.OpenFile(packed));
    EXPECT_THAT(xml.GetLastError().toStdString(),
                testing::AllOf(HasSubstr(packed.toStdString()), HasSubstr("not read")));
    std::string values = "<r";
    for (int i = 0; i < 8'000'001; ++i)
        values += "=";
    EXPECT_FALSE(xml.OpenFile(xmltest::WriteFile("values.xml", values + "/>")));
    EXPECT_THAT(xml.GetLastError().toStdString(), HasSubstr("not read"));
}

} // namespace
