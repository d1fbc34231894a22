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

} // namespace
