#include "resources/DocumentTexts.h"

#include "gamefiles/clsXMLParser.h"
#include "resources/XmlCursorGuard.h"

#include <limits>

namespace {

char32_t Code(QChar c) {
    return c.unicode();
}

char32_t Code(char c) {
    return static_cast<unsigned char>(c);
}

// Only ASCII counts, so UTF-16 units and UTF-8 bytes read alike.
template <class Text> std::optional<int32_t> ParseId(Text text) {
    const auto code = [&](qsizetype at) { return Code(text[at]); };
    // Nearly every id is a few plain digits: those need no trimming and
    // cannot overflow.
    if (!text.isEmpty() && text.size() <= 9) {
        int32_t value = 0;
        qsizetype at = 0;
        for (; at < text.size(); ++at) {
            const char32_t c = code(at);
            if (c < u'0' || c > u'9')
                break;
            value = value * 10 + int32_t(c - u'0');
        }
        if (at == text.size())
            return value;
    }
    const auto isBlank = [](char32_t c) {
        return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
    };
    qsizetype at = 0;
    qsizetype end = text.size();
    while (at < end && isBlank(code(at)))
        ++at;
    while (end > at && isBlank(code(end - 1)))
        --end;
    const bool negative = at < end && code(at) == u'-';
    if (negative)
        ++at;
    if (at == end)
        return std::nullopt;
    int64_t value = 0;
    for (; at < end; ++at) {
        const char32_t c = code(at);
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > int64_t(std::numeric_limits<int32_t>::max()) + 1)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(value);
}

} // namespace

std::optional<int32_t> ParseLanguageId(QStringView text) {
    return ParseId(text);
}

std::optional<int32_t> ParseLanguageId(QByteArrayView utf8) {
    return ParseId(utf8);
}

QByteArrayView IdAttribute(const clsXMLParser& xml) {
    QByteArrayView id;
    xml.ForEachNodeAttr([&](QByteArrayView name, QByteArrayView value) {
        if (name != "id")
            return true;
        id = value;
        return false;
    });
    return id;
}

void DocumentTexts::DocumentReplaced() {
    m_listed = false;
    m_pages.clear();
    m_texts.clear();
    m_offered.clear();
    m_firstListed = false;
    m_firstPages.clear();
}

void DocumentTexts::DocumentChanged() {
    for (const QList<int32_t>& bookmarks : std::as_const(m_pages))
        for (const int32_t bookmark : bookmarks)
            m_xml.RemoveBookmark(bookmark);
    DropFirstPages();
    DocumentReplaced();
}

void DocumentTexts::DropFirstPages() {
    for (const int32_t bookmark : std::as_const(m_firstPages))
        m_xml.RemoveBookmark(bookmark);
    m_firstListed = false;
    m_firstPages.clear();
}

void DocumentTexts::Offer(std::shared_ptr<const clsPage> page) {
    const int32_t pageId = page->PageID;
    m_offered.insert(pageId, std::move(page));
}

bool DocumentTexts::Find(int32_t pageId, int32_t id, FoundText& found) {
    auto page = m_texts.find(pageId);
    if (page == m_texts.end())
        page = m_texts.emplace(pageId, ReadPageTexts(pageId));
    if (page->read) {
        const auto text = page->read->FindString(id);
        if (!text)
            return false;
        found.utf8 = text->RawUtf8();
        found.isUtf8 = !found.utf8.empty();
        if (!found.isUtf8)
            found.text = text->RawText();
        return true;
    }
    if (const auto written = page->written.constFind(id); written != page->written.cend()) {
        found.isUtf8 = false;
        found.text = *written;
        return true;
    }
    const clsXMLParser::ChildElement* element = page->elements.Find(id);
    if (!element)
        return false;
    found.isUtf8 = true;
    found.utf8 = element->ValueUtf8(found.joined);
    return true;
}

void DocumentTexts::TextWritten(int32_t pageId, int32_t id, const QString& rawText) {
    const auto found = m_texts.find(pageId);
    if (found == m_texts.end())
        return;
    // A page shared with the reader is not changed behind its back.
    if (found->read)
        m_texts.erase(found);
    else
        found->written.insert(id, rawText);
}

void DocumentTexts::PageAdded(int32_t pageId) {
    if (m_listed)
        m_pages[pageId].append(m_xml.AddBookmark());
    // Appended at the end, it comes first only for a new id.
    if (m_firstListed && !m_firstPages.contains(pageId))
        m_firstPages.insert(pageId, m_xml.AddBookmark());
}

int32_t DocumentTexts::FirstPage(int32_t pageId) {
    if (!m_firstListed)
        ListFirstPages();
    const int32_t bookmark = m_firstPages.value(pageId);
    if (!bookmark)
        return 0;
    XmlCursorGuard guard(m_xml);
    if (m_xml.SelectBookmark(bookmark))
        return bookmark;
    // Its element was deleted with an edit the index does not follow: a
    // later element of the id may come first now.
    DropFirstPages();
    ListFirstPages();
    return m_firstPages.value(pageId);
}

void DocumentTexts::ListFirstPages() {
    m_firstListed = true;
    XmlCursorGuard guard(m_xml);
    if (!m_xml.SelectRoot())
        return;
    // Every element in document order, depth first; a loop, not recursion,
    // so deep nesting cannot exhaust the stack.
    int depth = 0;
    for (;;) {
        if (m_xml.GetNodeNameUtf8() == "page") {
            const auto pageId = ParseLanguageId(IdAttribute(m_xml));
            if (pageId && !m_firstPages.contains(*pageId))
                m_firstPages.insert(*pageId, m_xml.AddBookmark());
        }
        if (m_xml.Down()) {
            ++depth;
            continue;
        }
        while (!m_xml.NextNode()) {
            if (depth-- == 0)
                return;
            m_xml.up();
        }
    }
}

void DocumentTexts::ListPages() {
    m_listed = true;
    XmlCursorGuard guard(m_xml);
    if (!m_xml.SelectRoot() || !m_xml.Down())
        return;
    // Depth-first through the elements below the root, without entering
    // pages; a loop, not recursion, so deep nesting cannot exhaust the stack.
    int depth = 1;
    for (;;) {
        const bool page = m_xml.GetNodeName() == u"page";
        if (page) {
            if (const auto pageId = ParseLanguageId(m_xml.GetNodeAttr(QStringLiteral("id"))))
                m_pages[*pageId].append(m_xml.AddBookmark());
        } else if (m_xml.Down()) {
            ++depth;
            continue;
        }
        while (!m_xml.NextNode()) {
            m_xml.up();
            if (--depth == 0)
                return;
        }
    }
}

DocumentTexts::PageTexts DocumentTexts::ReadPageTexts(int32_t pageId) {
    if (!m_listed)
        ListPages();
    const QList<int32_t> bookmarks = m_pages.value(pageId);
    PageTexts texts;
    if (bookmarks.size() == 1 && m_offered.contains(pageId)) {
        texts.read = m_offered.value(pageId);
        return texts;
    }
    XmlCursorGuard guard(m_xml);
    int ordinal = 0;
    for (const int32_t bookmark : bookmarks) {
        if (!m_xml.SelectBookmark(bookmark))
            continue;
        // An element without texts does not count, so the next one is first.
        bool any = false;
        m_xml.ForEachChildElement([&](const clsXMLParser::ChildElement& child) {
            if (int32_t id = 0; ParseLanguageId(child.AttrText("id"), id)) {
                texts.elements.Put(id, child, ordinal);
                any = true;
            }
            return true;
        });
        ordinal += any;
    }
    return texts;
}
