// Namespaces, resolved from the xmlns declarations in scope.
#include "xmlTestSupport.h"

using xmltest::Open;
using xmltest::Saved;

namespace {

const QString kUniverse = QStringLiteral("XUNIVERS.xsd");

TEST(XmlNamespace, AUniverseMapsElementsLieInItsDefaultNamespace) {
    clsXMLParser xml;
    ASSERT_TRUE(Open(xml, "<!-- map -->\n<universe xmlns=\"XUNIVERS.xsd\" xmlns:e=\"urn:extra\">"
                          "<o t=\"1\"><e:note/></o><o t=\"2\" xmlns=\"\"/></universe>"));
    ASSERT_TRUE(xml.SelectNode("//universe")) << "names match as written";
    EXPECT_EQ(xml.GetNodeNamespace(), kUniverse);
    ASSERT_TRUE(xml.SelectNode("o[@t=1]"));
    EXPECT_EQ(xml.GetNodeNamespace(), kUniverse);
    ASSERT_TRUE(xml.SelectNode("e:note"));
    EXPECT_EQ(xml.GetNodeName(), "e:note");
    EXPECT_EQ(xml.GetNodeNamespace(), "urn:extra");
    ASSERT_TRUE(xml.SelectNode("//o[@t=2]"));
    EXPECT_EQ(xml.GetNodeNamespace(), "");
}

TEST(XmlNamespace, NewElementsDeclareOnlyANamespaceTheyDoNotInherit) {
    clsXMLParser xml;
    ASSERT_TRUE(xml.CreateDocument(QStringLiteral("universe"), kUniverse));
    EXPECT_EQ(xml.GetNodeNamespace(), kUniverse);
    ASSERT_TRUE(xml.CreateNode(QStringLiteral("o"), QVariant(), kUniverse));
    EXPECT_EQ(xml.GetNodeNamespace(), kUniverse);
    ASSERT_TRUE(xml.CreateNode(QStringLiteral("x:p"), QVariant(), QStringLiteral("urn:x")));
    EXPECT_EQ(xml.GetNodeNamespace(), "urn:x");
    ASSERT_TRUE(xml.CreateNode(QStringLiteral("x:q"), QVariant(), QStringLiteral("urn:x")));
    ASSERT_TRUE(xml.up());
    ASSERT_TRUE(xml.up());
    ASSERT_TRUE(xml.CreateNode(QStringLiteral("plain")));
    EXPECT_EQ(xml.GetNodeNamespace(), "");
    EXPECT_FALSE(xml.CreateNode(QStringLiteral("y:r"))) << "a prefix needs a namespace";

    EXPECT_EQ(Saved(xml), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<universe xmlns=\"XUNIVERS.xsd\">\n"
                          "  <o>\n"
                          "    <x:p xmlns:x=\"urn:x\">\n"
                          "      <x:q/>\n"
                          "    </x:p>\n"
                          "    <plain xmlns=\"\"/>\n"
                          "  </o>\n"
                          "</universe>\n");
}

} // namespace
