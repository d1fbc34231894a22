// Keeps the cursor of a document where it was: pushed on construction,
// popped on destruction, so every way out of a scope restores it.
#pragma once

#include "gamefiles/clsXMLParser.h"

class XmlCursorGuard {
public:
    explicit XmlCursorGuard(clsXMLParser& xml) : m_xml(xml) { m_xml.Push(); }
    ~XmlCursorGuard() { m_xml.Pop(); }
    XmlCursorGuard(const XmlCursorGuard&) = delete;
    XmlCursorGuard& operator=(const XmlCursorGuard&) = delete;

private:
    clsXMLParser& m_xml;
};
