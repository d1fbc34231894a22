// Where the markup of a parsed XML document stands in its text, found by
// one forward scan, so that what a save does not change is copied as read.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

struct XmlElementSpan {
    size_t start = 0;  // the "<" of the start tag
    size_t tagEnd = 0; // just after the start tag
    size_t endTag = 0; // the "<" of the end tag; tagEnd for an empty-element tag
    size_t end = 0;    // just after the element
    int depth = 0;     // 0 for a top-level element
    bool SelfClosing() const { return tagEnd == end; }
};

// Every element of a text the XML parser accepted, in document order.
std::vector<XmlElementSpan> ScanXmlElements(std::string_view text);

// Just after the comment, CDATA section, processing instruction or doctype
// whose "<" stands at open; npos when it does not end.
size_t XmlMarkupEnd(std::string_view text, size_t open);
