#include "gamefiles/XmlOutputEncoding.h"

#include <QStringEncoder>

#include <string>

namespace {

// Where a character stands in the printed text: only in text and attribute
// values may a character reference replace it.
enum class Context { Text, Tag, Value, Raw };

constexpr char32_t kNoLimit = 0x10FFFF;

char32_t Limit(pugi::xml_encoding encoding) {
    return encoding == pugi::encoding_latin1 ? 0xFF : kNoLimit;
}

const char* EncodingName(pugi::xml_encoding encoding) {
    return encoding == pugi::encoding_latin1 ? "ISO-8859-1" : "UTF-8";
}

// The code point of the UTF-8 sequence at `at`, and its length. A byte that
// starts no valid sequence stands for itself.
char32_t Decode(std::string_view text, size_t at, size_t& length) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (lead < 0x80 || at + length > text.size()) {
        length = 1;
        return lead;
    }
    char32_t code = lead & (0x3F >> (length - 1));
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            length = 1;
            return lead;
        }
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    return code;
}

class OutputScanner {
public:
    OutputScanner(std::string_view in, const XmlOutputFormat& format)
        : m_in(in), m_crlf(format.crlf), m_limit(Limit(format.encoding)),
          m_encoding(format.encoding) {}

    bool Run(std::string& out, QString& error) {
        out.reserve(m_in.size() + m_in.size() / 16);
        for (size_t at = 0; at < m_in.size();) {
            const char c = m_in[at];
            if (c == '\n') {
                out += m_crlf ? "\r\n" : "\n";
                ++at;
            } else if (c == '\r') {
                at = CarriageReturn(at, out);
            } else if (static_cast<unsigned char>(c) >= 0x80) {
                size_t length = 0;
                const char32_t code = Decode(m_in, at, length);
                if (code > m_limit && !Reference(code, out, error))
                    return false;
                if (code <= m_limit)
                    out.append(m_in.substr(at, length));
                at += length;
            } else {
                Advance(at);
                out += c;
                ++at;
            }
        }
        return true;
    }

private:
    bool InText() const { return m_context == Context::Text || m_context == Context::Value; }

    size_t CarriageReturn(size_t at, std::string& out) const {
        if (InText()) {
            out += "&#13;";
            return at + 1;
        }
        // Raw content keeps its own line ends as they are.
        if (at + 1 < m_in.size() && m_in[at + 1] == '\n') {
            out += "\r\n";
            return at + 2;
        }
        out += '\r';
        return at + 1;
    }

    bool Reference(char32_t code, std::string& out, QString& error) const {
        if (InText()) {
            out += "&#" + std::to_string(code) + ";";
            return true;
        }
        error = QStringLiteral("The document's encoding %1 cannot hold the character \"%2\" "
                               "(U+%3) where it stands: a name, comment, CDATA section or "
                               "processing instruction takes no character reference.")
                    .arg(QString::fromLatin1(EncodingName(m_encoding)), QString::fromUcs4(&code, 1),
                         QString::number(code, 16).toUpper().rightJustified(4, u'0'));
        return false;
    }

    bool StartsAt(size_t at, std::string_view prefix) const {
        return m_in.substr(at, prefix.size()) == prefix;
    }

    // Follows the markup at an ASCII character, before it is copied.
    void Advance(size_t at) {
        const char c = m_in[at];
        switch (m_context) {
        case Context::Text:
            if (c != '<')
                return;
            if (StartsAt(at, "<!--"))
                EnterRaw("-->");
            else if (StartsAt(at, "<![CDATA["))
                EnterRaw("]]>");
            else if (StartsAt(at, "<?"))
                EnterRaw("?>");
            else if (StartsAt(at, "<!"))
                EnterRaw(">");
            else
                m_context = Context::Tag;
            return;
        case Context::Tag:
            if (c == '"' || c == '\'') {
                m_quote = c;
                m_context = Context::Value;
            } else if (c == '>') {
                m_context = Context::Text;
            }
            return;
        case Context::Value:
            if (c == m_quote)
                m_context = Context::Tag;
            return;
        case Context::Raw:
            AdvanceRaw(at);
            return;
        }
    }

    void EnterRaw(std::string_view end) {
        m_context = Context::Raw;
        m_rawEnd = end;
        m_rawStart = true;
        m_depth = 0;
        m_quote = 0;
    }

    // A doctype ends at the ">" outside its brackets and quotes; the other
    // raw sections at their closing sequence.
    void AdvanceRaw(size_t at) {
        const bool start = m_rawStart;
        m_rawStart = false;
        const char c = m_in[at];
        if (m_rawEnd == ">") {
            if (start)
                return;
            if (m_quote) {
                if (c == m_quote)
                    m_quote = 0;
            } else if (c == '"' || c == '\'') {
                m_quote = c;
            } else if (c == '[') {
                ++m_depth;
            } else if (c == ']') {
                --m_depth;
            } else if (c == '>' && m_depth <= 0) {
                m_context = Context::Text;
            }
            return;
        }
        if (!start && c == m_rawEnd.back() && at + 1 >= m_rawEnd.size() &&
            m_in.substr(at + 1 - m_rawEnd.size(), m_rawEnd.size()) == m_rawEnd)
            m_context = Context::Text;
    }

    std::string_view m_in;
    bool m_crlf;
    char32_t m_limit;
    pugi::xml_encoding m_encoding;
    Context m_context = Context::Text;
    std::string_view m_rawEnd;
    bool m_rawStart = false;
    int m_depth = 0;
    char m_quote = 0;
};

bool HasWideCharacter(std::string_view utf8, char32_t limit) {
    if (limit == kNoLimit)
        return false;
    for (size_t at = 0; at < utf8.size();) {
        size_t length = 0;
        if (Decode(utf8, at, length) > limit)
            return true;
        at += length;
    }
    return false;
}

QStringConverter::Encoding QtEncoding(pugi::xml_encoding encoding) {
    switch (encoding) {
    case pugi::encoding_utf16_le:
        return QStringConverter::Utf16LE;
    case pugi::encoding_utf16_be:
        return QStringConverter::Utf16BE;
    case pugi::encoding_utf32_le:
        return QStringConverter::Utf32LE;
    case pugi::encoding_utf32_be:
        return QStringConverter::Utf32BE;
    case pugi::encoding_latin1:
        return QStringConverter::Latin1;
    default:
        return QStringConverter::Utf8;
    }
}

} // namespace

bool EncodeXmlOutput(QByteArray& text, const XmlOutputFormat& format, QString& error) {
    std::string_view utf8(text.constData(), static_cast<size_t>(text.size()));
    std::string scanned;
    const bool plain = utf8.find('\r') == std::string_view::npos && !format.crlf &&
                       !HasWideCharacter(utf8, Limit(format.encoding));
    if (!plain) {
        if (!OutputScanner(utf8, format).Run(scanned, error))
            return false;
        utf8 = scanned;
    }
    const QStringConverter::Encoding encoding = QtEncoding(format.encoding);
    if (encoding == QStringConverter::Utf8) {
        if (!plain)
            text = QByteArray(utf8.data(), static_cast<qsizetype>(utf8.size()));
        if (format.bom)
            text.prepend("\xEF\xBB\xBF");
        return true;
    }
    QStringEncoder encoder(encoding, format.bom ? QStringConverter::Flag::WriteBom
                                                : QStringConverter::Flag::Default);
    text = encoder.encode(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    return true;
}
