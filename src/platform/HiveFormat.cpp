#include "platform/HiveFormat.h"

#include "platform/HexDigit.h"

#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace platform {
namespace {

const QString kHeader = QStringLiteral("ZORV-REGISTRY 1");

bool isControl(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

// Reads the parts of one line from left to right.
class LineReader {
public:
    explicit LineReader(QStringView line) : m_line(line) {}

    bool atEnd() const { return m_pos >= m_line.size(); }

    bool take(QStringView literal) {
        if (!m_line.sliced(m_pos).startsWith(literal))
            return false;
        m_pos += literal.size();
        return true;
    }

    std::optional<uint32_t> hex8() {
        if (m_line.size() - m_pos < 8)
            return std::nullopt;
        uint32_t number = 0;
        for (int i = 0; i < 8; ++i) {
            const int digit = hexDigitValue(m_line[m_pos + i]);
            if (digit < 0)
                return std::nullopt;
            number = number << 4 | static_cast<uint32_t>(digit);
        }
        m_pos += 8;
        return number;
    }

    // A text in double quotation marks with its escapes undone.
    std::optional<QString> quoted(QString& error) {
        if (!take(u"\""))
            return fail(error, QStringLiteral("a text must start with a quotation mark"));
        QString text;
        while (!atEnd()) {
            const QChar c = m_line[m_pos++];
            if (c == u'"')
                return text;
            if (isControl(c))
                return fail(error, QStringLiteral("a control character inside a text"));
            if (c != u'\\') {
                text += c;
                continue;
            }
            if (atEnd())
                break;
            const QChar escaped = m_line[m_pos++];
            switch (escaped.unicode()) {
            case u'\\':
            case u'"':
                text += escaped;
                break;
            case u'n':
                text += u'\n';
                break;
            case u'r':
                text += u'\r';
                break;
            case u't':
                text += u'\t';
                break;
            case u'u': {
                if (m_line.size() - m_pos < 4)
                    return fail(error, QStringLiteral("\\u needs four hexadecimal digits"));
                char16_t unit = 0;
                for (int i = 0; i < 4; ++i) {
                    const int digit = hexDigitValue(m_line[m_pos++]);
                    if (digit < 0)
                        return fail(error, QStringLiteral("\\u needs four hexadecimal digits"));
                    unit = static_cast<char16_t>(unit << 4 | digit);
                }
                text += QChar(unit);
                break;
            }
            default:
                return fail(error, QStringLiteral("an unknown escape \\%1").arg(escaped));
            }
        }
        return fail(error, QStringLiteral("a text is not closed"));
    }

private:
    static std::optional<QString> fail(QString& error, const QString& why) {
        error = why;
        return std::nullopt;
    }

    QStringView m_line;
    qsizetype m_pos = 0;
};

QString quote(const QString& text) {
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool pairStart =
            c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        if (pairStart) {
            out += c;
            out += text[++i];
        } else if (c == u'\\' || c == u'"') {
            out += u'\\';
            out += c;
        } else if (c == u'\n') {
            out += QStringLiteral("\\n");
        } else if (c == u'\r') {
            out += QStringLiteral("\\r");
        } else if (c == u'\t') {
            out += QStringLiteral("\\t");
        } else if (isControl(c) || c.isSurrogate()) {
            // A lone surrogate has no UTF-8 form: keep it as its code unit.
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        } else {
            out += c;
        }
    }
    out += u'"';
    return out;
}

void writeKey(QString& out, const HiveNode& node, const QString& path, bool isRoot) {
    if (!isRoot || !node.values.isEmpty())
        out += u'[' + path + QStringLiteral("]\n");
    for (int i = 1; i <= node.values.count(); ++i) {
        const QString name = node.values.keyAt(i);
        const RegValue& value = *node.values.at(i);
        out += name.isEmpty() ? QStringLiteral("@") : quote(name);
        if (value.type == REG_DWORD)
            out += QStringLiteral("=dword:%1\n")
                       .arg(static_cast<uint32_t>(value.number), 8, 16, QLatin1Char('0'));
        else
            out += QStringLiteral("=sz:") + quote(value.text) + u'\n';
    }
    for (int i = 1; i <= node.keys.count(); ++i) {
        const QString name = node.keys.keyAt(i);
        writeKey(out, *node.keys.at(i), path.isEmpty() ? name : path + u'\\' + name, false);
    }
}

class HiveParser {
public:
    HiveParse parse(const QString& text) {
        const QStringList lines = text.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QStringView line = lines[i];
            if (line.endsWith(u'\r'))
                line.chop(1);
            if (!parseLine(line, i == 0))
                return {nullptr, QStringLiteral("line %1: %2").arg(i + 1).arg(m_error)};
        }
        return {m_root, {}};
    }

private:
    bool parseLine(QStringView line, bool first) {
        if (first)
            return line == kHeader || failWith(QStringLiteral("not a registry file"));
        if (line.isEmpty() || line.startsWith(u';'))
            return true;
        if (line.startsWith(u'['))
            return parseKey(line);
        if (line.startsWith(u'"') || line.startsWith(u'@'))
            return parseValue(line);
        return failWith(QStringLiteral("not a key, a value or a comment"));
    }

