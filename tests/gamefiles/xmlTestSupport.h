// Small helpers for the XML document tests: documents are written into the
// test's data folder and read back from there.
#pragma once

#include "gamefiles/clsXMLParser.h"
#include "support/TestFolders.h"

#include <gtest/gtest.h>

#include <QString>

#include <string>

namespace xmltest {

inline QString DataPath(const std::string& name) {
    return QString::fromStdString((testsupport::dataDir() / name).string());
}

inline QString WriteFile(const std::string& name, const std::string& bytes) {
    testsupport::writeFile(testsupport::dataDir() / name, bytes);
    return DataPath(name);
}

// Opens the text as a document; false (with the parser's error shown) when
// it does not load.
inline bool Open(clsXMLParser& xml, const std::string& text) {
    const bool opened = xml.OpenFile(WriteFile("open.xml", text));
    EXPECT_TRUE(opened) << xml.GetLastError().toStdString();
    return opened;
}

// The document as saved plain.
inline std::string Saved(clsXMLParser& xml) {
    const QString path = DataPath("saved.xml");
    EXPECT_TRUE(xml.SaveToFile(path, 1)) << xml.GetLastError().toStdString();
    return testsupport::readFile(path.toStdString());
}

} // namespace xmltest
