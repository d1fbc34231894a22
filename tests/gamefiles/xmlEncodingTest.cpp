// What a save keeps: every encoding the document can be read in, its line
// ends, and every character of what was set, read back as it was given.
#include "xmlTestSupport.h"

#include <gmock/gmock.h>

#include <QStringEncoder>

#include <string>

using testing::HasSubstr;
using xmltest::Open;
using xmltest::Saved;

namespace {

std::string Utf16(const std::string& utf8, QStringConverter::Encoding encoding, bool bom) {
    QStringEncoder encoder(encoding, bom ? QStringConverter::Flag::WriteBom
                                         : QStringConverter::Flag::Default);
    return encoder.encode(QString::fromStdString(utf8)).operator QByteArray().toStdString();
}

// Opens the saved file again.
bool Reopen(clsXMLParser& xml) {
    const bool opened = xml.OpenFile(xmltest::DataPath("saved.xml"));
    EXPECT_TRUE(opened) << xml.GetLastError().toStdString();
    return opened;
}

TEST(XmlEncoding, UnchangedDocumentsOfEveryEncodingSaveByteIdentical) {
    const std::string crlfDocument =
        "<?xml version=\"1.0\"?>\r\n\r\n<!-- head -->\r\n  <r a=\"1\">\r\n\t<t>x</t>\r\n</r>\r\n";
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"Utf16LeWithBom", Utf16(crlfDocument, QStringConverter::Utf16LE, true)},
        {"Utf16BeWithBom", Utf16(crlfDocument, QStringConverter::Utf16BE, true)},
        {"Utf16LeWithoutBom", Utf16(crlfDocument, QStringConverter::Utf16LE, false)},
        {"Latin1",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<r a=\"\xE9\">caf\xE9</r>\r\n"},
        // Line ends inside a processing instruction and a doctype are the
        // parser's to keep as they stand.
        {"CrLfInsideInstructionAndDoctype",
         "<?xml version=\"1.0\"?>\r\n<?style a\r\nb?>\r\n<!DOCTYPE r [\r\n<!ENTITY e \"v\">\r\n]>"
         "\r\n<r>&#13;</r>\r\n"},
        {"LfDocumentWithACrLfInstruction", "<?p a\r\nb?>\n<r>\n</r>\n"},
        {"Utf8WhereNoReferenceMayStand",
         "<?p \xC3\xA9\xF4\x8F\xBF\xBF?>\n<!-- \xE2\x82\xAC -->\n<r\xC3\xA9 "
         "a=\"\xF0\x9F\x98\x80\"/>\n"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        clsXMLParser xml;
        ASSERT_TRUE(Open(xml, test.bytes));
        const std::string once = Saved(xml);
        EXPECT_EQ(once, test.bytes);
        ASSERT_TRUE(Reopen(xml));
        EXPECT_EQ(Saved(xml), once);
    }
}

TEST(XmlEncoding, TextsAndValuesReadBackWithTheLineBreaksTheyWereGiven) {
    const QString texts[] = {
        QStringLiteral("first\r\nsecond"),
        QStringLiteral("a\rb\nc\r\n\r\nd"),
        QStringLiteral("\r\n"),
        QStringLiteral("tab\there"),
    };
    const char* documents[] = {
        "<?xml version=\"1.0\"?>\r\n<r a=\"\">\r\n<t>x</t>\r\n</r>\r\n",
        "<?xml version=\"1.0\"?>\n<r a=\"\">\n<t>x</t>\n</r>\n",
    };
    for (const char* document : documents) {
        for (const QString& text : texts) {
            SCOPED_TRACE(text.toStdString());
            clsXMLParser xml;
            ASSERT_TRUE(Open(xml, document));
            ASSERT_TRUE(xml.SetNodeValue(text));
            ASSERT_TRUE(xml.up());
            ASSERT_TRUE(xml.SetNodeAttr(QStringLiteral("a"), text));
            const std::string once = Saved(xml);

            ASSERT_TRUE(Reopen(xml));
            EXPECT_EQ(xml.GetNodeValue(), text);
            EXPECT_EQ(xml.GetNodeAttr(QStringLiteral("a")), QString());
            ASSERT_TRUE(xml.up());
            EXPECT_EQ(xml.GetNodeAttr(QStringLiteral("a")), text);
            EXPECT_EQ(Saved(xml), once);
        }
    }
}

