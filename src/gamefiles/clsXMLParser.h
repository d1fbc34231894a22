// One XML document with a cursor on its current node, a node stack and
// numbered bookmarks. Every XML file of the program is read, walked, changed
// and written through it, plain or packed, by way of the object store.
//
// A read document keeps the file's text: a save copies every node the
// program did not change byte for byte as it was read (an unchanged document
// saves byte-identical) and writes only what changed in the program's one
// spelling. Texts and values that XML cannot hold (U+0000) are refused, and
// a file that would make the document build more than a few million nodes
// is refused before anything is built. No node reference (cursor, stack
// entry, bookmark) can outlive its node: deleting a node drops its bookmarks
// and moves cursor and stack entries inside it to the deleted node's parent;
// replacing or dropping the document forgets them all.
//
// Attribute keys are variants: text names the attribute, a number is its
// 1-based position. Failures return False, 0 or empty; the members that
// change the document or load and save keep a message in GetLastError.
#pragma once

#include "gamefiles/mdlZorvObjects.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QVariant>

#include <pugixml.hpp>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class clsXMLParser {
public:
    clsXMLParser();
    ~clsXMLParser();
    clsXMLParser(const clsXMLParser&) = delete;
    clsXMLParser& operator=(const clsXMLParser&) = delete;

    // A name as XML 1.0 allows it for elements and attributes; the document
    // takes no other for what it creates.
    static bool IsXmlName(QStringView name);
    // Why a text or value cannot stand in a document ("<what> holds the
    // character U+0000 ..."); empty when it can.
    static QString Unwritable(QStringView text, const QString& what);

    // Reads a plain or packed file (a disk path or a catalog path with "::").
    // On success the cursor is on the root's first element child and the
    // stack and bookmarks start over; on failure nothing changes.
    bool OpenFile(const QString& path);
    QString GetLastError() const { return m_lastError; }

    bool SelectRoot();
    int32_t SelectionLanguage() const { return 0; }
    void SetSelectionLanguage(int32_t) {}
    // The first node the XPath expression selects, from the document when it
    // begins with "/", else from the cursor. Names match as written.
    bool SelectNode(const QString& expression);
    bool PrevNode();
    bool NextNode();
    QString GetNodeValue() const;
    QString GetNodeAttr(const QVariant& key) const;
    int32_t GetNodeAttrCount() const;
    QString GetAttrName(const QVariant& key) const;
    // Reads all attributes of the cursor element in one pass: visit(name,
    // value) gets each in order as UTF-8 bytes that point into the document,
    // so they last only until it changes, and the visitor must not change it.
    // The visitor returns false to stop; the result is false when it did.
    template <class Visit> bool ForEachNodeAttr(Visit visit) const {
        return ForEachNodeAttrText([&](const char* name, const char* value) {
            return visit(QByteArrayView(name), QByteArrayView(value));
        });
    }
    // The same with NUL-ended texts, unmeasured.
    template <class Visit> bool ForEachNodeAttrText(Visit visit) const {
        // Past the last attribute the name is empty, which no attribute's
        // is: one library call per attribute fewer than testing it.
        for (pugi::xml_attribute attribute = m_cursor.first_attribute();;
             attribute = attribute.next_attribute()) {
            const char* const name = attribute.name();
            if (!*name)
                return true;
            if (!visit(name, attribute.value()))
                return false;
        }
    }
    // One element child of the cursor element, as ForEachChildElement hands
    // it over. Its bytes point into the document and last only until it
    // changes.
    class ChildElement {
    public:
        QByteArrayView Name() const { return QByteArrayView(m_node.name()); }
        // The attribute's value as UTF-8 bytes; empty when there is none.
        QByteArrayView Attr(const char* name) const { return QByteArrayView(AttrText(name)); }
        // The same as a NUL-ended text, unmeasured; "" when there is none.
        const char* AttrText(const char* name) const;
        // The element's text, as GetNodeValue gives it.
        QString Value() const;
        // The same text as UTF-8, appended to out.
        void AppendValueUtf8(std::string& out) const;
        // The same text as UTF-8: the document's own bytes when the element
        // holds a single text, else joined into scratch.
        std::string_view ValueUtf8(std::string& scratch) const;
        // The document's own NUL-ended text when the element holds a single
        // text, unmeasured; nullptr when its text must be joined.
        const char* SingleValueText() const;

    private:
        friend class clsXMLParser;
        explicit ChildElement(pugi::xml_node node) : m_node(node) {}
        pugi::xml_node m_node;
    };
    // Visits the element children of the cursor element in document order,
    // in one pass and without moving the cursor; the visitor may move it
    // (SelectElement) but must not change the document. It returns false to
    // stop; the result is false when it did.
    template <class Visit> bool ForEachChildElement(Visit visit) const {
        // Past the last child the type is node_null: one library call per
        // node fewer than testing the node itself.
        for (pugi::xml_node child = m_cursor.first_child();; child = child.next_sibling()) {
            const pugi::xml_node_type type = child.type();
            if (type == pugi::node_null)
                return true;
            if (type == pugi::node_element && !visit(ChildElement(child)))
                return false;
        }
    }
    // Calls visit(child, ChildElement) for each element child of each
    // element child of the cursor element, `child` being the place of its
    // parent among those, and gives the number of them; the cursor stays and
    // the document must not change. Each child's children come in document
    // order, but those of different children are stepped side by side rather
    // than one list after the other: the nodes of a freshly read document are
    // a chain of reads from memory each, and stepping many chains at once
    // lets those reads overlap instead of waiting in turn.
    template <class Visit> std::size_t VisitGrandchildren(Visit visit) const {
        // Each chain's next node, and the child it belongs to. A chain that
        // ended leaves the list, so the later rounds step only the longer
        // ones.
        struct Chain {
            pugi::xml_node node;
            std::size_t child;
        };
        std::vector<Chain> chains;
        for (pugi::xml_node child = m_cursor.first_child(); child; child = child.next_sibling())
            if (child.type() == pugi::node_element)
                chains.push_back({child.first_child(), chains.size()});
        const std::size_t children = chains.size();
        for (std::size_t live = chains.size(); live > 0;) {
            std::size_t kept = 0;
            for (std::size_t i = 0; i < live; ++i) {
                // The next nodes' own memory, and the first attribute's name
                // of nearer ones, are asked for ahead of their turn.
                if (i + 16 < live)
                    __builtin_prefetch(chains[i + 16].node.internal_object());
                if (i + 8 < live)
                    __builtin_prefetch(chains[i + 8].node.first_attribute().name());
                const Chain chain = chains[i];
                // A null node's type is node_null: one call tells both.
                const pugi::xml_node_type type = chain.node.type();
                if (type == pugi::node_null)
                    continue;
                if (type == pugi::node_element)
                    visit(chain.child, ChildElement(chain.node));
                chains[kept++] = {chain.node.next_sibling(), chain.child};
            }
            live = kept;
        }
        return children;
    }
    // Puts the cursor on an element that ForEachChildElement handed over.
    void SelectElement(const ChildElement& element) { m_cursor = element.m_node; }
    QString GetNodeName() const;
    // The cursor element's name as UTF-8 bytes in the document, nothing
    // copied, valid until the document changes; empty when the cursor is on
    // no element.
    QByteArrayView GetNodeNameUtf8() const;
    bool Down();
    bool up();
    void Unload();
    void Push();
    void Pop();
    // A number value is written as decimal text.
    bool SetNodeAttr(const QVariant& key, const QVariant& value);
    // Replaces the whole text content of the cursor element.
    bool SetNodeValue(const QVariant& text);
    // fileType 1 writes plain XML, 2 packed.
    bool SaveToFile(const QString& path, int32_t fileType);
    // A new element before the bookmarked child of the cursor element.
    bool InsertNodeBefore(const QString& name, int32_t bookmark, const QVariant& text);
    // A new last child of the cursor element, which becomes the cursor. The
    // element gets an xmlns declaration only when its namespace differs from
    // the one it would inherit.
    bool CreateNode(const QString& name, const QVariant& text = QVariant(),
                    const QString& namespaceURI = QString());
    QString GetNodeNamespace() const;
    bool DeleteNode(const QString& expression);
    bool CreateDocument(const QString& rootName, const QString& namespaceURI);
    // 0 when there is no cursor.
    int32_t AddBookmark();
    // Room for this many more bookmarks, so that adding them moves nothing.
    void ReserveBookmarks(int32_t count);
    bool RemoveBookmark(int32_t bookmark);
    bool SelectBookmark(int32_t bookmark);
    bool DeleteNodeAttr(const QVariant& key);
    bool MoveNode(int32_t source, int32_t target, bool asChild);

