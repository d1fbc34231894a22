// Small universe maps written into the test's data folder, opened and saved
// through the map document.
#pragma once

#include "galaxy/clsGalaxyParser.h"
#include "support/TestFolders.h"

#include <QString>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace galaxytest {

using Ptr = clsGalaxyObject::Ptr;

inline QString PathOf(const std::string& name) {
    return QString::fromStdString((testsupport::dataDir() / name).string());
}

inline QString WriteMap(const std::string& xml, const std::string& name = "map.xml") {
    testsupport::writeFile(testsupport::dataDir() / name, xml);
    return PathOf(name);
}

// A document holding the map; a failed read fails the test.
inline std::shared_ptr<clsGalaxyParser> Open(const std::string& xml) {
    auto document = clsGalaxyParser::Create();
    EXPECT_TRUE(document->ParseFile(WriteMap(xml))) << document->GetLastError().toStdString();
    return document;
}

// Saves the document plain (or packed) and gives the bytes written.
inline std::string Save(clsGalaxyParser& document, int32_t fileType = 1,
                        const std::string& name = "saved.xml") {
    EXPECT_TRUE(document.SaveFile(PathOf(name), fileType)) << document.GetLastError().toStdString();
    return testsupport::readFile(testsupport::dataDir() / name);
}

inline Ptr Child(const Ptr& parent, int position) {
    return parent->Childs.at(position);
}

inline std::string Text(const QString& text) {
    return text.toStdString();
}

inline bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

// Adds an item to a list of items separated by blanks.
inline void Append(std::string& list, const std::string& item) {
    if (!list.empty())
        list += ' ';
    list += item;
}

// The key of every object of a collection, in order.
inline std::string Keys(const platform::KeyedCollection<clsGalaxyObject>& objects) {
    std::string keys;
    for (const Ptr& object : objects)
        Append(keys, Text(object->Key()));
    return keys;
}

// Two sectors. The first holds a background, two gates (the second with a
// container inside), a planet and a dock with two containers; the second a
// gate and a ship. Texts are written as the saver writes them, so an
// unchanged save gives the same bytes.
inline const std::string kTwoSectors = R"(<?xml version="1.0" encoding="UTF-8"?>
<!-- two sectors -->
<universe xmlns="XUNIVERS.xsd">
  <o t="1" s="0" x="0" y="0" r="1" color="1193046">
    <o t="2" s="0"/>
    <o t="18" s="0" gid="0" gx="1" gy="0" x=" 12 " y="2.5"/>
    <!-- the home planet -->
    <o t="4" s="1" x="5" y="6" z="7"/>
    <o t="18" s="1" gid="1" gx="0" gy="1">
      <o t="23" s="9"/>
    </o>
    <o t="5" s="0" x="1">
      <o t="23" s="8">
        <o t="11" s="2" n="word"/>
      </o>
      <o t="23" s="5"/>
    </o>
  </o>
  <o t="1" s="0" x="1" y="0">
    <o t="18" s="0" gx="0" gy="0"/>
    <o t="7" s="3" x="1" y="1" z="1"/>
  </o>
</universe>
)";

} // namespace galaxytest
