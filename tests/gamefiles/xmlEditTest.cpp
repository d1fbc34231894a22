// Changing documents: the node stack, bookmarks, creating, inserting,
// deleting and moving nodes, and that no place outlives its node.
#include "xmlTestSupport.h"

#include <gmock/gmock.h>

using xmltest::Open;
using xmltest::Saved;

namespace {

const char* const kTree = "<r>\n"
                          "  <a id=\"1\">\n"
                          "    <b id=\"2\"/>\n"
                          "  </a>\n"
                          "  <c id=\"3\"/>\n"
                          "</r>";

QString IdAtCursor(const clsXMLParser& xml) {
    return xml.GetNodeAttr(QStringLiteral("id"));
}

int32_t BookmarkAt(clsXMLParser& xml, const QString& expression) {
    EXPECT_TRUE(xml.SelectNode(expression)) << expression.toStdString();
    return xml.AddBookmark();
}

TEST(XmlEdit, TheStackGivesBackItsEntriesInReverseOrderBeyondTwentySlots) {
    clsXMLParser xml;
    ASSERT_TRUE(Open(xml, "<r><e id=\"0\"/><e id=\"1\"/><e id=\"2\"/></r>"));
    for (int i = 0; i < 21; ++i) {
        ASSERT_TRUE(xml.SelectNode(QString("//e[@id=%1]").arg(i % 3)));
        xml.Push();
    }
    for (int i = 20; i >= 0; --i) {
        xml.Pop();
        EXPECT_EQ(IdAtCursor(xml), QString::number(i % 3));
    }
    ASSERT_TRUE(xml.SelectRoot());
    xml.Pop();
    EXPECT_EQ(xml.GetNodeName(), "r") << "an empty stack changes nothing";
}

TEST(XmlEdit, BookmarkNumbersCountUpAndStartOverWithAFile) {
    clsXMLParser xml;
    ASSERT_TRUE(Open(xml, kTree));
    EXPECT_EQ(xml.AddBookmark(), 1);
    EXPECT_TRUE(xml.RemoveBookmark(1));
    EXPECT_FALSE(xml.RemoveBookmark(1));
    EXPECT_FALSE(xml.SelectBookmark(1));
    EXPECT_EQ(xml.GetLastError(), "Invalid bookmark.");
    EXPECT_EQ(xml.AddBookmark(), 2);
    ASSERT_TRUE(Open(xml, kTree));
    EXPECT_EQ(xml.AddBookmark(), 1);
}

TEST(XmlEdit, BookmarksFollowTheirNodesWhenMoved) {
    clsXMLParser xml;
    ASSERT_TRUE(Open(xml, kTree));
    const int32_t a = BookmarkAt(xml, "//a");
    const int32_t b = BookmarkAt(xml, "//b");
    const int32_t c = BookmarkAt(xml, "//c");

    ASSERT_TRUE(xml.MoveNode(b, c, true)) << xml.GetLastError().toStdString();
    EXPECT_EQ(IdAtCursor(xml), "3") << "the cursor does not move";
    ASSERT_TRUE(xml.SelectBookmark(b));
    ASSERT_TRUE(xml.up());
    EXPECT_EQ(IdAtCursor(xml), "3");

    ASSERT_TRUE(xml.MoveNode(c, a, false));
    ASSERT_TRUE(xml.SelectRoot());
    ASSERT_TRUE(xml.Down());
    EXPECT_EQ(IdAtCursor(xml), "3");
    ASSERT_TRUE(xml.NextNode());
    EXPECT_EQ(IdAtCursor(xml), "1");
    EXPECT_TRUE(xml.SelectBookmark(a));
    EXPECT_TRUE(xml.SelectBookmark(c));
}

TEST(XmlEdit, MovesThatCannotBeMadeFailWithAReason) {
    clsXMLParser xml;
    ASSERT_TRUE(Open(xml, kTree));
    const int32_t root = BookmarkAt(xml, "/r");
    const int32_t a = BookmarkAt(xml, "//a");
    const int32_t b = BookmarkAt(xml, "//b");
    const int32_t document = BookmarkAt(xml, "/");

    EXPECT_FALSE(xml.MoveNode(a, 99, true));
    EXPECT_EQ(xml.GetLastError(), "Invalid bookmark.");
    EXPECT_FALSE(xml.MoveNode(document, a, true));
    EXPECT_EQ(xml.GetLastError(), "Node doesn't have parent.");
    EXPECT_FALSE(xml.MoveNode(a, b, true)) << "into its own subtree";
    EXPECT_FALSE(xml.MoveNode(a, root, false)) << "a second root";
    EXPECT_EQ(Saved(xml), kTree);
}

TEST(XmlEdit, DeletingANodeTakesItsPlacesAlong) {
    clsXMLParser xml;
    ASSERT_TRUE(Open(xml, kTree));
    const int32_t a = BookmarkAt(xml, "//a");
    const int32_t b = BookmarkAt(xml, "//b");
    const int32_t c = BookmarkAt(xml, "//c");
    ASSERT_TRUE(xml.SelectNode("//b"));
    xml.Push();
    ASSERT_TRUE(xml.SelectNode("//c"));
    xml.Push();
    ASSERT_TRUE(xml.SelectNode("//b"));

    ASSERT_TRUE(xml.DeleteNode("//a"));
    EXPECT_EQ(xml.GetNodeName(), "r") << "the cursor stood inside the deleted node";
    EXPECT_FALSE(xml.SelectBookmark(a));
    EXPECT_FALSE(xml.SelectBookmark(b));
    EXPECT_TRUE(xml.SelectBookmark(c));
    xml.Pop();
    EXPECT_EQ(IdAtCursor(xml), "3");
    xml.Pop();
    EXPECT_EQ(xml.GetNodeName(), "r");
    EXPECT_EQ(Saved(xml), "<r>\n  <c id=\"3\"/>\n</r>") << "no blank line is left";

    EXPECT_FALSE(xml.DeleteNode("//a"));
    EXPECT_FALSE(xml.GetLastError().isEmpty());
    ASSERT_TRUE(xml.SelectNode("//c"));
    ASSERT_TRUE(xml.DeleteNode("."));
    EXPECT_EQ(xml.GetNodeName(), "r");
    EXPECT_FALSE(xml.DeleteNode("/")) << "the document node has no parent";
}

TEST(XmlEdit, SeveralBookmarksOfOneNodeAreForgottenOneByOneOrAllWithIt) {
    // Which of three bookmarks of one node is removed first.
    for (int removed = 0; removed < 3; ++removed) {
        SCOPED_TRACE(removed);
        clsXMLParser xml;
        ASSERT_TRUE(Open(xml, kTree));
        const int32_t marks[] = {BookmarkAt(xml, "//b"), BookmarkAt(xml, "//b"),
                                 BookmarkAt(xml, "//b")};
        EXPECT_TRUE(xml.RemoveBookmark(marks[removed]));
        EXPECT_FALSE(xml.RemoveBookmark(marks[removed]));
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(xml.SelectBookmark(marks[i]), i != removed);
            if (i != removed) {
                EXPECT_EQ(IdAtCursor(xml), "2");
            }
        }
        ASSERT_TRUE(xml.DeleteNode("//a"));
        for (const int32_t mark : marks)
            EXPECT_FALSE(xml.SelectBookmark(mark));
        // A new node in the old one's place gets no bookmark of it.
        ASSERT_TRUE(xml.SelectRoot());
        ASSERT_TRUE(xml.CreateNode(QStringLiteral("b")));
        for (const int32_t mark : marks)
            EXPECT_FALSE(xml.SelectBookmark(mark));
    }
}