private:
    // What a read document was read from, so that a save copies every part
    // the program did not change as it stands in the file.
    struct Layout {
        pugi::xml_encoding encoding = pugi::encoding_utf8;
        // The 8-bit encoding the declaration names when the library cannot
        // convert it: the document then holds only ASCII.
        QString asciiOnlyEncoding;
        // The file's bytes, and its text as UTF-8 (what the node offsets
        // count in); both empty for a created document.
        QByteArray original;
        QByteArray text;
        // What the document was parsed in: its names and values point into it.
        mdlZorvObjects::LibraryText parsed;
    };
    void GrowStack(int32_t count);
    void ResetStack();
    bool FirstElementChild(pugi::xml_node node);
    bool ParentElement(pugi::xml_node node);
    void SetLastError(int32_t code, const QString& text);
    // invalid is set when the expression cannot be evaluated.
    pugi::xml_node FindNode(const QString& expression, bool* invalid = nullptr);
    pugi::xml_attribute GetAttrNode(const QVariant& key) const;
    bool SetNodeText(pugi::xml_node node, const QString& text);
    static QString NodeValue(pugi::xml_node node);
    static void AppendNodeValueUtf8(pugi::xml_node node, std::string& out);
    pugi::xml_node GetBookmarkNode(int32_t bookmark) const;

    bool LoadText(const QString& path, mdlZorvObjects::LibraryText file,
                  pugi::xml_document& document, Layout& layout);
    // The file's bytes; false with the last error set when the document's
    // encoding cannot hold what it must.
    bool Serialise(QByteArray& bytes);
    bool CanTakeElement(pugi::xml_node parent, pugi::xml_node element = pugi::xml_node());
    pugi::xml_node NewElement(pugi::xml_node parent, pugi::xml_node before, const QString& name);
    void ForgetNode(pugi::xml_node node);
    // The node and every node above it hold a change.
    void MarkTouched(pugi::xml_node node);
    // The node's own markup (an element's start tag, a text) is written anew.
    void MarkRewritten(pugi::xml_node node);
    // Children of the node were added, removed or moved.
    void MarkRestructured(pugi::xml_node node);
    // False with the last error set when the text cannot stand in a document.
    bool CanHold(const QString& text, const QString& what);
    void ForgetBookmarkOfNode(pugi::xml_node_struct* node, int32_t bookmark);
    void ForgetAllNodes();

    // Before the document, so that what it was parsed in outlives it.
    Layout m_layout;
    std::unique_ptr<pugi::xml_document> m_document;
    // What changed since the document was read (see MarkTouched and
    // MarkRewritten), by node.
    std::unordered_map<pugi::xml_node_struct*, uint8_t> m_changes;
    QString m_lastError;
    pugi::xml_node m_cursor;
    std::vector<pugi::xml_node> m_stack;
    int32_t m_capacity = 0;
    int32_t m_top = -1;
    // By bookmark number, which counts up from 1; a null node where the
    // number is not in use.
    std::vector<pugi::xml_node> m_bookmarks;
    // The bookmarks of each node, so a deleted subtree drops its own: the
    // first in a table that costs no allocation per entry, the rare further
    // ones beside it.
    QHash<pugi::xml_node_struct*, int32_t> m_bookmarkOfNode;
    std::unordered_multimap<pugi::xml_node_struct*, int32_t> m_moreBookmarksOfNode;
    int32_t m_bookmarkCounter = 0;
};