    bool parseKey(QStringView line) {
        if (!line.endsWith(u']'))
            return failWith(QStringLiteral("a key line must end with \"]\""));
        const QString path = line.sliced(1, line.size() - 2).toString();
        HiveNode* node = m_root.get();
        const QStringList names = path.isEmpty() ? QStringList() : path.split(u'\\');
        if (names.size() > kMaxKeyDepth)
            return failWith(QStringLiteral("keys nested more than %1 deep").arg(kMaxKeyDepth));
        for (const QString& name : names) {
            if (!isValidKeyName(name))
                return failWith(
                    QStringLiteral("an empty key name or one with a control character"));
            auto child = node->keys.find(name);
            if (!child) {
                child = std::make_shared<HiveNode>();
                node->keys.add(child, name);
            }
            node = child.get();
        }
        if (m_declared.contains(node))
            return failWith(QStringLiteral("the key appears twice"));
        m_declared.insert(node);
        m_current = node;
        return true;
    }

    bool parseValue(QStringView line) {
        if (!m_current)
            return failWith(QStringLiteral("a value before the first key"));
        LineReader reader(line);
        QString name;
        if (!reader.take(u"@")) {
            const auto quotedName = reader.quoted(m_error);
            if (!quotedName)
                return false;
            name = *quotedName;
        }
        if (m_current->values.contains(name))
            return failWith(QStringLiteral("the value appears twice"));
        RegValue value;
        if (reader.take(u"=sz:")) {
            const auto text = reader.quoted(m_error);
            if (!text)
                return false;
            value.text = *text;
        } else if (reader.take(u"=dword:")) {
            const auto number = reader.hex8();
            if (!number)
                return failWith(QStringLiteral("a number must be 8 hexadecimal digits"));
            value = {REG_DWORD, {}, static_cast<int32_t>(*number)};
        } else {
            return failWith(QStringLiteral("a value must be =sz:\"text\" or =dword:00000000"));
        }
        if (!reader.atEnd())
            return failWith(QStringLiteral("more after the value"));
        m_current->values.add(std::make_shared<RegValue>(value), name);
        return true;
    }

    bool failWith(const QString& error) {
        m_error = error;
        return false;
    }

    std::shared_ptr<HiveNode> m_root = std::make_shared<HiveNode>();
    HiveNode* m_current = nullptr;
    QSet<const HiveNode*> m_declared;
    QString m_error;
};

} // namespace

bool isValidKeyName(const QString& name) {
    if (name.isEmpty())
        return false;
    return std::none_of(name.begin(), name.end(),
                        [](QChar c) { return c == u'\\' || isControl(c); });
}

HiveParse parseHive(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return {std::make_shared<HiveNode>(), {}};
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return {nullptr, QStringLiteral("the file is not UTF-8 text")};
    return HiveParser().parse(text);
}

QByteArray serializeHive(const HiveNode& root) {
    QString out = kHeader + u'\n';
    writeKey(out, root, QString(), true);
    return out.toUtf8();
}

} // namespace platform
