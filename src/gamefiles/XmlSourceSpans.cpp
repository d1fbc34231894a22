#include "gamefiles/XmlSourceSpans.h"

namespace {

size_t After(std::string_view text, size_t from, std::string_view close) {
    const size_t at = text.find(close, from);
    return at == std::string_view::npos ? at : at + close.size();
}

// A doctype ends at the ">" outside its brackets, quotes, comments and
// processing instructions.
size_t DoctypeEnd(std::string_view text, size_t open) {
    int depth = 0;
    for (size_t at = open + 2; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '"' || c == '\'') {
            at = text.find(c, at + 1);
            if (at == std::string_view::npos)
                return at;
        } else if (text.substr(at, 4) == "<!--") {
            at = After(text, at + 4, "-->");
            if (at == std::string_view::npos)
                return at;
            --at;
        } else if (text.substr(at, 2) == "<?") {
            at = After(text, at + 2, "?>");
            if (at == std::string_view::npos)
                return at;
            --at;
        } else if (c == '[') {
            ++depth;
        } else if (c == ']') {
            --depth;
        } else if (c == '>' && depth <= 0) {
            return at + 1;
        }
    }
    return std::string_view::npos;
}

// Just after the ">" of the tag at open, outside quoted values.
size_t TagEnd(std::string_view text, size_t open) {
    for (size_t at = open + 1; at < text.size(); ++at) {
        const char c = text[at];
        if (c == '"' || c == '\'') {
            at = text.find(c, at + 1);
            if (at == std::string_view::npos)
                return at;
        } else if (c == '>') {
            return at + 1;
        }
    }
    return std::string_view::npos;
}

} // namespace

size_t XmlMarkupEnd(std::string_view text, size_t open) {
    const std::string_view rest = text.substr(open);
    // A comment ends only at a "-->" that starts after its "<!--".
    if (rest.substr(0, 4) == "<!--")
        return After(text, open + 4, "-->");
    if (rest.substr(0, 9) == "<![CDATA[")
        return After(text, open + 9, "]]>");
    if (rest.substr(0, 2) == "<?")
        return After(text, open + 2, "?>");
    if (rest.substr(0, 2) == "<!")
        return DoctypeEnd(text, open);
    return TagEnd(text, open);
}

std::vector<XmlElementSpan> ScanXmlElements(std::string_view text) {
    std::vector<XmlElementSpan> spans;
    std::vector<size_t> open;
    for (size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at)) {
        const char next = at + 1 < text.size() ? text[at + 1] : 0;
        const size_t end = XmlMarkupEnd(text, at);
        if (end == std::string_view::npos)
            break;
        if (next == '/') {
            if (!open.empty()) {
                XmlElementSpan& element = spans[open.back()];
                element.endTag = at;
                element.end = end;
                open.pop_back();
            }
        } else if (next != '!' && next != '?') {
            XmlElementSpan element;
            element.start = at;
            element.tagEnd = end;
            element.depth = static_cast<int>(open.size());
            if (end >= 2 && text[end - 2] == '/') {
                element.endTag = end;
                element.end = end;
            } else {
                open.push_back(spans.size());
            }
            spans.push_back(element);
        }
        at = end;
    }
    return spans;
}