TEST(XmlEdit, DroppingTheDocumentForgetsEveryPlace) {
    clsXMLParser xml;
    for (const bool create : {false, true}) {
        ASSERT_TRUE(Open(xml, kTree));
        const int32_t bookmark = BookmarkAt(xml, "//b");
        xml.Push();
        if (create)
            ASSERT_TRUE(xml.CreateDocument(QStringLiteral("language"), QString()));
        else
            xml.Unload();
        EXPECT_FALSE(xml.SelectBookmark(bookmark));
        xml.Pop();
        EXPECT_EQ(xml.GetNodeName(), "");
        EXPECT_FALSE(xml.SelectNode("//b"));
        if (create) {
            EXPECT_EQ(xml.AddBookmark(), 0) << "no cursor";
            ASSERT_TRUE(xml.SelectRoot());
            EXPECT_EQ(xml.AddBookmark(), bookmark + 1) << "numbers are not reused";
        }
    }
}

TEST(XmlEdit, CreatedDocumentsAreWrittenWithTheirDeclaration) {
    clsXMLParser xml;
    ASSERT_TRUE(xml.CreateDocument(QStringLiteral("language"), QString()));
    EXPECT_EQ(xml.GetNodeName(), "language");
    ASSERT_TRUE(xml.SetNodeAttr(QStringLiteral("id"), 44));
    ASSERT_TRUE(xml.CreateNode(QStringLiteral("page")));
    ASSERT_TRUE(xml.SetNodeAttr(QStringLiteral("id"), 17));
    ASSERT_TRUE(xml.CreateNode(QStringLiteral("t"), QStringLiteral("A & B")));
    EXPECT_EQ(xml.GetNodeName(), "t");
    EXPECT_EQ(Saved(xml), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<language id=\"44\">\n"
                          "  <page id=\"17\">\n"
                          "    <t>A &amp; B</t>\n"
                          "  </page>\n"
                          "</language>\n");
    EXPECT_FALSE(xml.CreateNode(QStringLiteral("1bad")));
    EXPECT_FALSE(xml.CreateDocument(QStringLiteral("no root"), QString()));
    EXPECT_EQ(xml.GetNodeName(), "t") << "a refused document changes nothing";
}

TEST(XmlEdit, NewElementsTakeTheIndentationOfTheirSiblings) {
    clsXMLParser xml;
    ASSERT_TRUE(Open(xml, kTree));
    ASSERT_TRUE(xml.SelectNode("//a"));
    ASSERT_TRUE(xml.CreateNode(QStringLiteral("n"), QStringLiteral("x")));
    ASSERT_TRUE(xml.SelectRoot());
    const int32_t c = BookmarkAt(xml, "//c");
    ASSERT_TRUE(xml.SelectRoot());
    ASSERT_TRUE(xml.InsertNodeBefore(QStringLiteral("m"), c, QString()));
    EXPECT_EQ(xml.GetNodeName(), "r") << "inserting does not move the cursor";
    EXPECT_EQ(Saved(xml), "<r>\n"
                          "  <a id=\"1\">\n"
                          "    <b id=\"2\"/>\n"
                          "    <n>x</n>\n"
                          "  </a>\n"
                          "  <m/><c id=\"3\"/>\n"
                          "</r>");
    EXPECT_FALSE(xml.InsertNodeBefore(QStringLiteral("m"), 99, QString()));
    EXPECT_EQ(xml.GetLastError(), "Invalid bookmark");
    ASSERT_TRUE(xml.SelectNode("//a"));
    EXPECT_FALSE(xml.InsertNodeBefore(QStringLiteral("m"), c, QString())) << "not a child";
}

} // namespace
