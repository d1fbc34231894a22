#include "gamefiles/clsXMLParser.h"

#include "gamefiles/XmlOutputEncoding.h"
#include "gamefiles/XmlSourceSpans.h"
#include "gamefiles/mdlZorvObjects.h"
#include "platform/ZorvError.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

namespace {

constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_declaration |
                                   pugi::parse_doctype | pugi::parse_pi | pugi::parse_comments |
                                   pugi::parse_ws_pcdata;
constexpr int32_t kStackStep = 20;
// The changes kept for a node.
constexpr uint8_t Touched = 1;
constexpr uint8_t Rewritten = 2;
// Children were added, removed or moved.
constexpr uint8_t Restructured = 4;
// A parse error quotes at most this much of its source line.
constexpr qsizetype kSourceQuote = 200;
const char* const kXmlNamespace = "http://www.w3.org/XML/1998/namespace";
const char* const kXmlnsNamespace = "http://www.w3.org/2000/xmlns/";
const char* const kOneRoot = "Only one top level element is allowed in an XML document.";
// What a file may make the document build, far above any real file: each
// "<" starts at most one element, comment or instruction and one text, each
// "=" at most one attribute.
constexpr qsizetype kMaxMarkup = 2'000'000;
constexpr qsizetype kMaxAttributes = 8'000'000;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsBlank(const char* text) {
    for (; *text; ++text)
        if (!IsSpace(*text))
            return false;
    return true;
}

bool IsText(pugi::xml_node node) {
    return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

bool IsBlankText(pugi::xml_node node) {
    return node.type() == pugi::node_pcdata && IsBlank(node.value());
}

bool IsElement(pugi::xml_node node) {
    return node.type() == pugi::node_element;
}

bool HasElementChild(pugi::xml_node node) {
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
        if (IsElement(child))
            return true;
    return false;
}

// The text children that make up an element's text, in document order.
// Plain whitespace between child elements is layout, not text; a CDATA
// section is always text. The visitor may remove the node it is given.
template <class Visit> void VisitContentTexts(pugi::xml_node node, Visit visit) {
    const bool layout = HasElementChild(node);
    for (pugi::xml_node child = node.first_child(); child;) {
        const pugi::xml_node next = child.next_sibling();
        if (IsText(child) && !(layout && IsBlankText(child)))
            visit(child);
        child = next;
    }
}

// The element's text child when it is the only child: most elements hold
// one text and nothing else.
pugi::xml_node OnlyText(pugi::xml_node node) {
    const pugi::xml_node only = node.first_child();
    return IsText(only) && !only.next_sibling() ? only : pugi::xml_node();
}

// A text as QString::fromUtf8 reads it. Most texts are plain ASCII: those
// are widened in one pass into a string of their size.
QString TextFromUtf8(const char* utf8) {
    const auto size = static_cast<qsizetype>(std::strlen(utf8));
    QString text(size, Qt::Uninitialized);
    char16_t* const out = reinterpret_cast<char16_t*>(text.data());
    unsigned char high = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        high |= byte;
        out[i] = byte;
    }
    return high < 0x80 ? text : QString::fromUtf8(utf8, size);
}

// Two NUL-ended texts, compared inline.
bool SameBytes(const char* a, const char* b) {
    for (; *a == *b; ++a, ++b)
        if (!*a)
            return true;
    return false;
}

// Compares a UTF-8 name with a key without allocating for ASCII keys.
bool SameName(const char* utf8, QStringView name) {
    const char* at = utf8;
    for (const QChar c : name) {
        if (c.unicode() >= 0x80)
            return QString::fromUtf8(utf8) == name;
        if (static_cast<unsigned char>(*at) != c.unicode())
            return false;
        ++at;
    }
    return *at == 0;
}

bool IsNameKey(const QVariant& key) {
    const int type = key.typeId();
    return type == QMetaType::QString || type == QMetaType::QByteArray;
}

bool IsNameStart(char32_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c == u':' ||
           (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
           (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) ||
           (c >= 0x200C && c <= 0x200D) || (c >= 0x2070 && c <= 0x218F) ||
           (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
           (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0xEFFFF);
}

bool IsNameCharacter(char32_t c) {
    return IsNameStart(c) || c == u'-' || c == u'.' || (c >= u'0' && c <= u'9') || c == 0xB7 ||
           (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

QString Prefix(const QString& name) {
    const qsizetype colon = name.indexOf(u':');
    return colon < 0 ? QString() : name.left(colon);
}

QString XmlnsName(const QString& prefix) {
    return prefix.isEmpty() ? QStringLiteral("xmlns") : QStringLiteral("xmlns:") + prefix;
}

// The namespace a prefix ("" for the default) stands for at an element.
QString NamespaceOf(pugi::xml_node element, const QString& prefix) {
    if (prefix == u"xml")
        return kXmlNamespace;
    if (prefix == u"xmlns")
        return kXmlnsNamespace;
    const std::string attribute = XmlnsName(prefix).toStdString();
    for (pugi::xml_node node = element; IsElement(node); node = node.parent())
        if (const pugi::xml_attribute declaration = node.attribute(attribute.c_str()))
            return QString::fromUtf8(declaration.value());
    return {};
}

// The document text as UTF-8, which is what the parser's offsets count in. A
// byte order mark stays, as it does in the parser's own copy. lossy is set
// when the bytes are not valid in their encoding.
QByteArray Utf8View(const QByteArray& bytes, pugi::xml_encoding encoding, bool& lossy) {
    const auto decode = [&](QStringConverter::Encoding from) {
        QStringDecoder decoder(from, QStringConverter::Flag::ConvertInitialBom);
        const QString decoded = decoder.decode(bytes);
        lossy = decoder.hasError();
        return decoded.toUtf8();
    };
    lossy = false;
    switch (encoding) {
    case pugi::encoding_latin1:
        return QString::fromLatin1(bytes).toUtf8();
    case pugi::encoding_utf16_le:
        return decode(QStringConverter::Utf16LE);
    case pugi::encoding_utf16_be:
        return decode(QStringConverter::Utf16BE);
    case pugi::encoding_utf32_le:
        return decode(QStringConverter::Utf32LE);
    case pugi::encoding_utf32_be:
        return decode(QStringConverter::Utf32BE);
    default:
        return bytes;
    }
}

// The encoding named by the XML declaration; empty without one.
QString DeclaredEncoding(const pugi::xml_document& document) {
    const pugi::xml_node first = document.first_child();
    if (first.type() != pugi::node_declaration)
        return {};
    return QString::fromUtf8(first.attribute("encoding").value()).trimmed();
}

bool IsUnicodeEncodingName(const QString& name) {
    return name.startsWith(u"utf", Qt::CaseInsensitive) ||
           name.startsWith(u"ucs", Qt::CaseInsensitive);
}

// Where the first byte of 0x80 or more stands; -1 when there is none. Most
// game files are ASCII: they are told so in blocks whose test runs
// vectorised, without a branch per byte.
qsizetype FirstNonAscii(QByteArrayView bytes) {
    constexpr qsizetype kBlock = 64;
    constexpr uint64_t kHighBits = 0x8080808080808080ull;
    const char* const begin = bytes.data();
    qsizetype at = 0;
    for (; at + kBlock <= bytes.size(); at += kBlock) {
        uint64_t any = 0;
        for (qsizetype word = 0; word < kBlock; word += 8) {
            uint64_t bits;
            std::memcpy(&bits, begin + at + word, sizeof bits);
            any |= bits;
        }
        if (any & kHighBits)
            break;
    }
    for (; at < bytes.size(); ++at)
        if (static_cast<unsigned char>(begin[at]) >= 0x80)
            return at;
    return -1;
}

bool HasNonAscii(QByteArrayView bytes) {
    return FirstNonAscii(bytes) >= 0;
}

// Where the first byte stands that starts no valid UTF-8 sequence (overlong
// forms, surrogates and code points past U+10FFFF included); -1 when there
// is none.
qsizetype FirstInvalidUtf8(QByteArrayView bytes) {
    // Sequences start afresh after an ASCII byte: only what follows the
    // first other byte needs the full check.
    const qsizetype first = FirstNonAscii(bytes);
    if (first < 0 || bytes.sliced(first).isValidUtf8())
        return -1;
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    for (qsizetype at = first; at < bytes.size();) {
        const unsigned char lead = byte(at);
        if (lead < 0x80) {
            ++at;
            continue;
        }
        const qsizetype length = lead < 0xC2   ? 0
                                 : lead < 0xE0 ? 2
                                 : lead < 0xF0 ? 3
                                 : lead < 0xF5 ? 4
                                               : 0;
        if (length == 0 || at + length > bytes.size())
            return at;
        // The second byte's range rules out the overlong forms, the
        // surrogates and what lies past U+10FFFF.
        const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
        if (byte(at + 1) < low || byte(at + 1) > high)
            return at;
        for (qsizetype i = 2; i < length; ++i)
            if ((byte(at + i) & 0xC0) != 0x80)
                return at;
        at += length;
    }
    return -1;
}

bool MostLinesEndInCrLf(QByteArrayView text) {
    qsizetype lines = 0;
    qsizetype crlf = 0;
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    for (const char* at = begin;
         (at = static_cast<const char*>(std::memchr(at, '\n', end - at))) != nullptr; ++at) {
        ++lines;
        crlf += at > begin && at[-1] == '\r';
    }
    return crlf * 2 > lines;
}

QString ParseErrorText(const QString& reason, const QByteArray& text, ptrdiff_t offset) {
    const qsizetype at = std::clamp<qsizetype>(offset, 0, text.size());
    const qsizetype start = text.lastIndexOf('\n', at - 1) + 1;
    qsizetype end = text.indexOf('\n', at);
    if (end < 0)
        end = text.size();
    QString source = QString::fromUtf8(text.mid(start, end - start));
    if (source.endsWith(u'\r'))
        source.chop(1);
    if (source.size() > kSourceQuote) {
        const qsizetype column = QString::fromUtf8(text.mid(start, at - start)).size();
        source = source.mid(std::max<qsizetype>(0, column - kSourceQuote / 2), kSourceQuote);
    }
    const qsizetype line = text.left(at).count('\n') + 1;
    return "Error: " + reason + "\nSource: " + source + " Line: " + QString::number(line);
}

// Whether the text holds no more "<" and "=" than their bounds. Counted in
// blocks whose counters cannot overflow, so the loop runs vectorised.
bool WithinBudget(QByteArrayView text) {
    // A text holds no more of either than it has bytes.
    if (text.size() <= std::min(kMaxMarkup, kMaxAttributes))
        return true;
    qsizetype markup = 0;
    qsizetype equals = 0;
    constexpr qsizetype kBlock = 255;
    for (qsizetype at = 0; at < text.size(); at += kBlock) {
        const qsizetype end = std::min(text.size(), at + kBlock);
        uint8_t blockMarkup = 0;
        uint8_t blockEquals = 0;
        for (qsizetype i = at; i < end; ++i) {
            blockMarkup += text[i] == '<';
            blockEquals += text[i] == '=';
        }
        markup += blockMarkup;
        equals += blockEquals;
    }
    return markup <= kMaxMarkup && equals <= kMaxAttributes;
}

// Where a character reference to U+0000 ("&#0;", "&#x00;") stands; -1 when
// there is none. The parser would cut the text there.
qsizetype FirstNulReference(QByteArrayView text) {
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    for (const char* at = begin;
         (at = static_cast<const char*>(std::memchr(at, '&', end - at))) != nullptr; ++at) {
        const char* digits = at + 1;
        if (digits == end || *digits++ != '#')
            continue;
        if (digits != end && *digits == 'x')
            ++digits;
        const char* zeros = digits;
        while (zeros != end && *zeros == '0')
            ++zeros;
        if (zeros > digits && zeros != end && *zeros == ';')
            return at - begin;
    }
    return -1;
}

bool IsNameByte(char c) {
    return !IsSpace(c) && c != '=' && c != '?' && c != '>' && c != '"' && c != '\'' && c != '<';
}

// Whether the declaration at open is "<?xml", attributes each name="value"
// or name='value' after whitespace, and "?>"; the library reads less
// strictly and would take a broken one for an encoding it does not name.
bool IsWellFormedDeclaration(std::string_view text, size_t open) {
    size_t at = open + 5;
    const auto skipSpace = [&] {
        const size_t from = at;
        while (at < text.size() && IsSpace(text[at]))
            ++at;
        return at > from;
    };
    for (;;) {
        const bool space = skipSpace();
        if (text.substr(at, 2) == "?>")
            return true;
        if (!space)
            return false;
        const size_t name = at;
        while (at < text.size() && IsNameByte(text[at]))
            ++at;
        if (at == name)
            return false;
        skipSpace();
        if (at >= text.size() || text[at] != '=')
            return false;
        ++at;
        skipSpace();
        if (at >= text.size() || (text[at] != '"' && text[at] != '\''))
            return false;
        const size_t close = text.find(text[at], at + 1);
        if (close == std::string_view::npos ||
            text.substr(at + 1, close - at - 1).find('<') != std::string_view::npos)
            return false;
        at = close + 1;
    }
}

std::string_view View(const QByteArray& bytes) {
    return std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()));
}

std::string_view View(const char* text) {
    return std::string_view(text);
}

// Writes a document: a node the program did not change is copied from the
// text it was read from, everything else is written in the program's own
// spelling.
class DocumentWriter {
public:
    DocumentWriter(std::string_view source,
                   const std::unordered_map<pugi::xml_node_struct*, uint8_t>& changes,
                   const XmlOutputFormat& format)
        : m_source(source), m_changes(changes), m_format(format),
          m_elements(changes.empty() ? std::vector<XmlElementSpan>() : ScanXmlElements(source)) {}

    bool Write(const pugi::xml_document& document, std::string& out, QString& error) {
        m_out = &out;
        m_error = &error;
        if (!(ChangeOf(document) & Restructured))
            return WriteKeptTopLevel(document);
        // The top level changed: each node read keeps the whitespace before it.
        size_t floor = 0;
        if (m_source.substr(0, 3) == "\xEF\xBB\xBF") {
            out += m_source.substr(0, 3);
            floor = 3;
        }
        size_t last = std::string_view::npos;
        for (const pugi::xml_node child : document.children()) {
            const auto [start, end] = SpanOf(child);
            if (start != std::string_view::npos) {
                size_t space = start;
                while (space > floor && IsSpace(m_source[space - 1]))
                    --space;
                out += m_source.substr(space, start - space);
            } else if (out.size() > floor) {
                out += XmlLineEnd(m_format);
            }
            if (!WriteNode(child, 0))
                return false;
            last = end;
        }
        out += last != std::string_view::npos ? m_source.substr(last) : XmlLineEnd(m_format);
        return true;
    }

private:
    struct Span {
        size_t start = std::string_view::npos;
        size_t end = std::string_view::npos;
    };

    uint8_t ChangeOf(pugi::xml_node node) const {
        const auto found = m_changes.find(node.internal_object());
        return found == m_changes.end() ? 0 : found->second;
    }

    // The element's place in the source; nothing for a new one.
    const XmlElementSpan* ElementSpan(pugi::xml_node node) const {
        const ptrdiff_t offset = node.offset_debug();
        if (offset < 1 || m_source.empty())
            return nullptr;
        const size_t start = static_cast<size_t>(offset) - 1;
        const auto found =
            std::lower_bound(m_elements.begin(), m_elements.end(), start,
                             [](const XmlElementSpan& span, size_t at) { return span.start < at; });
        return found != m_elements.end() && found->start == start ? &*found : nullptr;
    }

    Span MarkupSpan(size_t start) const {
        if (start >= m_source.size() || m_source[start] != '<')
            return {};
        return {start, XmlMarkupEnd(m_source, start)};
    }

    // Where a node read from the source stands in it.
    Span SpanOf(pugi::xml_node node) const {
        const ptrdiff_t offset = node.offset_debug();
        if (offset < 0 || m_source.empty())
            return {};
        const size_t at = static_cast<size_t>(offset);
        switch (node.type()) {
        case pugi::node_element:
            if (const XmlElementSpan* span = ElementSpan(node))
                return {span->start, span->end};
            return {};
        case pugi::node_pcdata: {
            const size_t end = m_source.find('<', at);
            return {at, end == std::string_view::npos ? m_source.size() : end};
        }
        case pugi::node_cdata:
            return at >= 9 ? MarkupSpan(at - 9) : Span();
        case pugi::node_comment:
            return at >= 4 ? MarkupSpan(at - 4) : Span();
        case pugi::node_pi:
        case pugi::node_declaration:
            return at >= 2 ? MarkupSpan(at - 2) : Span();
        case pugi::node_doctype: {
            const size_t open = m_source.rfind("<!", at);
            return open == std::string_view::npos ? Span() : MarkupSpan(open);
        }
        default:
            return {};
        }
    }

    // The same top-level nodes as read: what stands between them is copied.
    bool WriteKeptTopLevel(const pugi::xml_document& document) {
        size_t at = 0;
        for (const pugi::xml_node child : document.children()) {
            const auto [start, end] = SpanOf(child);
            if (start != std::string_view::npos && start >= at) {
                *m_out += m_source.substr(at, start - at);
                at = end;
            } else if (!m_out->empty()) {
                *m_out += XmlLineEnd(m_format);
            }
            if (!WriteNode(child, 0))
                return false;
        }
        *m_out += at > 0 ? m_source.substr(at) : XmlLineEnd(m_format);
        return true;
    }

    bool Raw(std::string_view utf8) { return AppendXmlRaw(*m_out, utf8, m_format, *m_error); }

    bool WriteNode(pugi::xml_node node, int depth) {
        if (!ChangeOf(node)) {
            const Span span = SpanOf(node);
            if (span.end != std::string_view::npos) {
                *m_out += m_source.substr(span.start, span.end - span.start);
                return true;
            }
        }
        switch (node.type()) {
        case pugi::node_element:
            return WriteElement(node, depth);
        case pugi::node_pcdata:
            AppendXmlText(*m_out, View(node.value()), m_format);
            return true;
        case pugi::node_cdata:
            return WriteCdata(View(node.value()));
        case pugi::node_comment:
            *m_out += "<!--";
            return Raw(View(node.value())) && Raw("-->");
        case pugi::node_pi:
            *m_out += "<?";
            return Raw(View(node.name())) && Raw(*node.value() ? " " : "") &&
                   Raw(View(node.value())) && Raw("?>");
        case pugi::node_declaration:
            *m_out += "<?xml";
            if (!WriteAttributes(node))
                return false;
            *m_out += "?>";
            return true;
        case pugi::node_doctype:
            *m_out += "<!DOCTYPE ";
            return Raw(View(node.value())) && Raw(">");
        default:
            return true;
        }
    }

    bool WriteCdata(std::string_view value) {
        // "]]>" would end the section: it is split across two.
        for (size_t split; (split = value.find("]]>")) != std::string_view::npos;) {
            *m_out += "<![CDATA[";
            if (!Raw(value.substr(0, split + 2)))
                return false;
            *m_out += "]]>";
            value.remove_prefix(split + 2);
        }
        *m_out += "<![CDATA[";
        return Raw(value) && Raw("]]>");
    }

    bool WriteAttributes(pugi::xml_node node) {
        for (const pugi::xml_attribute attribute : node.attributes()) {
            *m_out += ' ';
            if (!Raw(View(attribute.name())))
                return false;
            *m_out += "=\"";
            AppendXmlAttributeValue(*m_out, View(attribute.value()), m_format);
            *m_out += '"';
        }
        return true;
    }

    void Indent(int depth) {
        *m_out += XmlLineEnd(m_format);
        m_out->append(static_cast<size_t>(depth) * 2, ' ');
    }

    bool WriteElement(pugi::xml_node node, int depth) {
        const XmlElementSpan* span = ElementSpan(node);
        const bool hasChildren = bool(node.first_child());
        const bool endTag = span && !span->SelfClosing();
        if (span && !(ChangeOf(node) & Rewritten)) {
            if (endTag || !hasChildren) {
                *m_out += m_source.substr(span->start, span->tagEnd - span->start);
            } else {
                // An empty-element tag that now holds children.
                size_t close = span->tagEnd - 2;
                while (close > span->start && IsSpace(m_source[close - 1]))
                    --close;
                *m_out += m_source.substr(span->start, close - span->start);
                *m_out += '>';
            }
        } else {
            *m_out += '<';
            if (!Raw(View(node.name())) || !WriteAttributes(node))
                return false;
            *m_out += hasChildren || endTag ? ">" : "/>";
        }
        if (!hasChildren && !endTag)
            return true;
        // In a created document an element that holds only elements puts
        // each on a line of its own; in a read one, new content stays on
        // the line it is put into.
        bool lines = m_source.empty();
        for (const pugi::xml_node child : node.children())
            lines = lines && child.type() == pugi::node_element;
        for (const pugi::xml_node child : node.children()) {
            if (lines)
                Indent(depth + 1);
            if (!WriteNode(child, depth + 1))
                return false;
        }
        if (lines)
            Indent(depth);
        if (endTag) {
            *m_out += m_source.substr(span->endTag, span->end - span->endTag);
            return true;
        }
        *m_out += "</";
        *m_out += View(node.name());
        *m_out += '>';
        return true;
    }

    std::string_view m_source;
    const std::unordered_map<pugi::xml_node_struct*, uint8_t>& m_changes;
    const XmlOutputFormat& m_format;
    const std::vector<XmlElementSpan> m_elements;
    std::string* m_out = nullptr;
    QString* m_error = nullptr;
};

} // namespace

bool clsXMLParser::IsXmlName(QStringView name) {
    for (qsizetype at = 0; at < name.size(); ++at) {
        const bool first = at == 0;
        char32_t c = name[at].unicode();
        if (QChar::isHighSurrogate(c) && at + 1 < name.size() && name[at + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), name[++at].unicode());
        if (!(first ? IsNameStart(c) : IsNameCharacter(c)))
            return false;
    }
    return !name.isEmpty();
}

clsXMLParser::clsXMLParser() : m_document(std::make_unique<pugi::xml_document>()) {
    ResetStack();
}

clsXMLParser::~clsXMLParser() = default;

bool clsXMLParser::OpenFile(const QString& path) {
    try {
        mdlZorvObjects::LibraryText text;
        try {
            if (!mdlZorvObjects::Zorv_DecodeXMLFile(path, text)) {
                SetLastError(0, mdlZorvObjects::GetLastErrorText());
                return false;
            }
        } catch (const platform::ZorvError& error) {
            SetLastError(error.number(), error.description());
            return false;
        }
        auto document = std::make_unique<pugi::xml_document>();
        Layout layout;
        if (!LoadText(path, std::move(text), *document, layout))
            return false;
        ForgetAllNodes();
        m_document = std::move(document);
        m_layout = std::move(layout);
    } catch (const std::bad_alloc&) {
        SetLastError(0, "There is not enough memory to read the file \"" + path + "\".");
        return false;
    }
    m_bookmarkCounter = 0;
    ResetStack();
    FirstElementChild(m_document->document_element());
    return true;
}

bool clsXMLParser::LoadText(const QString& path, mdlZorvObjects::LibraryText file,
                            pugi::xml_document& document, Layout& layout) {
    // The parser writes into the bytes it reads: a save needs them as they were.
    const QByteArray bytes(file.data(), file.size());
    if (!WithinBudget(bytes)) {
        SetLastError(0, QStringLiteral("The file \"%1\" holds more than %2 elements, texts or "
                                       "attributes; a file this large is not read.")
                            .arg(path)
                            .arg(kMaxMarkup));
        return false;
    }
    const pugi::xml_parse_result result =
        document.load_buffer_inplace(file.data(), static_cast<size_t>(file.size()), kParseOptions);
    bool lossy = false;
    const QByteArray text = Utf8View(bytes, result.encoding, lossy);
    if (!result) {
        SetLastError(result.status,
                     ParseErrorText(QString::fromUtf8(result.description()), text, result.offset));
        return false;
    }
    int roots = 0;
    for (const pugi::xml_node child : document.children()) {
        if (IsElement(child) && ++roots > 1) {
            SetLastError(0, ParseErrorText(kOneRoot, text, child.offset_debug()));
            return false;
        }
        if (child.type() == pugi::node_declaration &&
            !IsWellFormedDeclaration(View(text), static_cast<size_t>(child.offset_debug() - 2))) {
            SetLastError(
                0, ParseErrorText("The XML declaration is malformed.", text, child.offset_debug()));
            return false;
        }
    }
    if (const qsizetype nul = FirstNulReference(text); nul >= 0) {
        SetLastError(0, ParseErrorText(
                            "The character reference \"" +
                                QString::fromUtf8(text.mid(nul, text.indexOf(';', nul) - nul + 1)) +
                                "\" stands for U+0000, which XML does not allow.",
                            text, nul));
        return false;
    }
    if (lossy) {
        // A save could not write such bytes back as they were read.
        SetLastError(0, "The file \"" + path +
                            "\" is not valid in its encoding (UTF-16 or UTF-32) and cannot be "
                            "read without changing its characters.");
        return false;
    }
    layout.encoding = result.encoding;
    if (result.encoding == pugi::encoding_utf8) {
        // The library reads every 8-bit encoding but ISO-8859-1 as UTF-8:
        // right only for ASCII.
        const QString declared = DeclaredEncoding(document);
        if (!declared.isEmpty() && !IsUnicodeEncodingName(declared)) {
            if (HasNonAscii(bytes)) {
                SetLastError(0,
                             "The document is declared in the encoding \"" + declared +
                                 "\", which cannot be read without changing its characters. "
                                 "Documents in UTF-8, UTF-16, UTF-32 or ISO-8859-1 can be read.");
                return false;
            }
            layout.asciiOnlyEncoding = declared;
        } else if (const qsizetype bad = FirstInvalidUtf8(bytes); bad >= 0) {
            // The library takes such bytes where they stand, but no save
            // could write them back as they were read.
            const QString value = QString::number(static_cast<unsigned char>(bytes[bad]), 16);
            SetLastError(0, ParseErrorText("The byte 0x" + value.toUpper() + " at offset " +
                                               QString::number(bad) +
                                               " is not valid UTF-8, the document's encoding.",
                                           text, bad));
            return false;
        }
    }
    layout.original = bytes;
    layout.text = text;
    layout.parsed = std::move(file);
    return true;
}

bool clsXMLParser::Serialise(QByteArray& bytes) {
    if (m_changes.empty() && !m_layout.original.isEmpty()) {
        bytes = m_layout.original;
        return true;
    }
    XmlOutputFormat format;
    format.encoding = m_layout.encoding;
    format.asciiOnlyEncoding = m_layout.asciiOnlyEncoding;
    // What is written anew takes the line end most lines have.
    format.crlf = !m_layout.text.isEmpty() && MostLinesEndInCrLf(m_layout.text);
    std::string out;
    QString error;
    if (!DocumentWriter(View(m_layout.text), m_changes, format).Write(*m_document, out, error)) {
        SetLastError(0, error);
        return false;
    }
    bytes = QByteArray(out.data(), static_cast<qsizetype>(out.size()));
    EncodeXmlOutput(bytes, format);
    return true;
}

bool clsXMLParser::SelectRoot() {
    return FirstElementChild(*m_document);
}

bool clsXMLParser::SelectNode(const QString& expression) {
    const pugi::xml_node node = FindNode(expression);
    if (!node)
        return false;
    m_cursor = node;
    return true;
}

bool clsXMLParser::PrevNode() {
    pugi::xml_node node = m_cursor.previous_sibling();
    while (node && !IsElement(node))
        node = node.previous_sibling();
    if (!node)
        return false;
    m_cursor = node;
    return true;
}

bool clsXMLParser::NextNode() {
    pugi::xml_node node = m_cursor.next_sibling();
    while (node && !IsElement(node))
        node = node.next_sibling();
    if (!node)
        return false;
    m_cursor = node;
    return true;
}

QString clsXMLParser::GetNodeValue() const {
    return NodeValue(m_cursor);
}

QString clsXMLParser::ChildElement::Value() const {
    return NodeValue(m_node);
}

void clsXMLParser::ChildElement::AppendValueUtf8(std::string& out) const {
    AppendNodeValueUtf8(m_node, out);
}

const char* clsXMLParser::ChildElement::AttrText(const char* name) const {
    // The names compared here rather than by the library, which calls
    // strcmp for each; past the last attribute the name is empty, which no
    // attribute's is.
    for (pugi::xml_attribute attribute = m_node.first_attribute();;
         attribute = attribute.next_attribute()) {
        const char* const own = attribute.name();
        if (!*own)
            return own;
        if (SameBytes(own, name))
            return attribute.value();
    }
}

std::string_view clsXMLParser::ChildElement::ValueUtf8(std::string& scratch) const {
    if (const char* single = SingleValueText())
        return single;
    scratch.clear();
    AppendNodeValueUtf8(m_node, scratch);
    return scratch;
}

const char* clsXMLParser::ChildElement::SingleValueText() const {
    const pugi::xml_node only = OnlyText(m_node);
    return only ? only.value() : nullptr;
}

QString clsXMLParser::NodeValue(pugi::xml_node node) {
    if (const pugi::xml_node only = OnlyText(node))
        return TextFromUtf8(only.value());
    std::string value;
    AppendNodeValueUtf8(node, value);
    return QString::fromUtf8(value);
}

// The text children joined by blanks.
void clsXMLParser::AppendNodeValueUtf8(pugi::xml_node node, std::string& out) {
    if (const pugi::xml_node only = OnlyText(node)) {
        out += only.value();
        return;
    }
    bool first = true;
    VisitContentTexts(node, [&](pugi::xml_node text) {
        if (!first)
            out += ' ';
        out += text.value();
        first = false;
    });
}

QString clsXMLParser::GetNodeAttr(const QVariant& key) const {
    const pugi::xml_attribute attribute = GetAttrNode(key);
    return attribute ? QString::fromUtf8(attribute.value()) : QString();
}

int32_t clsXMLParser::GetNodeAttrCount() const {
    int32_t count = 0;
    for (pugi::xml_attribute attribute = m_cursor.first_attribute(); attribute;
         attribute = attribute.next_attribute())
        ++count;
    return count;
}

QString clsXMLParser::GetAttrName(const QVariant& key) const {
    const pugi::xml_attribute attribute = GetAttrNode(key);
    return attribute ? QString::fromUtf8(attribute.name()) : QString();
}

QByteArrayView clsXMLParser::GetNodeNameUtf8() const {
    return IsElement(m_cursor) ? QByteArrayView(m_cursor.name()) : QByteArrayView();
}

QString clsXMLParser::GetNodeName() const {
    switch (m_cursor.type()) {
    case pugi::node_null:
        return {};
    case pugi::node_document:
        return QStringLiteral("#document");
    case pugi::node_pcdata:
        return QStringLiteral("#text");
    case pugi::node_cdata:
        return QStringLiteral("#cdata-section");
    case pugi::node_comment:
        return QStringLiteral("#comment");
    default:
        return QString::fromUtf8(m_cursor.name());
    }
}

bool clsXMLParser::Down() {
    const pugi::xml_node previous = m_cursor;
    if (FirstElementChild(m_cursor))
        return true;
    m_cursor = previous;
    return false;
}

bool clsXMLParser::up() {
    const pugi::xml_node previous = m_cursor;
    if (ParentElement(m_cursor))
        return true;
    m_cursor = previous;
    return false;
}

void clsXMLParser::Unload() {
    ForgetAllNodes();
    m_document = std::make_unique<pugi::xml_document>();
    m_layout = Layout();
}

void clsXMLParser::Push() {
    ++m_top;
    if (m_top >= m_capacity)
        GrowStack(kStackStep);
    m_stack[m_top] = m_cursor;
}

void clsXMLParser::Pop() {
    if (m_top < 0)
        return;
    m_cursor = m_stack[m_top];
    m_stack[m_top] = pugi::xml_node();
    --m_top;
}

bool clsXMLParser::SetNodeAttr(const QVariant& key, const QVariant& value) {
    if (!IsElement(m_cursor)) {
        SetLastError(0, "No element is selected.");
        return false;
    }
    pugi::xml_attribute attribute = GetAttrNode(key);
    const QString name = attribute ? QString::fromUtf8(attribute.name()) : key.toString();
    if (!attribute) {
        if (!IsNameKey(key)) {
            SetLastError(0, "No attribute at position " + key.toString() + ".");
            return false;
        }
        if (!IsXmlName(name)) {
            SetLastError(0, "Invalid attribute name \"" + name + "\".");
            return false;
        }
    }
    const QString text = value.toString();
    if (!CanHold(text, "The value of the attribute \"" + name + "\""))
        return false;
    if (!attribute)
        attribute = m_cursor.append_attribute(name.toStdString().c_str());
    MarkRewritten(m_cursor);
    return attribute.set_value(text.toStdString().c_str());
}

bool clsXMLParser::SetNodeValue(const QVariant& text) {
    if (!IsElement(m_cursor)) {
        SetLastError(0, "No element is selected.");
        return false;
    }
    return SetNodeText(m_cursor, text.toString());
}

bool clsXMLParser::SaveToFile(const QString& path, int32_t fileType) {
    if (!m_document->document_element()) {
        SetLastError(0, "The document has no root element.");
        return false;
    }
    try {
        QByteArray bytes;
        if (!Serialise(bytes))
            return false;
        if (!mdlZorvObjects::Zorv_EncodeXMLFile(path, QVariant(bytes), fileType)) {
            SetLastError(0, mdlZorvObjects::GetLastErrorText());
            return false;
        }
    } catch (const platform::ZorvError& error) {
        SetLastError(error.number(), error.description());
        return false;
    } catch (const std::bad_alloc&) {
        SetLastError(0, "There is not enough memory to save the file \"" + path + "\".");
        return false;
    }
    return true;
}

bool clsXMLParser::InsertNodeBefore(const QString& name, int32_t bookmark, const QVariant& text) {
    const pugi::xml_node before = GetBookmarkNode(bookmark);
    if (!before) {
        SetLastError(0, "Invalid bookmark");
        return false;
    }
    if (!m_cursor || before.parent() != m_cursor) {
        SetLastError(0, "The bookmarked node is not a child of the current node.");
        return false;
    }
    if (!CanHold(text.toString(), QStringLiteral("The text")))
        return false;
    const pugi::xml_node element = NewElement(m_cursor, before, name);
    return element && SetNodeText(element, text.toString());
}

bool clsXMLParser::CreateNode(const QString& name, const QVariant& text,
                              const QString& namespaceURI) {
    const QString prefix = Prefix(name);
    if (!prefix.isEmpty() && namespaceURI.isEmpty()) {
        SetLastError(0, "The prefix of \"" + name + "\" has no namespace.");
        return false;
    }
    if (text.isValid() && !CanHold(text.toString(), QStringLiteral("The text")))
        return false;
    pugi::xml_node element = NewElement(m_cursor, pugi::xml_node(), name);
    if (!element)
        return false;
    if (NamespaceOf(m_cursor, prefix) != namespaceURI)
        element.append_attribute(XmlnsName(prefix).toStdString().c_str())
            .set_value(namespaceURI.toStdString().c_str());
    m_cursor = element;
    return !text.isValid() || SetNodeText(element, text.toString());
}

QString clsXMLParser::GetNodeNamespace() const {
    if (!IsElement(m_cursor))
        return {};
    return NamespaceOf(m_cursor, Prefix(QString::fromUtf8(m_cursor.name())));
}

bool clsXMLParser::DeleteNode(const QString& expression) {
    bool invalid = false;
    const pugi::xml_node node = FindNode(expression, &invalid);
    if (!node) {
        if (!invalid)
            SetLastError(0, "No node matches \"" + expression + "\".");
        return false;
    }
    pugi::xml_node parent = node.parent();
    if (!parent) {
        SetLastError(0, "Node doesn't have parent.");
        return false;
    }
    // An element between two runs of indentation takes one of them along,
    // so no blank line is left where it stood.
    const pugi::xml_node indent = node.previous_sibling();
    const bool dropIndent =
        IsElement(node) && IsBlankText(indent) && IsBlankText(node.next_sibling());
    ForgetNode(node);
    MarkRestructured(parent);
    parent.remove_child(node);
    if (dropIndent) {
        ForgetNode(indent);
        parent.remove_child(indent);
    }
    return true;
}

bool clsXMLParser::CreateDocument(const QString& rootName, const QString& namespaceURI) {
    const QString prefix = Prefix(rootName);
    if (!IsXmlName(rootName) || (!prefix.isEmpty() && namespaceURI.isEmpty())) {
        SetLastError(0, "Invalid element name \"" + rootName + "\".");
        return false;
    }
    auto document = std::make_unique<pugi::xml_document>();
    pugi::xml_node declaration = document->append_child(pugi::node_declaration);
    declaration.append_attribute("version").set_value("1.0");
    declaration.append_attribute("encoding").set_value("UTF-8");
    pugi::xml_node root = document->append_child(rootName.toStdString().c_str());
    if (!namespaceURI.isEmpty())
        root.append_attribute(XmlnsName(prefix).toStdString().c_str())
            .set_value(namespaceURI.toStdString().c_str());
    ForgetAllNodes();
    m_document = std::move(document);
    m_layout = Layout();
    m_cursor = root;
    return true;
}

int32_t clsXMLParser::AddBookmark() {
    if (!m_cursor)
        return 0;
    ++m_bookmarkCounter;
    m_bookmarks.resize(static_cast<size_t>(m_bookmarkCounter) + 1);
    m_bookmarks[static_cast<size_t>(m_bookmarkCounter)] = m_cursor;
    int32_t& first = m_bookmarkOfNode[m_cursor.internal_object()];
    if (first == 0)
        first = m_bookmarkCounter;
    else
        m_moreBookmarksOfNode.emplace(m_cursor.internal_object(), m_bookmarkCounter);
    return m_bookmarkCounter;
}

void clsXMLParser::ReserveBookmarks(int32_t count) {
    if (count <= 0)
        return;
    m_bookmarks.reserve(static_cast<size_t>(m_bookmarkCounter) + 1 + static_cast<size_t>(count));
    m_bookmarkOfNode.reserve(m_bookmarkOfNode.size() + count);
}

bool clsXMLParser::RemoveBookmark(int32_t bookmark) {
    const pugi::xml_node node = GetBookmarkNode(bookmark);
    if (!node)
        return false;
    ForgetBookmarkOfNode(node.internal_object(), bookmark);
    m_bookmarks[static_cast<size_t>(bookmark)] = pugi::xml_node();
    return true;
}

bool clsXMLParser::SelectBookmark(int32_t bookmark) {
    const pugi::xml_node node = GetBookmarkNode(bookmark);
    if (!node) {
        // Callers append the last error to their own message.
        SetLastError(0, "Invalid bookmark.");
        return false;
    }
    m_cursor = node;
    return true;
}

bool clsXMLParser::DeleteNodeAttr(const QVariant& key) {
    const pugi::xml_attribute attribute = GetAttrNode(key);
    if (!attribute)
        return false;
    MarkRewritten(m_cursor);
    return m_cursor.remove_attribute(attribute);
}

bool clsXMLParser::MoveNode(int32_t source, int32_t target, bool asChild) {
    const pugi::xml_node node = GetBookmarkNode(source);
    const pugi::xml_node to = GetBookmarkNode(target);
    if (!node || !to) {
        SetLastError(0, "Invalid bookmark.");
        return false;
    }
    if (!node.parent() || !to.parent()) {
        SetLastError(0, "Node doesn't have parent.");
        return false;
    }
    if (!asChild && node == to)
        return true;
    pugi::xml_node parent = asChild ? to : to.parent();
    if (IsElement(node) && !CanTakeElement(parent, node))
        return false;
    MarkRestructured(node.parent());
    MarkRestructured(parent);
    const pugi::xml_node moved =
        asChild ? parent.append_move(node) : parent.insert_move_before(node, to);
    if (!moved) {
        SetLastError(0, "The node cannot be moved into itself or there.");
        return false;
    }
    return true;
}

void clsXMLParser::GrowStack(int32_t count) {
    m_stack.resize(static_cast<size_t>(m_capacity + count));
    m_capacity += count;
}

void clsXMLParser::ResetStack() {
    m_stack.clear();
    m_top = -1;
    m_capacity = 0;
    GrowStack(kStackStep);
}

bool clsXMLParser::FirstElementChild(pugi::xml_node node) {
    pugi::xml_node candidate = node.first_child();
    while (candidate && !IsElement(candidate))
        candidate = candidate.next_sibling();
    m_cursor = candidate;
    return bool(candidate);
}

bool clsXMLParser::ParentElement(pugi::xml_node node) {
    pugi::xml_node candidate = node.parent();
    while (candidate && !IsElement(candidate))
        candidate = candidate.previous_sibling();
    m_cursor = candidate;
    return bool(candidate);
}

void clsXMLParser::SetLastError(int32_t, const QString& text) {
    m_lastError = text;
}

pugi::xml_node clsXMLParser::FindNode(const QString& expression, bool* invalid) {
    const pugi::xml_node context =
        expression.startsWith(u'/') ? pugi::xml_node(*m_document) : m_cursor;
    if (!context)
        return {};
    try {
        const pugi::xpath_query query(expression.toStdString().c_str());
        return query.evaluate_node(context).node();
    } catch (const pugi::xpath_exception& error) {
        SetLastError(0, "Invalid expression \"" + expression + "\": " + error.what());
    } catch (const std::bad_alloc&) {
        SetLastError(0, "Out of memory evaluating \"" + expression + "\".");
    }
    if (invalid)
        *invalid = true;
    return {};
}

pugi::xml_attribute clsXMLParser::GetAttrNode(const QVariant& key) const {
    pugi::xml_attribute attribute = m_cursor.first_attribute();
    if (IsNameKey(key)) {
        const QString name = key.toString();
        while (attribute && !SameName(attribute.name(), name))
            attribute = attribute.next_attribute();
        return attribute;
    }
    bool number = false;
    const int position = key.toInt(&number);
    if (!number || position < 1)
        return {};
    for (int i = 1; attribute && i < position; ++i)
        attribute = attribute.next_attribute();
    return attribute;
}

bool clsXMLParser::SetNodeText(pugi::xml_node node, const QString& text) {
    if (!CanHold(text, QStringLiteral("The text")))
        return false;
    MarkTouched(node);
    const std::string value = text.toStdString();
    // Plain whitespace beside child elements would read back as layout, so
    // such a text is kept in a CDATA section.
    const pugi::xml_node_type type =
        !value.empty() && IsBlank(value.c_str()) && HasElementChild(node) ? pugi::node_cdata
                                                                          : pugi::node_pcdata;
    bool placed = value.empty();
    bool written = true;
    VisitContentTexts(node, [&](pugi::xml_node child) {
        if (!placed) {
            placed = true;
            if (child.type() == pugi::node_cdata || type == pugi::node_pcdata) {
                MarkRewritten(child);
                written = child.set_value(value.c_str());
                return;
            }
            written = node.insert_child_before(type, child).set_value(value.c_str());
        }
        ForgetNode(child);
        node.remove_child(child);
    });
    if (!placed) {
        // A text put right after layout whitespace would read back joined
        // to it, so the whitespace goes.
        const pugi::xml_node last = node.last_child();
        if (type == pugi::node_pcdata && IsBlankText(last)) {
            ForgetNode(last);
            node.remove_child(last);
        }
        written = node.append_child(type).set_value(value.c_str());
    }
    if (!written)
        SetLastError(0, "The text could not be set.");
    return written;
}

pugi::xml_node clsXMLParser::GetBookmarkNode(int32_t bookmark) const {
    return bookmark > 0 && static_cast<size_t>(bookmark) < m_bookmarks.size()
               ? m_bookmarks[static_cast<size_t>(bookmark)]
               : pugi::xml_node();
}

bool clsXMLParser::CanTakeElement(pugi::xml_node parent, pugi::xml_node element) {
    if (IsElement(parent))
        return true;
    if (parent.type() != pugi::node_document) {
        SetLastError(0, "Only an element can hold child elements.");
        return false;
    }
    pugi::xml_node root = parent.first_child();
    while (root && !IsElement(root))
        root = root.next_sibling();
    if (root && root != element) {
        SetLastError(0, kOneRoot);
        return false;
    }
    return true;
}

pugi::xml_node clsXMLParser::NewElement(pugi::xml_node parent, pugi::xml_node before,
                                        const QString& name) {
    if (!IsXmlName(name)) {
        SetLastError(0, "Invalid element name \"" + name + "\".");
        return {};
    }
    if (!CanTakeElement(parent))
        return {};
    MarkRestructured(parent);
    const std::string utf8 = name.toStdString();
    if (before)
        return parent.insert_child_before(utf8.c_str(), before);
    // In an indented parent the new last child gets the indentation of the
    // element before it and stays ahead of the closing indentation.
    const pugi::xml_node closing = parent.last_child();
    const pugi::xml_node previous = closing.previous_sibling();
    const pugi::xml_node indent = previous.previous_sibling();
    if (IsBlankText(closing) && IsElement(previous) && IsBlankText(indent)) {
        const pugi::xml_node element = parent.insert_child_before(utf8.c_str(), closing);
        parent.insert_child_before(pugi::node_pcdata, element).set_value(indent.value());
        return element;
    }
    return parent.append_child(utf8.c_str());
}

void clsXMLParser::ForgetNode(pugi::xml_node node) {
    const pugi::xml_node parent = node.parent();
    const pugi::xml_node replacement = IsElement(parent) ? parent : pugi::xml_node();
    const auto inside = [node](pugi::xml_node reference) {
        for (; reference; reference = reference.parent())
            if (reference == node)
                return true;
        return false;
    };
    if (inside(m_cursor))
        m_cursor = replacement;
    for (int32_t i = 0; i <= m_top; ++i)
        if (inside(m_stack[i]))
            m_stack[i] = replacement;
    if (m_bookmarkOfNode.isEmpty())
        return;
    // Walk the subtree in document order, dropping every node's bookmarks.
    for (pugi::xml_node walk = node; walk;) {
        const auto first = m_bookmarkOfNode.constFind(walk.internal_object());
        if (first != m_bookmarkOfNode.cend()) {
            m_bookmarks[static_cast<size_t>(*first)] = pugi::xml_node();
            m_bookmarkOfNode.erase(first);
            const auto [more, last] = m_moreBookmarksOfNode.equal_range(walk.internal_object());
            for (auto it = more; it != last; ++it)
                m_bookmarks[static_cast<size_t>(it->second)] = pugi::xml_node();
            m_moreBookmarksOfNode.erase(more, last);
        }
        if (walk.first_child()) {
            walk = walk.first_child();
            continue;
        }
        while (walk != node && !walk.next_sibling())
            walk = walk.parent();
        walk = walk == node ? pugi::xml_node() : walk.next_sibling();
    }
}

void clsXMLParser::ForgetBookmarkOfNode(pugi::xml_node_struct* node, int32_t bookmark) {
    const auto [more, last] = m_moreBookmarksOfNode.equal_range(node);
    const auto first = m_bookmarkOfNode.find(node);
    if (first == m_bookmarkOfNode.end())
        return;
    if (*first != bookmark) {
        for (auto it = more; it != last; ++it) {
            if (it->second == bookmark) {
                m_moreBookmarksOfNode.erase(it);
                return;
            }
        }
        return;
    }
    // Another bookmark of the node takes the first place.
    if (more != last) {
        *first = more->second;
        m_moreBookmarksOfNode.erase(more);
    } else {
        m_bookmarkOfNode.erase(first);
    }
}

void clsXMLParser::ForgetAllNodes() {
    m_cursor = pugi::xml_node();
    for (int32_t i = 0; i <= m_top; ++i)
        m_stack[i] = pugi::xml_node();
    m_bookmarks.clear();
    m_bookmarkOfNode.clear();
    m_moreBookmarksOfNode.clear();
    m_changes.clear();
}

void clsXMLParser::MarkTouched(pugi::xml_node node) {
    for (; node; node = node.parent()) {
        uint8_t& change = m_changes[node.internal_object()];
        if (change & Touched)
            return;
        change |= Touched;
    }
}

void clsXMLParser::MarkRestructured(pugi::xml_node node) {
    m_changes[node.internal_object()] |= Restructured;
    MarkTouched(node);
}

void clsXMLParser::MarkRewritten(pugi::xml_node node) {
    m_changes[node.internal_object()] |= Rewritten;
    MarkTouched(node);
}

QString clsXMLParser::Unwritable(QStringView text, const QString& what) {
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar c = text[at];
        if (c.isNull())
            return what + " holds the character U+0000, which an XML document cannot hold.";
        if (!c.isSurrogate())
            continue;
        if (c.isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate())
            ++at;
        else
            return what + " holds half of a character (U+" +
                   QString::number(c.unicode(), 16).toUpper() + ").";
    }
    return {};
}

bool clsXMLParser::CanHold(const QString& text, const QString& what) {
    const QString why = Unwritable(text, what);
    if (!why.isEmpty())
        SetLastError(0, why);
    return why.isEmpty();
}
