// The texts of the language document a server has open, by page id and text
// id, so that references resolve without searching the document. Pages are
// the page elements below the root (not inside other pages); a text is any
// element child of a page. For a page id that occurs on several page
// elements the first element holding the text id wins; within one element a
// repeated id means its later occurrence, as the page cache reads it.
//
// Built lazily, one page id at a time, and told of the server's own edits.
#pragma once

#include "gamefiles/clsXMLParser.h"
#include "resources/ElementsById.h"
#include "resources/clsPage.h"

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// An id as the language files write it: decimal, optionally negative,
// blanks around it allowed; nothing when it is not a 32-bit number. The
// bytes are UTF-8 straight from the document.
std::optional<int32_t> ParseLanguageId(QStringView text);
std::optional<int32_t> ParseLanguageId(QByteArrayView utf8);
// The same of a NUL-ended text, into id; false when it is none. A few plain
// digits, nearly every id, are read here without measuring the text first,
// and the id comes back in a register rather than through memory.
inline bool ParseLanguageId(const char* utf8, int32_t& id) {
    int32_t value = 0;
    int at = 0;
    for (; at < 9 && utf8[at] >= '0' && utf8[at] <= '9'; ++at)
        value = value * 10 + (utf8[at] - '0');
    if (at > 0 && utf8[at] == '\0') {
        id = value;
        return true;
    }
    const auto parsed = ParseLanguageId(QByteArrayView(utf8));
    id = parsed.value_or(0);
    return parsed.has_value();
}
// The id attribute of the cursor element as the document holds it, valid
// until the document changes; empty when there is none.
QByteArrayView IdAttribute(const clsXMLParser& xml);

// A raw text as DocumentTexts::Find gives it: the UTF-8 bytes it was read
// from while they are at hand, else the string. The bytes last until the
// document or the page they come from changes.
struct FoundText {
    bool isUtf8 = false;
    std::string_view utf8;
    QString text;
    // The bytes of a text joined from several parts.
    std::string joined;
};

class DocumentTexts {
public:
    explicit DocumentTexts(clsXMLParser& xml) : m_xml(xml) {}

    // The document was replaced: bookmarks of the old one are gone already.
    void DocumentReplaced();
    // The document changed in a way the index does not follow.
    void DocumentChanged();
    // A page just read from a page element; used as the index of its id
    // when no other page element has that id.
    void Offer(std::shared_ptr<const clsPage> page);
    // The raw text into found; false when the document has no such text.
    bool Find(int32_t pageId, int32_t id, FoundText& found);

    // The server wrote a text into the first page element of that id.
    void TextWritten(int32_t pageId, int32_t id, const QString& rawText);
    void TextRemoved(int32_t pageId) { m_texts.remove(pageId); }
    // The server appended a page element; the cursor is on it.
    void PageAdded(int32_t pageId);
    // The bookmark of the first page element with that id anywhere in the
    // document, in document order, as "//page[@id=P]" selects it; 0 when
    // there is none.
    int32_t FirstPage(int32_t pageId);

private:
    struct PageTexts {
        std::shared_ptr<const clsPage> read;
        // The elements, whose text is read when it is asked for; they stay
        // valid since every edit that could remove one drops the page here.
        ElementsById elements;
        // Texts the server wrote since, which win over the elements.
        QHash<int32_t, QString> written;
    };

    void ListPages();
    void ListFirstPages();
    void DropFirstPages();
    PageTexts ReadPageTexts(int32_t pageId);

    clsXMLParser& m_xml;
    bool m_listed = false;
    // Bookmarks of the page elements of each page id, in document order.
    QHash<int32_t, QList<int32_t>> m_pages;
    QHash<int32_t, PageTexts> m_texts;
    QHash<int32_t, std::shared_ptr<const clsPage>> m_offered;
    bool m_firstListed = false;
    QHash<int32_t, int32_t> m_firstPages;
};
