// Saving an XML document (a language document or a universe map) plain into
// the scratch folder and reading back the bytes written.
#pragma once

#include "FuzzSupport.h"
#include "gamefiles/XmlSourceSpans.h"
#include "gamefiles/mdlZorvObjects.h"

#include <QString>
#include <QVariant>

#include <algorithm>
#include <string>

namespace fuzzsupport {

inline QString scratchPath(const std::string& name) {
    return QString::fromStdString((scratchDir() / name).string());
}

// False when the document refused the save.
template <class Document>
bool saveAs(Document& document, const std::string& name, std::string& bytes) {
    if (!document.SaveFile(scratchPath(name), 1))
        return false;
    bytes = readScratch(name);
    return true;
}

// A save that must succeed.
template <class Document> std::string save(Document& document, const std::string& name) {
    std::string bytes;
    FUZZ_PROMISE(saveAs(document, name, bytes));
    return bytes;
}

// The text of the file as the document reads it (unpacked when packed).
inline std::string decodedScratch(const std::string& name) {
    mdlZorvObjects::LibraryText text;
    FUZZ_PROMISE(mdlZorvObjects::Zorv_DecodeXMLFile(scratchPath(name), text));
    return std::string(text.data(), static_cast<size_t>(text.size()));
}

// The innermost element of `before` that holds every byte in which `after`
// differs from it; nothing when no element holds them all. changed is
// false when the two are equal.
inline const XmlElementSpan* changedElement(std::string_view before, std::string_view after,
                                            const std::vector<XmlElementSpan>& elements,
                                            bool& changed) {
    const size_t shorter = std::min(before.size(), after.size());
    size_t prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    size_t suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    changed = before != after;
    const XmlElementSpan* inner = nullptr;
    for (const XmlElementSpan& element : elements)
        if (element.start <= prefix && element.end >= before.size() - suffix &&
            (!inner || element.depth > inner->depth))
            inner = &element;
    return inner;
}

// Whether the element's name, as it stands in the text, is the name.
inline bool elementNamed(std::string_view text, const XmlElementSpan& element,
                         std::string_view name) {
    const std::string_view tag = text.substr(element.start + 1);
    if (tag.substr(0, name.size()) != name || tag.size() <= name.size())
        return false;
    const char after = tag[name.size()];
    return after == ' ' || after == '\t' || after == '\r' || after == '\n' || after == '/' ||
           after == '>';
}

} // namespace fuzzsupport
