// Saving an XML document (a language document or a universe map) plain into
// the scratch folder and reading back the bytes written.
#pragma once

#include "FuzzSupport.h"

#include <QString>

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

} // namespace fuzzsupport
