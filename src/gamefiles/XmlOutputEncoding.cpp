#include "gamefiles/XmlOutputEncoding.h"

#include <QStringEncoder>

namespace {

constexpr char32_t kNoLimit = 0x10FFFF;

char32_t Limit(const XmlOutputFormat& format) {
    if (!format.asciiOnlyEncoding.isEmpty())
        return 0x7F;
    return format.encoding == pugi::encoding_latin1 ? 0xFF : kNoLimit;
}

QString EncodingName(const XmlOutputFormat& format) {
    if (!format.asciiOnlyEncoding.isEmpty())
        return format.asciiOnlyEncoding;
    return format.encoding == pugi::encoding_latin1 ? QStringLiteral("ISO-8859-1")
                                                    : QStringLiteral("UTF-8");
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

void AppendReference(std::string& out, char32_t code) {
    out += "&#";
    out += std::to_string(code);
    out += ';';
}

// Escapes a text (quote 0) or a value between double quotes.
void AppendEscaped(std::string& out, std::string_view utf8, const XmlOutputFormat& format,
                   bool value) {
    const char32_t limit = Limit(format);
    out.reserve(out.size() + utf8.size());
    for (size_t at = 0; at < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[at]);
        if (c >= 0x80) {
            size_t length = 0;
            const char32_t code = Decode(utf8, at, length);
            if (code > limit)
                AppendReference(out, code);
            else
                out.append(utf8.substr(at, length));
            at += length;
            continue;
        }
        ++at;
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += value ? "&quot;" : "\"";
            break;
        case '\n':
            // A value reads a raw line end as a blank.
            if (value)
                out += "&#10;";
            else
                out += XmlLineEnd(format);
            break;
        case '\t':
            if (value)
                out += "&#9;";
            else
                out += '\t';
            break;
        default:
            if (c < 0x20)
                AppendReference(out, c);
            else
                out += static_cast<char>(c);
        }
    }
}

} // namespace

std::string_view XmlLineEnd(const XmlOutputFormat& format) {
    return format.crlf ? "\r\n" : "\n";
}

void AppendXmlText(std::string& out, std::string_view utf8, const XmlOutputFormat& format) {
    AppendEscaped(out, utf8, format, false);
}

void AppendXmlAttributeValue(std::string& out, std::string_view utf8,
                             const XmlOutputFormat& format) {
    AppendEscaped(out, utf8, format, true);
}

bool AppendXmlRaw(std::string& out, std::string_view utf8, const XmlOutputFormat& format,
                  QString& error) {
    const char32_t limit = Limit(format);
    if (limit != kNoLimit) {
        for (size_t at = 0; at < utf8.size();) {
            size_t length = 0;
            const char32_t code = Decode(utf8, at, length);
            if (code > limit) {
                error =
                    QStringLiteral("The document's encoding %1 cannot hold the character \"%2\" "
                                   "(U+%3) where it stands: a name, comment, CDATA section or "
                                   "processing instruction takes no character reference.")
                        .arg(EncodingName(format), QString::fromUcs4(&code, 1),
                             QString::number(code, 16).toUpper().rightJustified(4, u'0'));
                return false;
            }
            at += length;
        }
    }
    out.append(utf8);
    return true;
}

void EncodeXmlOutput(QByteArray& text, const XmlOutputFormat& format) {
    QStringConverter::Encoding encoding = QStringConverter::Utf8;
    switch (format.encoding) {
    case pugi::encoding_utf16_le:
        encoding = QStringConverter::Utf16LE;
        break;
    case pugi::encoding_utf16_be:
        encoding = QStringConverter::Utf16BE;
        break;
    case pugi::encoding_utf32_le:
        encoding = QStringConverter::Utf32LE;
        break;
    case pugi::encoding_utf32_be:
        encoding = QStringConverter::Utf32BE;
        break;
    case pugi::encoding_latin1:
        encoding = QStringConverter::Latin1;
        break;
    default:
        return;
    }
    // A byte order mark read with the document is a character of its text.
    QStringEncoder encoder(encoding, QStringConverter::Flag::Default);
    text = encoder.encode(QString::fromUtf8(text));
}