TEST(XmlEncoding, AnEightBitDocumentWritesWhatItCannotHoldAsReferences) {
    const QString text = QStringLiteral("5 \u20AC \u2014 caf\u00E9 \U0001F600");
    clsXMLParser xml;
    ASSERT_TRUE(Open(xml, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<r><t>x</t></r>\n"));
    ASSERT_TRUE(xml.SetNodeValue(text));
    ASSERT_TRUE(xml.SetNodeAttr(QStringLiteral("v"), text));
    const std::string saved = Saved(xml);
    EXPECT_THAT(saved, HasSubstr(">5 &#8364; &#8212; caf\xE9 &#128512;</t>"));
    EXPECT_THAT(saved, HasSubstr("v=\"5 &#8364; &#8212; caf\xE9 &#128512;\""));

    ASSERT_TRUE(Reopen(xml));
    EXPECT_EQ(xml.GetNodeValue(), text);
    EXPECT_EQ(xml.GetNodeAttr(QStringLiteral("v")), text);
    EXPECT_EQ(Saved(xml), saved);
}

TEST(XmlEncoding, AnEightBitDocumentRefusesACharacterWhereNoReferenceMayStand) {
    clsXMLParser xml;
    ASSERT_TRUE(Open(xml, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<r/>\n"));
    const std::string before = Saved(xml);
    ASSERT_TRUE(xml.SelectRoot());
    ASSERT_TRUE(xml.CreateNode(QStringLiteral("\u0141ad")));
    EXPECT_FALSE(xml.SaveToFile(xmltest::DataPath("saved.xml"), 1));
    EXPECT_THAT(xml.GetLastError().toStdString(), HasSubstr("ISO-8859-1"));
    EXPECT_THAT(xml.GetLastError().toStdString(), HasSubstr("U+0141"));
    // The file from before stays as it was.
    EXPECT_EQ(testsupport::readFile(xmltest::DataPath("saved.xml").toStdString()), before);
}

// Long ASCII runs are passed over in blocks: what follows them is read
// whole, wherever it starts.
TEST(XmlEncoding, TextPastLongAsciiRunsIsReadAsWritten) {
    for (const int run : {0, 56, 57, 63, 64, 200}) {
        SCOPED_TRACE(run);
        const std::string text = std::string(run, 'a') + "caf\xC3\xA9 \xE2\x82\xAC";
        clsXMLParser xml;
        ASSERT_TRUE(Open(xml, "<r>" + text + "</r>\n"));
        ASSERT_TRUE(xml.SelectRoot());
        EXPECT_EQ(xml.GetNodeValue(), QString::fromStdString(text));
    }
}

// The library would take these bytes, but no save could write them back as
// they were read: the file is refused with the place of the first bad byte.
TEST(XmlEncoding, BytesThatAreNotUtf8AreRefusedWithTheirPlace) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* error;
    } cases[] = {
        {"PastTheLastCodePointInAnInstruction", "<r>\n<?p \xF5\x99\x99\x99?>\n</r>\n",
         "0xF5 at offset 8 "},
        {"LoneContinuationInAComment", "<r>\n<!-- caf\xA9 -->\n</r>\n", "0xA9 at offset 12 "},
        {"Latin1InAText", "<?xml version=\"1.0\"?>\n<r>caf\xE9</r>\n", "0xE9 at offset 28 "},
        {"OverlongInAValue", "<r>\n<t a=\"\xC0\xAF\"/>\n</r>\n", "0xC0 at offset 10 "},
        {"SurrogateInAName", "<r>\n<\xED\xA0\x80/>\n</r>\n", "0xED at offset 5 "},
        {"CutShortAtTheEnd", "<r/>\n<!-- -->\xE2\x82", "0xE2 at offset 13 "},
        // Long ASCII runs are passed over in blocks: a bad byte past them,
        // or past a good sequence that straddles a block's end.
        {"AfterBlocksOfAscii", "<r>\n<!--" + std::string(200, 'a') + "\xA9 -->\n</r>\n",
         "0xA9 at offset 208 "},
        {"AfterAGoodSequenceAcrossABlockEnd",
         "<r>\n<!--" + std::string(55, 'a') + "\xC3\xA9" + std::string(100, 'b') +
             "\xFF -->\n</r>\n",
         "0xFF at offset 165 "},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        clsXMLParser xml;
        ASSERT_TRUE(Open(xml, "<kept/>"));
        EXPECT_FALSE(xml.OpenFile(xmltest::WriteFile("bad.xml", test.bytes)));
        const std::string error = xml.GetLastError().toStdString();
        EXPECT_THAT(error, HasSubstr(test.error));
        EXPECT_THAT(error, HasSubstr("not valid UTF-8"));
        EXPECT_THAT(error, HasSubstr("Line: 2"));
        ASSERT_TRUE(xml.SelectRoot());
        EXPECT_EQ(xml.GetNodeName(), "kept") << "the open document stays";
    }
}

} // namespace

namespace {

TEST(XmlEncoding, AnEncodingTheLibraryCannotConvertKeepsToAscii) {
    const QString text = QStringLiteral("5 \u20AC \u2014 caf\u00E9");
    for (const char* encoding : {"windows-1252", "US-ASCII"}) {
        SCOPED_TRACE(encoding);
        const std::string declaration =
            std::string("<?xml version=\"1.0\" encoding=\"") + encoding + "\"?>\n";
        clsXMLParser xml;
        ASSERT_TRUE(Open(xml, declaration + "<r><t>x</t></r>\n"));
        ASSERT_TRUE(xml.SetNodeValue(text));
        const std::string saved = Saved(xml);
        EXPECT_EQ(saved, declaration + "<r><t>5 &#8364; &#8212; caf&#233;</t></r>\n");
        ASSERT_TRUE(Reopen(xml));
        EXPECT_EQ(xml.GetNodeValue(), text);

        // Bytes beyond ASCII could only be read by changing them.
        ASSERT_TRUE(xml.SelectRoot());
        for (const std::string& before : {std::string(), std::string(300, 'a')}) {
            EXPECT_FALSE(xml.OpenFile(
                xmltest::WriteFile("high.xml", declaration + "<r>" + before + "\x80</r>\n")));
            EXPECT_THAT(xml.GetLastError().toStdString(), HasSubstr(encoding));
            EXPECT_EQ(xml.GetNodeName(), "r") << "the open document stays";
        }
    }
}

} // namespace
